#include "core/intake/dropcontent.h"

#include "core/intake/singleline.h"

#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace DropContent {

namespace {

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
    const QStringList lines = text.split(u'\n');
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

} // namespace

QList<PlaylistItem> items(const QMimeData &data)
{
    QList<PlaylistItem> result;
    const QList<QUrl> files = localFiles(data);
    if (data.hasText()) {
        const QString text = data.text();
        if (text.size() > 10 && fitsOneLine(text) && !repeatsFiles(text, files))
            result.append(PlaylistItem { PlaylistItem::Icon::Address, text });
    }
    for (const QUrl &file : files) {
        const QString path = file.toLocalFile();
        if (fitsOneLine(path))
            result.append(PlaylistItem { PlaylistItem::Icon::File, path });
    }
    return result;
}

} // namespace DropContent
