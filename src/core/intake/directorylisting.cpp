#include "core/intake/directorylisting.h"

#include "core/intake/singleline.h"
#include "core/media/filelocation.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

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

// QDir does not list names that do not decode at all; they are counted from
// the directory's own entries, so the user learns that files were left out.
qsizetype undecodableFiles(const QString &directory)
{
    qsizetype count = 0;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(directory);
    DIR *entries = ::opendir(path.constData());
    if (!entries)
        return 0;
    while (const dirent *entry = ::readdir(entries)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith('.') || QFile::encodeName(QFile::decodeName(name)) == name)
            continue;
        struct stat info;
        if (::fstatat(::dirfd(entries), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode))
            ++count;
    }
    ::closedir(entries);
#else
    Q_UNUSED(directory);
#endif
    return count;
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

FileListing files(const QString &directory)
{
    FileListing listing;
    if (!canOpen(directory))
        return listing;
    const QStringList found = names(directory, QDir::Files);
    if (!fitsOneLine(directory)) {
        listing.pathBreaksLine = !found.isEmpty();
        return listing;
    }
    listing.items.reserve(found.size());
    for (const QString &name : found) {
        const QString text = fileItemText(directory, name);
        if (fitsOneLine(text) && namesAFile(FileLocation::pathOf(text), name))
            listing.items.append(PlaylistItem { PlaylistItem::Icon::File, text });
        else
            ++listing.skipped;
    }
    listing.skipped += undecodableFiles(directory);
    return listing;
}

QList<PlaylistItem> fileItems(const QString &directory)
{
    return files(directory).items;
}

std::optional<QStringList> subdirectories(const QString &directory)
{
    if (!canOpen(directory))
        return std::nullopt;
    return names(directory, QDir::Dirs);
}

} // namespace DirectoryListing
