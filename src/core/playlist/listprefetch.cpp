#include "core/playlist/listprefetch.h"

#include "core/playlist/listfile.h"

#include <future>
#include <mutex>

namespace ListPrefetch {
namespace {

std::mutex guard;
QString pendingPath;
std::future<Read> pending;

} // namespace

Read read(const QString &path)
{
    const TextFile::ReadResult result = TextFile::readLines(path);
    return { result.status, ListFile::itemsFromLines(result.lines, &PlaylistItem::iconForSaved) };
}

void start(const QString &path)
{
    const std::lock_guard lock(guard);
    if (pending.valid())
        return;
    pendingPath = path;
    pending = std::async(std::launch::async, [path] { return read(path); });
}

std::optional<Read> take(const QString &path)
{
    const std::lock_guard lock(guard);
    if (!pending.valid() || pendingPath != path)
        return std::nullopt;
    return pending.get();
}

} // namespace ListPrefetch
