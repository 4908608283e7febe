#include "core/playlist/playliststore.h"

#include "core/playlist/listfile.h"
#include "core/playlist/playlistmodel.h"
#include "core/text/textfile.h"

PlaylistStore::PlaylistStore(QString path)
    : m_path(std::move(path))
{
}

PlaylistStore::LoadStatus PlaylistStore::load(PlaylistModel &model)
{
    TextFile::ReadResult read = TextFile::readLines(m_path);
    if (read.status == TextFile::ReadStatus::NotFound) {
        TextFile::writeLines(m_path, { QStringLiteral("#") });
        return LoadStatus::Created;
    }
    model.appendItems(ListFile::itemsFromLines(read.lines, &PlaylistItem::iconForSaved));
    if (read.status == TextFile::ReadStatus::Unreadable
        || read.status == TextFile::ReadStatus::Undecodable) {
        m_loadFailed = true;
        return LoadStatus::Unreadable;
    }
    return LoadStatus::Loaded;
}

bool PlaylistStore::save(const PlaylistModel &model)
{
    if (m_loadFailed)
        return false;
    return TextFile::writeLines(m_path, model.texts());
}
