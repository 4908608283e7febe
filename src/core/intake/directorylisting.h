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

// The directory's plain, non-hidden files in name order (case-insensitive),
// each as a file item. Names with a line break and names that do not map back
// to a file (bytes invalid in the file name encoding) are left out. A
// directory that cannot be read gives no items.
QList<PlaylistItem> fileItems(const QString &directory);

// The names of the directory's non-hidden subdirectories in name order, or
// nothing when the directory cannot be opened.
std::optional<QStringList> subdirectories(const QString &directory);

} // namespace DirectoryListing
