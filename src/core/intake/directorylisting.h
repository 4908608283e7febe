#pragma once

#include "core/playlist/playlistitem.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the add-directory dialog reads from a directory. Both functions only
// read the file system, so they may run on a worker thread.
namespace DirectoryListing {

// "file://" + directory + "/" + name; the root directory gives "file:///name".
QString fileItemText(const QString &directory, const QString &name);

struct FileListing
{
    QList<PlaylistItem> items;
    // Files left out because no item can name them: a line break in the
    // name, or bytes that are not valid in the file name encoding.
    qsizetype skipped = 0;
    // The directory's own path holds a line break: none of its files can
    // become an item.
    bool pathBreaksLine = false;
};

// The directory's plain, non-hidden files in name order (case-insensitive),
// each as a file item. A directory that cannot be read gives no items.
FileListing files(const QString &directory);
QList<PlaylistItem> fileItems(const QString &directory);

// The names of the directory's non-hidden subdirectories in name order, or
// nothing when the directory cannot be opened.
std::optional<QStringList> subdirectories(const QString &directory);

} // namespace DirectoryListing
