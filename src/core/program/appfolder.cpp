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

AppFolder AppFolder::forProgram(const QString &programFolder, const QString &userDataFolder)
{
    if (canWriteIn(programFolder))
        return AppFolder(programFolder);
    QDir().mkpath(userDataFolder);
    AppFolder folder(userDataFolder);
    folder.m_programFolder = AppFolder(programFolder).path();
    return folder;
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
