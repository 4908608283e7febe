#pragma once

#include <QString>

class ListPrefetch;
class ListWriter;
class PlaylistModel;

// Keeps the list between runs in xlist.cfg. A file that exists but could not
// be read whole is never overwritten: after such a load every save is
// refused, so the stored list survives for a later run. Nor is the list ever
// saved through a link in xlist.cfg's place that someone else could have
// planted (see SafeSave).
class PlaylistStore
{
public:
    // TooLarge: more items than the list holds (see PlaylistModel::kMaxItems).
    enum class LoadStatus { Loaded, Created, Unreadable, TooLarge };

    // path: where the list is saved. readPath, when given: where it is read
    // from instead (a list left in the program folder while the per-user
    // folder has none yet). writer, when given: writes the saves in the
    // background; otherwise save() writes before it returns.
    explicit PlaylistStore(
        QString path, QString readPath = QString(), ListWriter *writer = nullptr);

    QString path() const { return m_path; }
    QString readPath() const { return m_readPath; }

    // Appends the saved items to the model. A missing file is created holding
    // the single comment line "#". On Unreadable and TooLarge the items read
    // so far are appended.
    // Takes the list from `prefetch` when it has read this file.
    LoadStatus load(PlaylistModel &model, ListPrefetch *prefetch = nullptr);

    // Replaces the file atomically with the model's item texts. Returns false
    // when the write was refused or failed (the previous file stays intact);
    // with a writer, true once the write is handed to it.
    bool save(const PlaylistModel &model);

    bool loadFailed() const { return m_loadFailed; }
    // xlist.cfg is a link that may not be written through: nothing is saved.
    bool linkRefused() const { return m_linkRefused; }

private:
    QString m_path;
    QString m_readPath;
    ListWriter *m_writer = nullptr;
    bool m_loadFailed = false;
    bool m_linkRefused = false;
};
