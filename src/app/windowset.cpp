#include "app/windowset.h"
#include "core/program/texts.h"

#include "core/geometry/dockgeometry.h"
#include "core/geometry/twips.h"
#include "core/media/mediaengine.h"
#include "core/playlist/playlistmodel.h"
#include "core/text/listwriter.h"
#include "ui/about/aboutwindow.h"
#include "ui/common/appcontext.h"
#include "ui/common/prompts.h"
#include "ui/intake/adddirectorydialog.h"
#include "ui/intake/dropwindow.h"
#include "ui/menu/commandmenu.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"
#include "ui/update/updatechecks.h"

#include <QGuiApplication>
#include <QTimer>

namespace {

// Shows a window asked for again, also when the user had minimised it.
void bringBack(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

WindowSet::WindowSet(
    AppContext &context, std::unique_ptr<EngineFactory> engineFactory, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_engineFactory(std::move(engineFactory))
    , m_updateChecks(new UpdateChecks(context, this))
{
    connect(m_engineFactory.get(), &EngineFactory::ready, this, [this] {
        createPlayerWindow()->attachEngine(m_engineFactory->takeEngine());
        Q_EMIT engineStarted();
    });
    connect(m_engineFactory.get(), &EngineFactory::failed, this, [this] {
        m_engineFailed = true;
        delete m_player;
        Q_EMIT engineFailed();
    });
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
    PlayerWindow *window = createPlayerWindow();
    startEngine();
    return window;
}

PlayerWindow *WindowSet::createPlayerWindow()
{
    if (!m_player) {
        m_player = new PlayerWindow(m_context);
        connectPlayer(m_player);
    }
    return m_player;
}

void WindowSet::startEngine()
{
    m_engineFactory->request();
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
    return player()->engine();
}

PlaylistWindow *WindowSet::playlist(Creation creation)
{
    if (m_playlist)
        return m_playlist;
    m_playlist = new PlaylistWindow(m_context);
    connectPlaylist(m_playlist);
    if (creation == Creation::Shown) {
        // Its designed place, the screen's corner, lies under the player.
        placePlaylistDocked();
        m_playlist->show();
    }
    return m_playlist;
}

void WindowSet::placePlaylistDocked()
{
    if (!m_player || !m_playlist)
        return;
    const auto box = [](const QWidget *window) {
        return DockGeometry::Box { pixelsToTwips(window->x()), pixelsToTwips(window->y()),
            pixelsToTwips(window->width()), pixelsToTwips(window->height()) };
    };
    const DockGeometry::Box place
        = DockGeometry::docked(DockGeometry::Side::Player, box(m_player), box(m_playlist));
    m_playlist->move(twipsToPixels(place.left), twipsToPixels(place.top));
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
    if (m_context.listWriter)
        m_context.listWriter->finish(); // the session may end as soon as this returns
}

void WindowSet::showPlaylistDocked()
{
    player();
    if (!m_playlist) {
        playlist(); // a window loaded now comes up docked
        return;
    }
    m_playlist->hide();
    placePlaylistDocked();
    m_playlist->show();
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
        connect(m_about, &AboutWindow::updateCheckRequested, this,
            [this] { m_updateChecks->checkNow(m_about); });
        connect(m_updateChecks, &UpdateChecks::reportingChanged, m_about,
            &AboutWindow::showUpdateCheckRunning);
        m_about->showUpdateCheckRunning(m_updateChecks->isReporting());
    }
    if (tab != AboutTab::AsItIs)
        m_about->showTab(static_cast<int>(tab));
    bringBack(m_about);
}

void WindowSet::showAddDirectory()
{
    if (!m_addDirectory) {
        m_addDirectory = new AddDirectoryDialog(m_context.prompts); // deletes itself when closed
        connect(
            m_addDirectory, &AddDirectoryDialog::itemsChosen, this, &WindowSet::appendToPlaylist);
    }
    bringBack(m_addDirectory);
}

DropWindow *WindowSet::dropWindow()
{
    if (!m_dropWindow) {
        m_dropWindow = new DropWindow(m_context.prompts); // deletes itself when closed
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
    playlist(Creation::Hidden)->appendItems(items);
}

void WindowSet::appendAndPlay(const QList<PlaylistItem> &items)
{
    if (items.isEmpty())
        return;
    PlaylistWindow *list = playlist(Creation::Hidden);
    const int first = list->appendItems(items);
    list->model()->setCurrentCell(first, PlaylistModel::TextColumn);
    list->playCurrent();
}

void WindowSet::step(int step)
{
    MediaEngine *playing = startedEngine();
    if (playing && step > 0 && playing->hasNextEntry())
        playing->skipToNextEntry();
    else if (playing && step < 0 && playing->hasPreviousEntry())
        playing->skipToPreviousEntry();
    else if (const int row = neighbourRow(step)) {
        m_playlist->model()->setCurrentCell(row, PlaylistModel::TextColumn);
        m_playlist->playCurrent();
    }
}

MediaEngine *WindowSet::startedEngine() const
{
    return m_player ? m_player->engine() : nullptr;
}

int WindowSet::neighbourRow(int step) const
{
    if (!m_playlist)
        return 0;
    const PlaylistModel *model = m_playlist->model();
    const int row = model->currentRow() + step;
    return model->currentRow() >= 1 && row >= 1 && row <= model->itemCount() ? row : 0;
}

void WindowSet::announceListNeighbours()
{
    Q_EMIT listNeighboursChanged(neighbourRow(-1) != 0, neighbourRow(1) != 0);
}

void WindowSet::play()
{
    if (MediaEngine *playing = startedEngine())
        playing->startPlayback();
}

void WindowSet::pause()
{
    if (MediaEngine *playing = startedEngine())
        playing->pausePlayback();
}

void WindowSet::playOrPause()
{
    MediaEngine *playing = startedEngine();
    if (!playing)
        return;
    const MediaEngine::PlaybackState state = playing->playbackState();
    if (state == MediaEngine::Stopped || state == MediaEngine::Paused)
        playing->startPlayback();
    else
        playing->pausePlayback();
}

void WindowSet::stop()
{
    if (MediaEngine *playing = startedEngine())
        playing->stopPlayback();
}

void WindowSet::setLoopList(bool loops)
{
    createPlayerWindow()->setLoopsList(loops);
}

// The selection stays on the item that was selected (the one played last,
// as a rule), so that Next still goes on from it.
void WindowSet::enqueue(const QList<PlaylistItem> &items)
{
    if (items.isEmpty())
        return;
    PlaylistModel *model = playlist(Creation::Hidden)->model();
    const int selected = model->currentRow();
    appendToPlaylist(items);
    if (selected >= 1)
        model->setCurrentCell(selected, PlaylistModel::TextColumn);
}

void WindowSet::raisePlayer()
{
    if (!m_player)
        return;
    if (m_playlist && m_playlist->isVisible())
        m_playlist->raise();
    bringBack(m_player);
}

template<typename Slot> void WindowSet::onPlayer(Slot slot)
{
    (player()->*slot)();
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
    connect(window, &PlayerWindow::delayedStartReached, this,
        [this] { m_updateChecks->startOnceAfterStartUp(m_player); });
    connect(window, &PlayerWindow::delayedStartReached, this, &WindowSet::showDropWindowAtCorner);
    connect(window, &PlayerWindow::dropWindowToggled, this, &WindowSet::toggleDropWindow);
    connect(window, &PlayerWindow::quitRequested, this, &WindowSet::quitRequested);
    connect(window, &PlayerWindow::loopListToggled, this, [this](bool loops) {
        if (m_playlist)
            m_playlist->setLoopList(loops);
    });
    connect(window, &PlayerWindow::loopListToggled, this, &WindowSet::loopListChanged);
    if (m_playlist) {
        window->setDockPartner(m_playlist);
        m_playlist->setDockPartner(window);
        m_playlist->setLoopList(window->loopsList());
    }
}

void WindowSet::connectPlaylist(PlaylistWindow *list)
{
    connect(list, &PlaylistWindow::menuRequested, this, &WindowSet::popupMenu);
    const PlaylistModel *model = list->model();
    connect(model, &PlaylistModel::currentCellChanged, this, &WindowSet::announceListNeighbours);
    connect(model, &QAbstractItemModel::rowsInserted, this, &WindowSet::announceListNeighbours);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &WindowSet::announceListNeighbours);
    connect(model, &QAbstractItemModel::modelReset, this, &WindowSet::announceListNeighbours);
    connect(
        list, &QObject::destroyed, this, [this] { Q_EMIT listNeighboursChanged(false, false); });
    connect(list, &PlaylistWindow::playRequested, this, [this](const QString &source) {
        // A play the list asked for before the engine failed finds no player.
        if (!m_engineFailed)
            player()->stopAndPlay(source);
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
