#include "core/program/appfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

AppFolder::AppFolder(const QString &path)
    : m_path(QDir::toNativeSeparators(QDir::cleanPath(path)))
{
}

static bool canWriteIn(const QString &folder)
{
    // QFileInfo::isWritable only reads permission bits; a read-only mount or
    // an ACL can still refuse, so try to create a file.
    QTemporaryFile probe(folder + QStringLiteral("/.tunvia-write-XXXXXX"));
    return probe.open();
}

// The same folder also when reached through a link (/bin -> /usr/bin).
static QString resolved(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

static bool isInstalled(const QString &programFolder, const QStringList &installFolders)
{
    const QString program = resolved(programFolder);
    for (const QString &folder : installFolders) {
        if (!folder.isEmpty() && resolved(folder) == program)
            return true;
    }
    return false;
}

AppFolder AppFolder::forProgram(
    const QString &programFolder, const QString &userDataFolder, const QStringList &installFolders)
{
    const bool installed = isInstalled(programFolder, installFolders);
    if (!installed && canWriteIn(programFolder))
        return AppFolder(programFolder);
    AppFolder folder(userDataFolder);
    folder.m_writable = QDir().mkpath(userDataFolder) && canWriteIn(userDataFolder);
    // Lists an installed program's folder may hold (left by an earlier
    // version run as root) are never read: they would be another user's.
    if (!installed)
        folder.m_programFolder = AppFolder(programFolder).path();
    return folder;
}

QStringList AppFolder::installedProgramFolders()
{
    return { QStringLiteral(TUNVIA_INSTALL_BINDIR), QStringLiteral("/usr/bin"),
        QStringLiteral("/usr/local/bin") };
}

QString AppFolder::file(const QString &name) const
{
    if (m_path.endsWith(QDir::separator()))
        return m_path + name;
    return m_path + QDir::separator() + name;
}

QString AppFolder::fileToRead(const QString &name) const
{
    const QString own = file(name);
    if (m_programFolder.isEmpty() || QFileInfo::exists(own) || QFileInfo(own).isSymLink())
        return own;
    const QString kept = AppFolder(m_programFolder).file(name);
    return QFileInfo::exists(kept) ? kept : own;
}
