#include "core/playlist/listprefetch.h"

#include "core/playlist/listfile.h"

#include <QPromise>

#include <memory>

ListPrefetch::Read ListPrefetch::read(const QString &path)
{
    const TextFile::ReadResult result = TextFile::readLines(path);
    return { result.status,
        PlaylistModel::prepare(
            ListFile::itemsFromLines(result.lines, &PlaylistItem::iconForSaved)) };
}

ListPrefetch::ListPrefetch(const QString &path)
    : m_path(path)
{
    auto done = std::make_shared<QPromise<void>>();
    m_done = done->future();
    done->start();
    m_pending = std::async(std::launch::async, [path, done] {
        Read result = read(path);
        done->finish();
        return result;
    });
}

bool ListPrefetch::offers(const QString &path) const
{
    const std::lock_guard lock(m_guard);
    return !m_taken && m_path == path;
}

std::optional<ListPrefetch::Read> ListPrefetch::take(const QString &path)
{
    const std::lock_guard lock(m_guard);
    if (m_taken || m_path != path)
        return std::nullopt;
    m_taken = true;
    return m_pending.get();
}
