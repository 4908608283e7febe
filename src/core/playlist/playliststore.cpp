#include "core/playlist/playliststore.h"

#include "core/playlist/listprefetch.h"
#include "core/playlist/playlistmodel.h"
#include "core/text/listwriter.h"
#include "core/text/safesave.h"
#include "core/text/textfile.h"

PlaylistStore::PlaylistStore(QString path, QString readPath, ListWriter *writer)
    : m_path(std::move(path))
    , m_readPath(readPath.isEmpty() ? m_path : std::move(readPath))
    , m_writer(writer)
{
}

PlaylistStore::LoadStatus PlaylistStore::load(PlaylistModel &model, ListPrefetch *prefetch)
{
    if (m_writer)
        m_writer->finish(); // a list saved before is read back whole
    std::optional<ListPrefetch::Read> prefetched
        = prefetch ? prefetch->take(m_readPath) : std::nullopt;
    ListPrefetch::Read read = prefetched ? std::move(*prefetched) : ListPrefetch::read(m_readPath);
    m_linkRefused = !SafeSave::mayReplace(m_path);
    if (read.status == TextFile::ReadStatus::NotFound) {
        TextFile::writeLines(m_path, { QStringLiteral("#") });
        return LoadStatus::Created;
    }
    const bool full = model.appendBatch(std::move(read.items)) > 0;
    if (read.status != TextFile::ReadStatus::Ok || full) {
        m_loadFailed = true;
        return read.status == TextFile::ReadStatus::Unreadable ? LoadStatus::Unreadable
                                                               : LoadStatus::TooLarge;
    }
    return LoadStatus::Loaded;
}

bool PlaylistStore::save(const PlaylistModel &model)
{
    if (m_loadFailed)
        return false;
    // Checked again: a link may have been put there since the load.
    m_linkRefused = !SafeSave::mayReplace(m_path);
    if (m_linkRefused)
        return false;
    if (!m_writer)
        return TextFile::writeLines(m_path, model.texts());
    m_writer->write(m_path, model.texts());
    return true;
}
