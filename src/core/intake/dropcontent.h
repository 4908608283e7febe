#pragma once

#include "core/playlist/playlistitem.h"

#include <QList>

class QMimeData;

// The items a drop on the drop window adds, in this order: the dropped text
// when it is longer than 10 characters, as one address item exactly as it
// came; then each dropped local file (or directory, not expanded) as a file
// item holding its path without "file://". A text that only repeats the
// dropped files (file managers send both) is not an item of its own. A
// location with a line break is left out, as xlist.cfg could not keep it.
namespace DropContent {

QList<PlaylistItem> items(const QMimeData &data);

} // namespace DropContent
