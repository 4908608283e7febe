#include "core/playlist/listprefetch.h"

#include "core/playlist/listfile.h"

ListPrefetch::Read ListPrefetch::read(const QString &path)
{
    const TextFile::ReadResult result = TextFile::readLines(path);
    return { result.status, ListFile::itemsFromLines(result.lines, &PlaylistItem::iconForSaved) };
}

ListPrefetch::ListPrefetch(const QString &path)
    : m_path(path)
    , m_pending(std::async(std::launch::async, [path] { return read(path); }))
{
}

std::optional<ListPrefetch::Read> ListPrefetch::take(const QString &path)
{
    const std::lock_guard lock(m_guard);
    if (!m_pending.valid() || m_path != path)
        return std::nullopt;
    return m_pending.get();
}
