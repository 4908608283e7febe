#include "app/windowhub.h"

#include "app/appcontext.h"
#include "engine/mediaengine.h"
#include "menu/commandmenu.h"
#include "player/playerwindow.h"
#include "playlist/playlistwindow.h"

WindowHub::WindowHub(AppContext &context, EngineFactory engineFactory, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_engineFactory(std::move(engineFactory))
{
}

WindowHub::~WindowHub()
{
    delete m_menu;
    delete m_playlist;
    delete m_player;
}

PlayerWindow *WindowHub::playmain()
{
    createPlaymainWindow();
    if (!m_player->engine() && !startEngine())
        return nullptr;
    return m_player;
}

PlayerWindow *WindowHub::createPlaymainWindow()
{
    if (!m_player)
        m_player = new PlayerWindow(m_context, *this);
    return m_player;
}

bool WindowHub::startEngine()
{
    std::unique_ptr<MediaEngine> engine = m_engineFactory ? m_engineFactory() : nullptr;
    if (!engine) {
        delete m_player;
        return false;
    }
    createPlaymainWindow()->attachEngine(std::move(engine));
    return true;
}

PlayerWindow *WindowHub::existingPlaymain() const
{
    return m_player;
}

PlaylistWindow *WindowHub::existingPlaylist() const
{
    return m_playlist;
}

MediaEngine *WindowHub::engine()
{
    PlayerWindow *player = playmain();
    return player ? player->engine() : nullptr;
}

PlaylistWindow *WindowHub::playlist()
{
    if (m_playlist)
        return m_playlist;
    m_playlist = new PlaylistWindow(m_context, *this);
    // Loading shows the window; it comes up against the player's right edge
    // (its designed place, the screen's corner, lies under the player).
    if (m_player)
        m_playlist->move(m_player->x() + m_player->width(), m_player->y());
    m_playlist->show();
    return m_playlist;
}

void WindowHub::unloadPlaylist()
{
    if (m_playlist)
        m_playlist->close(); // saves the list; the window deletes itself
}

void WindowHub::savePlaylist()
{
    if (m_playlist)
        m_playlist->saveKeepingOpen();
}

void WindowHub::showPlaylistDocked()
{
    PlayerWindow *player = playmain();
    if (!m_playlist) {
        playlist(); // a window loaded now comes up docked
        return;
    }
    PlaylistWindow *list = m_playlist;
    list->hide();
    if (player)
        list->move(player->x() + player->width(), player->y());
    list->show();
}

CommandMenu *WindowHub::mmenu()
{
    if (!m_menu)
        m_menu = new CommandMenu(m_context, *this);
    return m_menu;
}

void WindowHub::showAbout(int tab)
{
    Q_UNUSED(tab);
}

void WindowHub::showAddDirectory()
{
}
