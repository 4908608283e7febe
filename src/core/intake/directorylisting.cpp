#include "core/intake/directorylisting.h"

#include "core/intake/singleline.h"
#include "core/media/filelocation.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace DirectoryListing {

namespace {

// Case-insensitive name order; names equal but for case keep a fixed order.
void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

// Names whose bytes are not valid in the file name encoding decode with
// replacement characters and then name no file at all.
bool namesAFile(const QString &path, const QString &name)
{
    return !name.contains(QChar::ReplacementCharacter) || QFileInfo::exists(path);
}

bool canOpen(const QString &directory)
{
    const QFileInfo info(directory);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

// Without QDir::Hidden and QDir::System: no dot files, no sockets, pipes,
// devices or broken links.
QStringList names(const QString &directory, QDir::Filters kind)
{
    QStringList result;
    QDirIterator it(directory, kind | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        result.append(it.fileName());
    }
    sortNames(result);
    return result;
}

} // namespace

QString fileItemText(const QString &directory, const QString &name)
{
    const QString separator = directory.endsWith(u'/') ? QString() : QStringLiteral("/");
    return FileLocation::fromPath(directory + separator + name);
}

QList<PlaylistItem> fileItems(const QString &directory)
{
    QList<PlaylistItem> items;
    if (!canOpen(directory))
        return items;
    const QStringList files = names(directory, QDir::Files);
    items.reserve(files.size());
    for (const QString &name : files) {
        const QString text = fileItemText(directory, name);
        if (fitsOneLine(text) && namesAFile(FileLocation::pathOf(text), name))
            items.append(PlaylistItem { PlaylistItem::Icon::File, text });
    }
    return items;
}

std::optional<QStringList> subdirectories(const QString &directory)
{
    if (!canOpen(directory))
        return std::nullopt;
    return names(directory, QDir::Dirs);
}

} // namespace DirectoryListing
