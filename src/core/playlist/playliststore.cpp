#include "core/playlist/playliststore.h"

#include "core/playlist/listfile.h"
#include "core/playlist/playlistmodel.h"
#include "core/text/safesave.h"
#include "core/text/textfile.h"

PlaylistStore::PlaylistStore(QString path, QString readPath)
    : m_path(std::move(path))
    , m_readPath(readPath.isEmpty() ? m_path : std::move(readPath))
{
}

PlaylistStore::LoadStatus PlaylistStore::load(PlaylistModel &model)
{
    const TextFile::ReadResult read = TextFile::readLines(m_readPath);
    m_linkRefused = !SafeSave::mayReplace(m_path);
    if (read.status == TextFile::ReadStatus::NotFound) {
        TextFile::writeLines(m_path, { QStringLiteral("#") });
        return LoadStatus::Created;
    }
    model.appendItems(ListFile::itemsFromLines(read.lines, &PlaylistItem::iconForSaved));
    if (read.status != TextFile::ReadStatus::Ok) {
        m_loadFailed = true;
        return LoadStatus::Unreadable;
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
    return TextFile::writeLines(m_path, model.texts());
}
