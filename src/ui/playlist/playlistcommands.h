#pragma once

#include "core/playlist/playlistmodel.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

struct AppContext;
class QWidget;

// The list editing commands of the playlist window: add an address or a
// file, delete one or all items, import and export list files. They change
// only the list; xlist.cfg is written when the window closes. Imported
// files are read on a worker thread and their items added, in the order the
// imports were asked for, when the read ends; exported files are written on
// a worker too, and an import waits for them.
class PlaylistCommands : public QObject
{
public:
    PlaylistCommands(AppContext &context, PlaylistModel &model, QWidget *window);

    void addAddress(); // Command5
    void addFile(); // Command6
    void deleteAll(); // Command7
    void deleteCurrent(); // Command8
    void importList(); // Label3
    void exportList(); // Label4
    // Finishes every export under way and adds what every import reads,
    // waiting for them if need be: the list and the files are then whole for
    // what comes next.
    void settle();

    static QString listFilter();
    static QString importFilter();
    static QString proposedListName() { return QStringLiteral("TUNVIA_01.ram"); }

private:
    using Import = QFutureWatcher<PlaylistModel::Batch>;
    void addImported();
    void exported(const QString &path, bool written);
    void settleExports();

    AppContext &m_context;
    PlaylistModel &m_model;
    QWidget *m_window;
    QString m_fileFolder; // where the last add-file dialog ended, for the next one
    QList<Import *> m_imports; // under way, the oldest first
    QList<QFutureWatcher<bool> *> m_exports; // under way
};
