#pragma once

#include "core/playlist/playlistitem.h"
#include "core/text/textfile.h"

#include <optional>

// Reads the saved list on a worker thread while the program starts, so that
// the playlist window finds it read instead of reading it before it can show.
// One file at a time; the first take() of that file gets the result.
namespace ListPrefetch {

struct Read
{
    TextFile::ReadStatus status = TextFile::ReadStatus::Ok;
    QList<PlaylistItem> items; // whatever could be read, also when not Ok
};

// The saved list's items, as the playlist keeps them.
Read read(const QString &path);

void start(const QString &path);

// What was read of `path`, once the read has ended; nothing when no read of
// that file was started or it was taken already.
std::optional<Read> take(const QString &path);

} // namespace ListPrefetch
