#pragma once

#include <QString>

struct AppContext;
class PlaylistModel;
class QWidget;

// The list editing commands of the playlist window: add an address or a
// file, delete one or all items, import and export list files. They change
// only the list; xlist.cfg is written when the window closes.
class PlaylistCommands
{
public:
    PlaylistCommands(AppContext &context, PlaylistModel &model, QWidget *window);

    void addAddress(); // Command5
    void addFile(); // Command6
    void deleteAll(); // Command7
    void deleteCurrent(); // Command8
    void importList(); // Label3
    void exportList(); // Label4

    static QString listFilter();
    static QString importFilter();
    static QString proposedListName() { return QStringLiteral("TUNVIA_01.ram"); }

private:
    AppContext &m_context;
    PlaylistModel &m_model;
    QWidget *m_window;
    QString m_fileFolder; // where the last add-file dialog ended, for the next one
};
