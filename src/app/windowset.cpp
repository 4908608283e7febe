#include "app/windowset.h"
#include "core/program/texts.h"

#include "core/media/mediaengine.h"
#include "core/playlist/playlistmodel.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/appcontext.h"
#include "ui/common/prompts.h"
#include "ui/intake/adddirectorydialog.h"
#include "ui/intake/dropwindow.h"
#include "ui/menu/commandmenu.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"
#ifdef TUNVIA_UPDATE_CHECK
#include "ui/update/updatecheck.h"
#endif

#include <QGuiApplication>
#include <QTimer>

WindowSet::WindowSet(AppContext &context, EngineFactory engineFactory, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_engineFactory(std::move(engineFactory))
{
}

WindowSet::~WindowSet()
{
    delete m_about;
    delete m_addDirectory;
    delete m_dropWindow;
    delete m_menu;
    delete m_playlist;
    delete m_player;
}

PlayerWindow *WindowSet::player()
{
    createPlayerWindow();
    if (!m_player->engine() && !startEngine())
        return nullptr;
    return m_player;
}

PlayerWindow *WindowSet::createPlayerWindow()
{
    if (!m_player) {
        m_player = new PlayerWindow(m_context);
        connectPlayer(m_player);
    }
    return m_player;
}

bool WindowSet::startEngine()
{
    std::unique_ptr<MediaEngine> engine = m_engineFactory ? m_engineFactory() : nullptr;
    if (!engine) {
        delete m_player;
        return false;
    }
    createPlayerWindow()->attachEngine(std::move(engine));
    return true;
}

PlayerWindow *WindowSet::existingPlayer() const
{
    return m_player;
}

PlaylistWindow *WindowSet::existingPlaylist() const
{
    return m_playlist;
}

MediaEngine *WindowSet::engine()
{
    PlayerWindow *window = player();
    return window ? window->engine() : nullptr;
}

PlaylistWindow *WindowSet::playlist()
{
    if (m_playlist)
        return m_playlist;
    m_playlist = new PlaylistWindow(m_context);
    connectPlaylist(m_playlist);
    // Loading shows the window; it comes up against the player's right edge
    // (its designed place, the screen's corner, lies under the player).
    if (m_player)
        m_playlist->move(m_player->x() + m_player->width(), m_player->y());
    m_playlist->show();
    return m_playlist;
}

void WindowSet::unloadPlaylist()
{
    if (m_playlist)
        m_playlist->close(); // saves the list; the window deletes itself
}

void WindowSet::savePlaylist()
{
    if (m_playlist)
        m_playlist->saveKeepingOpen();
}

void WindowSet::showPlaylistDocked()
{
    PlayerWindow *window = player();
    if (!m_playlist) {
        playlist(); // a window loaded now comes up docked
        return;
    }
    PlaylistWindow *list = m_playlist;
    list->hide();
    if (window)
        list->move(window->x() + window->width(), window->y());
    list->show();
}

CommandMenu *WindowSet::commandMenu()
{
    if (!m_menu) {
        m_menu = new CommandMenu(m_context);
        connectMenu(m_menu);
    }
    return m_menu;
}

void WindowSet::popupMenu(PopupMenu menu, QWidget *owner)
{
    commandMenu()->popup(menu, owner);
}

void WindowSet::showAbout(AboutTab tab)
{
    if (!m_about) {
        m_about = new AboutWindow(m_context.launcher); // deletes itself when closed
        connect(m_about, &AboutWindow::updateCheckRequested, this, &WindowSet::checkForUpdatesNow);
    }
    if (tab != AboutTab::AsItIs)
        m_about->showTab(static_cast<int>(tab));
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

// Once per run, a moment after the player's delayed start step.
void WindowSet::startUpdateCheckOnce()
{
#ifdef TUNVIA_UPDATE_CHECK
    if (m_startupCheckDone)
        return;
    m_startupCheckDone = true;
    QTimer::singleShot(100, this, [this] {
        auto *check = new UpdateCheck(m_context, UpdateCheck::Mode::Silent, m_player, this);
        connect(check, &UpdateCheck::finished, check, &QObject::deleteLater);
        check->start();
    });
#endif
}

// "检查新版本": a check that tells its outcome, one at a time.
void WindowSet::checkForUpdatesNow()
{
#ifdef TUNVIA_UPDATE_CHECK
    if (m_reportingCheck)
        return;
    auto *check = new UpdateCheck(m_context, UpdateCheck::Mode::Reporting, m_about, this);
    connect(check, &UpdateCheck::finished, check, &QObject::deleteLater);
    m_reportingCheck = check;
    check->start();
#else
    m_context.prompts.message(m_about, QStringLiteral("这个版本的 Tunvia 不含检查新版本的功能。"),
        Texts::kCheckForUpdate.toString(), Prompts::Icon::Information, Prompts::Buttons::Ok);
#endif
}

void WindowSet::showAddDirectory()
{
    if (!m_addDirectory) {
        m_addDirectory = new AddDirectoryDialog(m_context.prompts); // deletes itself when closed
        connect(
            m_addDirectory, &AddDirectoryDialog::itemsChosen, this, &WindowSet::appendToPlaylist);
    }
    m_addDirectory->show();
    m_addDirectory->raise();
    m_addDirectory->activateWindow();
}

DropWindow *WindowSet::dropWindow()
{
    if (!m_dropWindow) {
        m_dropWindow = new DropWindow; // deletes itself when closed
        connect(m_dropWindow, &DropWindow::itemsDropped, this, &WindowSet::appendToPlaylist);
    }
    return m_dropWindow;
}

// The player's delayed start step shows it whatever "显示拖放口" says.
void WindowSet::showDropWindowAtCorner()
{
    DropWindow *drop = dropWindow();
    drop->placeAtScreenCorner(m_player ? m_player->screen() : QGuiApplication::primaryScreen());
    drop->showOnTop();
}

void WindowSet::toggleDropWindow(bool shown)
{
    if (shown)
        dropWindow()->showOnTop();
    else if (m_dropWindow)
        m_dropWindow->close();
}

// Nothing is played and nothing is saved here; a closed list is loaded
// again, so the rows join the saved ones and are written when it unloads.
void WindowSet::appendToPlaylist(const QList<PlaylistItem> &items)
{
    playlistForAppend()->appendItems(items);
}

void WindowSet::appendAndPlay(const QList<PlaylistItem> &items)
{
    if (items.isEmpty())
        return;
    PlaylistWindow *list = playlistForAppend();
    const int first = list->model()->itemCount() + 1;
    list->appendItems(items);
    list->model()->setCurrentCell(first, PlaylistModel::TextColumn);
    list->playCurrent();
}

void WindowSet::raisePlayer()
{
    if (!m_player)
        return;
    m_player->setWindowState(m_player->windowState() & ~Qt::WindowMinimized);
    m_player->show();
    if (m_playlist && m_playlist->isVisible())
        m_playlist->raise();
    m_player->raise();
    m_player->activateWindow();
}

PlaylistWindow *WindowSet::playlistForAppend()
{
    if (!m_playlist) {
        m_playlist = new PlaylistWindow(m_context);
        connectPlaylist(m_playlist);
    }
    return m_playlist;
}

template<typename Slot> void WindowSet::onPlayer(Slot slot)
{
    if (PlayerWindow *window = player())
        (window->*slot)();
}

template<typename Slot> void WindowSet::onPlaylist(Slot slot)
{
    (playlist()->*slot)();
}

void WindowSet::connectPlayer(PlayerWindow *window)
{
    connect(window, &PlayerWindow::playlistRequested, this, &WindowSet::showPlaylistDocked);
    connect(window, &PlayerWindow::menuRequested, this, &WindowSet::popupMenu);
    connect(window, &PlayerWindow::aboutRequested, this, &WindowSet::showAbout);
    connect(window, &PlayerWindow::delayedStartReached, this, &WindowSet::startUpdateCheckOnce);
    connect(window, &PlayerWindow::delayedStartReached, this, &WindowSet::showDropWindowAtCorner);
    connect(window, &PlayerWindow::dropWindowToggled, this, &WindowSet::toggleDropWindow);
    connect(window, &PlayerWindow::quitRequested, this, &WindowSet::quitRequested);
    connect(window, &PlayerWindow::loopListToggled, this, [this](bool loops) {
        if (m_playlist)
            m_playlist->setLoopList(loops);
    });
    if (m_playlist) {
        window->setDockPartner(m_playlist);
        m_playlist->setDockPartner(window);
        m_playlist->setLoopList(window->loopsList());
    }
}

void WindowSet::connectPlaylist(PlaylistWindow *list)
{
    connect(list, &PlaylistWindow::menuRequested, this, &WindowSet::popupMenu);
    connect(list, &PlaylistWindow::playRequested, this, [this](const QString &source) {
        if (PlayerWindow *window = player())
            window->stopAndPlay(source);
    });
    if (m_player) {
        list->setDockPartner(m_player);
        m_player->setDockPartner(list);
        list->setLoopList(m_player->loopsList());
    }
}

void WindowSet::connectMenu(CommandMenu *menu)
{
    connect(
        menu, &CommandMenu::openFileRequested, this, [this] { onPlayer(&PlayerWindow::openFile); });
    connect(menu, &CommandMenu::openAddressRequested, this,
        [this] { onPlayer(&PlayerWindow::openAddress); });
    connect(menu, &CommandMenu::playlistRequested, this, &WindowSet::showPlaylistDocked);
    connect(menu, &CommandMenu::statisticsRequested, this, [this] {
        if (MediaEngine *playing = engine())
            playing->showStatisticsView(true);
    });
    connect(menu, &CommandMenu::performanceSettingsRequested, this, [this] {
        if (MediaEngine *playing = engine())
            playing->showPerformanceSettings();
    });
    connect(menu, &CommandMenu::aboutRequested, this, [this] { showAbout(AboutTab::AsItIs); });
    connect(menu, &CommandMenu::addFileRequested, this,
        [this] { onPlaylist(&PlaylistWindow::addFile); });
    connect(menu, &CommandMenu::addAddressRequested, this,
        [this] { onPlaylist(&PlaylistWindow::addUrl); });
    connect(menu, &CommandMenu::addDirectoryRequested, this, &WindowSet::showAddDirectory);
    connect(menu, &CommandMenu::deleteCurrentRequested, this,
        [this] { onPlaylist(&PlaylistWindow::deleteOne); });
    connect(menu, &CommandMenu::deleteAllRequested, this,
        [this] { onPlaylist(&PlaylistWindow::deleteAll); });
}
