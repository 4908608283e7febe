#include "core/program/launchlocations.h"

#include "core/intake/directorylisting.h"
#include "core/intake/singleline.h"
#include "core/media/filelocation.h"
#include "core/media/locationscheme.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace LaunchLocations {

namespace {

// The local path a file:// URL names, or an empty string.
QString pathOfFileUrl(const QString &location)
{
    const QString raw = FileLocation::pathOf(location);
    if (raw.startsWith(u'/') && QFileInfo::exists(raw))
        return raw;
    QUrl url(location);
    if (url.host().compare(u"localhost", Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    return url.isLocalFile() && url.host().isEmpty() ? url.toLocalFile() : QString();
}

// One line of xlist.cfg, and no NUL, which would end the name wherever it
// is passed on.
bool mayBeItem(const QString &location)
{
    return fitsOneLine(location) && !location.contains(QChar());
}

QString quoted(const QString &location)
{
    QString shown = location;
    shown.replace(u'\n', u' ').replace(u'\r', u' ').replace(QChar(), u' ');
    return u'“' + shown + u'”';
}

class Resolver
{
public:
    explicit Resolver(const QString &workingDirectory)
        : m_folder(workingDirectory)
    {
    }

    void add(const QString &location)
    {
        if (location.trimmed().isEmpty())
            m_result.complaints << QStringLiteral("空的位置，已跳过。");
        else if (!mayBeItem(location))
            m_result.complaints << quoted(location) + QStringLiteral("含有换行或空字符，已跳过。");
        else if (FileLocation::isFile(location, Qt::CaseInsensitive))
            addLocalPath(location, pathOfFileUrl(location));
        else if (LocationScheme::isNetwork(LocationScheme::of(location)))
            m_result.texts << location;
        else if (!LocationScheme::of(location).isEmpty())
            addOtherScheme(location);
        else if (QDir::isAbsolutePath(location) || !m_folder.isEmpty())
            addLocalPath(location, QDir(m_folder).absoluteFilePath(location));
        else
            m_result.complaints << quoted(location)
                    + QStringLiteral("不是绝对路径或网址，已跳过。");
    }

    Resolved result() const { return m_result; }

private:
    // "fd://3" and the like are never played; only a file of that name
    // in the working folder is.
    void addOtherScheme(const QString &location)
    {
        const QString path = m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(location);
        if (!path.isEmpty() && QFileInfo::exists(path))
            addLocalPath(location, path);
        else
            m_result.complaints << quoted(location)
                    + QStringLiteral("不是可以播放的地址，已跳过。");
    }

    void addLocalPath(const QString &location, const QString &path)
    {
        const QFileInfo info(path);
        if (path.isEmpty() || !info.exists()) {
            m_result.complaints << QStringLiteral("找不到") + quoted(location)
                    + QStringLiteral("，已跳过。");
        } else if (info.isDir()) {
            const QList<PlaylistItem> files = DirectoryListing::fileItems(QDir::cleanPath(path));
            for (const PlaylistItem &file : files)
                m_result.texts << file.text;
            if (files.isEmpty())
                m_result.complaints
                    << QStringLiteral("文件夹") + quoted(location) + QStringLiteral("里没有文件。");
        } else {
            m_result.texts << FileLocation::fromPath(QDir::cleanPath(path));
        }
    }

    QString m_folder;
    Resolved m_result;
};

} // namespace

Resolved resolve(const QStringList &locations, const QString &workingDirectory)
{
    Resolver resolver(workingDirectory);
    for (const QString &location : locations)
        resolver.add(location);
    return resolver.result();
}

QList<PlaylistItem> items(const QStringList &texts)
{
    QList<PlaylistItem> result;
    result.reserve(texts.size());
    for (const QString &text : texts) {
        if (!text.isEmpty() && mayBeItem(text) && LocationScheme::mayPlay(text))
            result.append(PlaylistItem { PlaylistItem::iconForSaved(text), text });
    }
    return result;
}

} // namespace LaunchLocations
