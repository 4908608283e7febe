#include "core/playlist/listfile.h"

#include "core/playlist/listimport.h"
#include "core/text/textfile.h"

#include <QFile>
#include <QFileInfo>

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

static TextFile::ReadResult readListLines(const QString &path)
{
    const TextFile::Limits limits { RegularFile::kListFileLimit, TextFile::kMaxLines };
    if (!ListImport::isUtf8(path))
        return TextFile::readLines(path, limits);
    TextFile::ReadResult read;
    const RegularFile::Contents contents = RegularFile::read(path, limits.maxBytes);
    if (contents.status != RegularFile::Status::Ok) {
        read.status = contents.status == RegularFile::Status::TooLarge
            ? TextFile::ReadStatus::TooLarge
            : TextFile::ReadStatus::Unreadable;
        return read;
    }
    read.lines = TextFile::splitLines(QString::fromUtf8(contents.bytes));
    return read;
}

ImportResult import(const QString &path)
{
    const TextFile::ReadResult read = readListLines(path);
    ImportResult result;
    result.complete = read.status == TextFile::ReadStatus::Ok;
    const QStringList lines = ListImport::formatOf(path) == ListImport::Format::Pls
        ? ListImport::plsEntries(read.lines)
        : read.lines;
    result.items = itemsFromLines(lines, &PlaylistItem::iconForImported);
    const QString folder = QFileInfo(path).absolutePath();
    for (PlaylistItem &item : result.items) {
        QString text = ListImport::resolved(item.text, folder);
        if (text != item.text)
            item = PlaylistItem { PlaylistItem::iconForImported(text), std::move(text) };
    }
    return result;
}

bool write(const QString &path, const QStringList &texts)
{
    return TextFile::writeLines(path, texts);
}

bool writeChosen(const QString &path, const QStringList &texts)
{
    if (write(path, texts))
        return true;
    const QFileInfo target(path);
    if (!target.isFile() || target.isSymLink() || !target.isWritable())
        return false;
    QString text;
    for (const QString &line : texts)
        text += line + QLatin1String("\r\n");
    const QByteArray bytes = TextFile::encodeForFile(text);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace ListFile
