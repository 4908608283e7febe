#pragma once

#include "core/playlist/playlistitem.h"
#include "core/text/textfile.h"

#include <QString>

#include <future>
#include <mutex>
#include <optional>

// Reads the saved list on a worker thread while the program starts, so that
// the playlist window finds it read instead of reading it before it can show.
// The first take() of that file gets the result.
class ListPrefetch
{
public:
    struct Read
    {
        TextFile::ReadStatus status = TextFile::ReadStatus::Ok;
        QList<PlaylistItem> items; // whatever could be read, also when not Ok
    };

    // The saved list's items, as the playlist keeps them.
    static Read read(const QString &path);

    // Starts reading `path`.
    explicit ListPrefetch(const QString &path);

    // What was read of `path`, once the read has ended; nothing when this
    // prefetch read another file or was taken already.
    std::optional<Read> take(const QString &path);

private:
    std::mutex m_guard;
    QString m_path;
    std::future<Read> m_pending;
};
