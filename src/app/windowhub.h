#pragma once

#include "engine/enginefactory.h"

#include <QObject>
#include <QPointer>

#include <memory>

struct AppContext;
class CommandMenu;
class MediaEngine;
class PlayerWindow;
class PlaylistWindow;

// Owns the program's windows: each is created on its first use and reused
// afterwards; a window that was closed is created afresh on the next use.
class WindowHub : public QObject
{
    Q_OBJECT
public:
    WindowHub(AppContext &context, EngineFactory engineFactory, QObject *parent = nullptr);
    ~WindowHub() override;

    AppContext &context() { return m_context; }

    // The player window with its engine, both created on first use. Returns
    // null (and no window) when the engine cannot be created.
    PlayerWindow *playmain();
    // The two steps of playmain(), so start-up can show the windows while
    // the engine starts: the window alone, then its engine.
    PlayerWindow *createPlaymainWindow();
    bool startEngine();
    PlayerWindow *existingPlaymain() const;
    MediaEngine *engine();

    // The playlist window; creating it loads the saved list.
    PlaylistWindow *playlist();
    PlaylistWindow *existingPlaylist() const;
    // Closes the playlist window, which saves the list.
    void unloadPlaylist();
    // Saves the list of an open playlist window without closing it.
    void savePlaylist();
    // Hides the playlist, places it against the player's right edge and shows it.
    void showPlaylistDocked();

    CommandMenu *mmenu();

    // The About window (on the given tab, or as it is) and the add-directory
    // dialog; they do nothing until those windows exist.
    void showAbout(int tab = -1);
    void showAddDirectory();

private:
    AppContext &m_context;
    EngineFactory m_engineFactory;
    QPointer<PlayerWindow> m_player;
    QPointer<PlaylistWindow> m_playlist;
    QPointer<CommandMenu> m_menu;
};
