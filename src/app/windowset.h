#pragma once

#include "app/enginefactory.h"
#include "core/playlist/playlistitem.h"
#include "ui/menu/popupmenu.h"

#include <QObject>
#include <QPointer>

struct AppContext;
class AboutWindow;
class AddDirectoryDialog;
class CommandMenu;
class DropWindow;
class MediaEngine;
class PlayerWindow;
class PlaylistWindow;
class UpdateChecks;

// Owns the program's windows and connects them: each window is created on its
// first use and reused afterwards; a window that was closed is created afresh
// on the next use. The windows never see each other; every request one of
// them makes of another passes through the connections made here.
class WindowSet : public QObject
{
    Q_OBJECT
public:
    WindowSet(AppContext &context, std::unique_ptr<EngineFactory> engineFactory,
        QObject *parent = nullptr);
    ~WindowSet() override;

    // The player window, created on first use, which also asks for the
    // engine. It works without one until the engine has started.
    PlayerWindow *player();
    // The two steps of player(), so start-up can show the windows before
    // libmpv loads: the window alone, then the request for the engine;
    // engineStarted() or engineFailed() follows once the engine is made.
    PlayerWindow *createPlayerWindow();
    void startEngine();
    PlayerWindow *existingPlayer() const;
    // The player's engine, asked for with the player window on first use;
    // null until it has started.
    MediaEngine *engine();

    // The playlist window; creating it loads the saved list and, unless it
    // is created Hidden (to take items while closed), shows it against the
    // player's right edge.
    enum class Creation { Shown, Hidden };
    PlaylistWindow *playlist(Creation creation = Creation::Shown);
    PlaylistWindow *existingPlaylist() const;

    CommandMenu *commandMenu();

public Q_SLOTS:
    // Closes the playlist window, which saves the list.
    void unloadPlaylist();
    // Saves the list of an open playlist window without closing it, and
    // returns once it is written.
    void savePlaylist();
    // Hides the playlist, places it against the player's right edge and shows it.
    void showPlaylistDocked();
    void popupMenu(PopupMenu menu, QWidget *owner);
    // The About window on the given tab, and the add-directory dialog: one
    // shared instance each, created on first use and brought to the front.
    void showAbout(AboutTab tab);
    void showAddDirectory();
    // Locations from the command line, another start or the desktop's media
    // controls: appended with the append step, and the first of them played
    // as a double click on it would.
    void appendAndPlay(const QList<PlaylistItem> &items);
    // Appended with the append step; nothing is played or stopped.
    void enqueue(const QList<PlaylistItem> &items);
    // Brings the player window (and a shown playlist) to the front.
    void raisePlayer();
    // Next (1) or previous (-1): within the engine's list while it has a
    // further entry, else the playlist's neighbouring item, played as a
    // double click on it would.
    void step(int step);
    // The transport: play, pause, play or pause, stop.
    void play();
    void pause();
    void playOrPause();
    void stop();
    // Sets "循环播放列表".
    void setLoopList(bool loops);
    // Emits listNeighboursChanged for the playlist as it is.
    void announceListNeighbours();

Q_SIGNALS:
    // The user closed the player window.
    void quitRequested();
    // The player has its engine; or the engine cannot be made, and the
    // player window is gone.
    void engineStarted();
    void engineFailed();
    // Whether the playlist has an item before and after its current one.
    void listNeighboursChanged(bool previous, bool next);
    void loopListChanged(bool loops);

private:
    void connectPlayer(PlayerWindow *player);
    void connectPlaylist(PlaylistWindow *list);
    void connectMenu(CommandMenu *menu);
    // Runs a command of the player or the playlist, creating it first.
    template<typename Slot> void onPlayer(Slot slot);
    template<typename Slot> void onPlaylist(Slot slot);
    // The playlist row next to the current one, or 0 when there is none.
    // The player's engine once it has started; null before, and creates nothing.
    MediaEngine *startedEngine() const;
    int neighbourRow(int step) const;

    AppContext &m_context;
    std::unique_ptr<EngineFactory> m_engineFactory;
    QPointer<PlayerWindow> m_player;
    bool m_engineFailed = false;
    QPointer<PlaylistWindow> m_playlist;
    QPointer<CommandMenu> m_menu;

    // The About window and the update checks.
    QPointer<AboutWindow> m_about;
    UpdateChecks *m_updateChecks;

    // The intake: the add-directory dialog and the drop window, whose items
    // go to the playlist window, loaded first (not shown) when it is closed.
    DropWindow *dropWindow();
    void showDropWindowAtCorner();
    void toggleDropWindow(bool shown);
    void appendToPlaylist(const QList<PlaylistItem> &items);
    // Moves the playlist against the player's right edge, tops level.
    void placePlaylistDocked();
    QPointer<AddDirectoryDialog> m_addDirectory;
    QPointer<DropWindow> m_dropWindow;
};
