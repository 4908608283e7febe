#pragma once

#include "core/playlist/playlistmodel.h"
#include "core/text/textfile.h"

#include <QFuture>
#include <QPromise>
#include <QString>

#include <future>
#include <memory>
#include <mutex>
#include <optional>

// Reads the saved list on a worker thread, so that the playlist window finds
// it read, or fills its rows when the read ends, instead of reading it before
// it can show. The first take() of that file gets the result.
class ListPrefetch
{
public:
    struct Read
    {
        TextFile::ReadStatus status = TextFile::ReadStatus::Ok;
        PlaylistModel::Batch items; // whatever could be read, also when not Ok
    };

    // The saved list's items, as the playlist keeps them.
    static Read read(const QString &path);

    enum class Start { AtOnce, WhenAsked };

    // Starts reading `path` at once, or at the first start() or take().
    explicit ListPrefetch(const QString &path, Start start = Start::AtOnce);

    // Starts the read unless it has started.
    void start();

    // Whether this prefetch holds `path` and no take() has had it yet.
    bool offers(const QString &path) const;
    // Finishes once the read has ended, for a watcher on the window's thread.
    QFuture<void> done() const { return m_done; }

    // What was read of `path`, once the read has ended (starting it and
    // waiting for it if need be); nothing when this prefetch read another
    // file or was taken already.
    std::optional<Read> take(const QString &path);

private:
    mutable std::mutex m_guard;
    QString m_path;
    bool m_taken = false;
    std::shared_ptr<QPromise<void>> m_promise;
    QFuture<void> m_done;
    std::future<Read> m_pending;
};
