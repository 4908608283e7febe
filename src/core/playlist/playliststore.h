#pragma once

#include <QString>

class PlaylistModel;

// Keeps the list between runs in xlist.cfg. A file that exists but could not
// be read is never overwritten: after such a load every save is refused, so
// the stored list survives for a later run.
class PlaylistStore
{
public:
    enum class LoadStatus { Loaded, Created, Unreadable };

    explicit PlaylistStore(QString path);

    QString path() const { return m_path; }

    // Appends the saved items to the model. A missing file is created holding
    // the single comment line "#". On Unreadable the items read so far are
    // appended.
    LoadStatus load(PlaylistModel &model);

    // Replaces the file atomically with the model's item texts. Returns false
    // when the write failed (the previous file stays intact) or was refused
    // because the load failed.
    bool save(const PlaylistModel &model);

    bool loadFailed() const { return m_loadFailed; }

private:
    QString m_path;
    bool m_loadFailed = false;
};
