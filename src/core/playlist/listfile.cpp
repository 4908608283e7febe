#include "core/playlist/listfile.h"

#include "core/text/textfile.h"

namespace ListFile {

QList<PlaylistItem> itemsFromLines(const QStringList &lines, IconRule iconRule)
{
    QList<PlaylistItem> items;
    items.reserve(lines.size());
    for (const QString &line : lines) {
        if (line.startsWith(u'#'))
            continue;
        items.append(PlaylistItem { iconRule(line), line });
    }
    return items;
}

ImportResult import(const QString &path)
{
    const TextFile::ReadResult read = TextFile::readLines(path);
    ImportResult result;
    result.complete = read.status == TextFile::ReadStatus::Ok;
    result.items = itemsFromLines(read.lines, &PlaylistItem::iconForImported);
    return result;
}

bool write(const QString &path, const QStringList &texts)
{
    return TextFile::writeLines(path, texts);
}

} // namespace ListFile
