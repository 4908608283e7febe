#include "core/playlist/listfile.h"

#include "core/text/textfile.h"

namespace ListFile {

QList<PlaylistItem> itemsFromLines(const QStringList &lines, IconRule iconRule)
{
    QList<PlaylistItem> items;
    items.reserve(lines.size());
    for (const QString &line : lines) {
        if (isComment(line))
            continue;
        const QStringView text = lineText(line);
        // Most lines carry no mark: share their text instead of copying it.
        QString item = text.size() == line.size() ? line : text.toString();
        const PlaylistItem::Icon icon = iconRule(item);
        items.append(PlaylistItem { icon, std::move(item) });
    }
    return items;
}

ImportResult import(const QString &path)
{
    const TextFile::ReadResult read
        = TextFile::readLines(path, { RegularFile::kListFileLimit, TextFile::kMaxLines });
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
