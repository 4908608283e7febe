#pragma once

#include "core/playlist/playlistitem.h"

#include <QList>

class QMimeData;

// The items a drop on the drop window adds, in this order: the dropped text,
// without the line ends and spaces that follow it, when it is one line
// longer than 10 characters, as one address item exactly as it came, or,
// when each of its lines is a location (a network address, a file:// URL or
// an absolute path), one item per line; then each dropped local file (or
// directory, not expanded) as a file item holding its path without
// "file://". A text that only repeats the dropped files (file managers send
// both) is not an item of its own. Other text of several lines gives no
// item, nor does a file with a line break, as xlist.cfg could not keep it.
namespace DropContent {

struct Reading
{
    QList<PlaylistItem> items;
    bool textRefused = false; // text of several lines that are not all locations
};

Reading read(const QMimeData &data);
QList<PlaylistItem> items(const QMimeData &data);

} // namespace DropContent
