#include "core/playlist/listprefetch.h"

#include "core/playlist/listfile.h"

ListPrefetch::Read ListPrefetch::read(const QString &path)
{
    const TextFile::ReadResult result = TextFile::readLines(path);
    return { result.status,
        PlaylistModel::prepare(
            ListFile::itemsFromLines(result.lines, &PlaylistItem::iconForSaved)) };
}

ListPrefetch::ListPrefetch(const QString &path, Start start)
    : m_path(path)
    , m_promise(std::make_shared<QPromise<void>>())
    , m_done(m_promise->future())
{
    m_promise->start();
    if (start == Start::AtOnce)
        this->start();
}

void ListPrefetch::start()
{
    const std::lock_guard lock(m_guard);
    if (m_pending.valid() || m_taken)
        return;
    m_pending = std::async(std::launch::async, [path = m_path, done = m_promise] {
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
    if (m_pending.valid())
        return m_pending.get();
    Read result = read(m_path);
    m_promise->finish();
    return result;
}
