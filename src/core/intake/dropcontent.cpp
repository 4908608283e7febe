#include "core/intake/dropcontent.h"

#include "core/intake/singleline.h"
#include "core/media/filelocation.h"

#include <QDir>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace DropContent {

namespace {

QStringList nonEmptyLines(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\\r\\n|\\r|\\n"));
    QStringList lines = text.split(lineEnd, Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = withoutTrailingBreaks(line);
    lines.removeAll(QString());
    return lines;
}

// A network address, a file:// URL or an absolute path: what may stand on a
// line of its own in a drop of several.
bool isLocation(const QString &line)
{
    if (QDir::isAbsolutePath(line) && !line.startsWith(u':')) // not a Qt resource
        return true;
    static const QStringList networkSchemes { QStringLiteral("http"), QStringLiteral("https"),
        QStringLiteral("ftp"), QStringLiteral("rtsp"), QStringLiteral("rtsps"),
        QStringLiteral("rtmp"), QStringLiteral("rtmps"), QStringLiteral("mms"),
        QStringLiteral("mmsh"), QStringLiteral("mmst"), QStringLiteral("pnm") };
    const QUrl url(line, QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    if (url.scheme() == u"file")
        return !url.path().isEmpty();
    return networkSchemes.contains(url.scheme()) && !url.host().isEmpty();
}

bool namesFile(const QString &line, const QUrl &lineUrl, const QUrl &file)
{
    return lineUrl == file || line == file.toLocalFile() || line == file.toDisplayString();
}

// True when every line of the text is one of the files, as a URL or a path
// (the text a file manager adds to a drop of files, or the text Qt makes up
// for a drop that carries only URLs).
bool repeatsFiles(const QString &text, const QList<QUrl> &files)
{
    if (files.isEmpty())
        return false;
    bool anyLine = false;
    const QStringList lines = nonEmptyLines(text);
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        anyLine = true;
        const QUrl lineUrl(line);
        const auto matches = [&](const QUrl &file) { return namesFile(line, lineUrl, file); };
        if (std::none_of(files.cbegin(), files.cend(), matches))
            return false;
    }
    return anyLine;
}

QList<QUrl> localFiles(const QMimeData &data)
{
    QList<QUrl> files;
    if (!data.hasUrls())
        return files;
    const QList<QUrl> urls = data.urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files.append(url);
    }
    return files;
}

// One line is one item when it is longer than 10 characters; several lines
// are one item each when every one of them is a location, and none else.
void readText(const QString &dropped, const QList<QUrl> &files, Reading &reading)
{
    const QString text = withoutTrailingBreaks(dropped);
    if (repeatsFiles(text, files))
        return;
    if (fitsOneLine(text)) {
        if (text.size() > 10)
            reading.items.append(PlaylistItem { PlaylistItem::Icon::Address, text });
        return;
    }
    const QStringList lines = nonEmptyLines(text);
    if (!std::all_of(lines.cbegin(), lines.cend(), isLocation)) {
        reading.textRefused = true;
        return;
    }
    for (const QString &line : lines) {
        const bool file = FileLocation::isFile(line);
        reading.items.append(
            PlaylistItem { file ? PlaylistItem::Icon::File : PlaylistItem::Icon::Address, line });
    }
}

} // namespace

Reading read(const QMimeData &data)
{
    Reading reading;
    const QList<QUrl> files = localFiles(data);
    if (data.hasText())
        readText(data.text(), files, reading);
    for (const QUrl &file : files) {
        const QString path = file.toLocalFile();
        if (fitsOneLine(path))
            reading.items.append(PlaylistItem { PlaylistItem::Icon::File, path });
    }
    return reading;
}

QList<PlaylistItem> items(const QMimeData &data)
{
    return read(data).items;
}

} // namespace DropContent
