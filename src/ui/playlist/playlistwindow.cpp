#include "ui/playlist/playlistwindow.h"

#include "core/playlist/listprefetch.h"
#include "core/playlist/playlistmodel.h"
#include "core/playlist/playliststore.h"
#include "core/program/texts.h"
#include "ui/common/appcontext.h"
#include "ui/common/controlrows.h"
#include "ui/common/hotspot.h"
#include "ui/common/prompts.h"
#include "ui/frame/captiondrag.h"
#include "ui/frame/windowframe.h"
#include "ui/frame/windowroutines.h"
#include "ui/playlist/otherplayersbox.h"
#include "ui/playlist/playlistcommands.h"
#include "ui/playlist/playlistdelegate.h"
#include "ui/playlist/playlistgrid.h"
#include "ui/playlist/playlistplayback.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinstyle.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <utility>

using PlaylistLayout::Command;

PlaylistWindow::PlaylistWindow(AppContext &context)
    : m_context(context)
    , m_model(new PlaylistModel(this))
    , m_store(std::make_unique<PlaylistStore>(context.folder.file(QStringLiteral("xlist.cfg")),
          context.folder.fileToRead(QStringLiteral("xlist.cfg")), context.listWriter))
    , m_commands(std::make_unique<PlaylistCommands>(context, *m_model, this))
    , m_playback(std::make_unique<PlaylistPlayback>(
          context, *m_model, this, [this](const QString &source) { Q_EMIT playRequested(source); }))
{
    setObjectName(QStringLiteral("playlist"));
    setWindowTitle(QStringLiteral("playlist"));
    setAccessibleName(PlaylistLayout::kAccessibleName.toString());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // Hot spots explain themselves whether or not the window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFixedSize(twipsSize(PlaylistLayout::kWidthTwips, PlaylistLayout::kFullHeightTwips));
    move(0, 0);

    buildOtherPlayers();
    useExternalPlayers(ExternalPlayers::platformTable());
    WindowRoutines::applyShape(this, PlaylistLayout::outline());
    buildGrid();
    buildCommandButtons();
    buildToolbar();
    buildFrameControls();
    loadList();
    // Queued: the box shows once the adding is done, never inside it.
    connect(m_model, &PlaylistModel::itemsRefused, this, &PlaylistWindow::reportFullList,
        Qt::QueuedConnection);
}

PlaylistWindow::~PlaylistWindow() = default;

void PlaylistWindow::snapAndDock()
{
    m_frame->snapAndDock();
}

void PlaylistWindow::restoreHeight()
{
    m_frame->restoreHeight();
}

void PlaylistWindow::rollUp()
{
    m_frame->rollUp();
}

void PlaylistWindow::setDockPartner(QWidget *partner)
{
    m_frame->setPartner(partner);
}

void PlaylistWindow::setLoopList(bool loops)
{
    m_playback->setLoopList(loops);
}

void PlaylistWindow::buildGrid()
{
    m_grid = new PlaylistGrid(m_model, this);
    placeControl(m_grid, PlaylistLayout::kGrid);
    showGridPictures();
    connect(m_grid, &PlaylistGrid::gridDoubleClicked, this, &PlaylistWindow::playCurrent);
}

void PlaylistWindow::showGridPictures()
{
    const qreal ratio = devicePixelRatioF();
    using Picture = PlaylistModel::Picture;
    PlaylistDelegate *pictures = m_grid->pictures();
    pictures->setPicture(Picture::Header, Skin::pixmap(Skin::Picture::GridHeader, ratio));
    pictures->setPicture(Picture::Title, Skin::pixmap(Skin::Picture::TitleStrip, ratio));
    pictures->setPicture(Picture::File, Skin::pixmap(Skin::Picture::FileIcon, ratio));
    pictures->setPicture(Picture::Address, Skin::pixmap(Skin::Picture::AddressIcon, ratio));
    m_grid->viewport()->update();
}

bool PlaylistWindow::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal) {
        // The new screen may have another scale factor.
        showGridPictures();
        Skin::refreshPictures(this);
    }
    return QWidget::event(event);
}

void PlaylistWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Rolled up, the window ends just below the grid's top edge: no sliver of
    // the grid shows under the title strip.
    if (m_grid)
        m_grid->setVisible(height() > m_grid->geometry().bottom());
}

void PlaylistWindow::buildOtherPlayers()
{
    m_otherPlayers = new OtherPlayersBox(this);
    placeControl(m_otherPlayers, PlaylistLayout::kOtherPlayers);
    m_otherPlayers->setHint(captionOf(PlaylistLayout::kOtherPlayers));
    m_otherPlayers->setStyleSheet(SkinStyle::otherPlayersBox());
}

void PlaylistWindow::useExternalPlayers(const QList<ExternalPlayers::Player> &table)
{
    const QList<ExternalPlayers::Player> installed = ExternalPlayers::installed(table);
    m_otherPlayers->clear();
    m_otherPlayers->addItem(QStringLiteral("Tunvia"));
    for (const ExternalPlayers::Player &player : installed)
        m_otherPlayers->addItem(player.name);
    m_otherPlayers->setCurrentIndex(-1); // nothing chosen: the engine plays
    m_playback->setInstalledPlayers(installed);
}

QPushButton *PlaylistWindow::commandButton(const PlaylistLayout::Row &row)
{
    auto *button = new QPushButton(captionOf(row.control), this);
    placeControl(button, row.control);
    const Command command = row.command;
    connect(button, &QPushButton::clicked, this, [this, command] { run(command); });
    return button;
}

void PlaylistWindow::buildCommandButtons()
{
    for (const PlaylistLayout::Row &row : PlaylistLayout::kMenuButtons)
        commandButton(row)->hide();

    QPushButton *random = commandButton(PlaylistLayout::kRandomButton);
    random->setFlat(true);
    random->setFocusPolicy(Qt::NoFocus);
    random->setStyleSheet(SkinStyle::randomButton());
}

HotSpot *PlaylistWindow::addHotSpot(const PlaylistLayout::Row &row)
{
    auto *spot = new HotSpot(row.control, this);
    const Command command = row.command;
    if (command == Command::MoveOrResize) {
        new CaptionDrag(spot, this, [this] { snapAndDock(); });
        connect(spot, &HotSpot::doubleClicked, m_frame, &WindowFrame::toggleHeight);
        spot->setActivation(HotSpot::Activation::DoubleClick);
    } else if (command == Command::Lock) {
        Skin::showPicture(spot, Skin::Picture::LockLocked);
        m_frame->attachLockButton(spot);
    } else {
        connect(spot, &HotSpot::clicked, this, [this, command] { run(command); });
    }
    if (command == Command::ChooseOtherPlayer)
        spot->setBuddy(m_otherPlayers); // labels the list for assistive technology
    return spot;
}

void PlaylistWindow::run(Command command)
{
    settle();
    switch (command) {
    case Command::AddAddress:
        return addUrl();
    case Command::AddFile:
        return addFile();
    case Command::DeleteAll:
        return deleteAll();
    case Command::DeleteCurrent:
        return deleteOne();
    case Command::RandomOrder:
        return randomOrder();
    case Command::ImportList:
        return importList();
    case Command::ExportList:
        return exportList();
    case Command::AddMenu:
        return Q_EMIT menuRequested(PopupMenu::Add, this);
    case Command::DeleteMenu:
        return Q_EMIT menuRequested(PopupMenu::Delete, this);
    case Command::ChooseOtherPlayer:
        return m_otherPlayers->setFocus();
    case Command::RollUp:
        return rollUp();
    case Command::RestoreHeight:
        return restoreHeight();
    case Command::Close:
        close();
        return;
    case Command::MoveOrResize:
    case Command::Lock:
        return; // the frame gives these their behaviour
    }
}

void PlaylistWindow::buildToolbar()
{
    for (const PlaylistLayout::Row &row : PlaylistLayout::kToolbar)
        addHotSpot(row);
}

// The frame's hot spots: drag strip, lock button, compact, full, close.
void PlaylistWindow::buildFrameControls()
{
    m_frame = new WindowFrame(this, DockGeometry::Side::Playlist, m_context.state);
    for (const PlaylistLayout::Row &row : PlaylistLayout::kFrameHotSpots)
        addHotSpot(row);
}

// When the saved list is still being read, the window shows at once and its
// rows come when the read ends. Whatever would act on the list or save it
// settles the load first, so nothing is added ahead of the saved items and
// no half-loaded list is ever saved.
void PlaylistWindow::loadList()
{
    ListPrefetch *prefetch = m_context.prefetchedList;
    if (prefetch && prefetch->offers(m_store->readPath()) && !prefetch->done().isFinished()) {
        m_loadWatcher = new QFutureWatcher<void>(this);
        connect(m_loadWatcher, &QFutureWatcherBase::finished, this, &PlaylistWindow::settleLoad);
        m_loadWatcher->setFuture(prefetch->done());
        return;
    }
    settleLoad();
}

void PlaylistWindow::settleLoad()
{
    if (std::exchange(m_loaded, true))
        return;
    if (m_loadWatcher) {
        m_loadWatcher->disconnect(this);
        m_loadWatcher->deleteLater();
        m_loadWatcher = nullptr;
    }
    const PlaylistStore::LoadStatus status = m_store->load(*m_model, m_context.prefetchedList);
    if (!m_context.folder.isWritable()) {
        if (!std::exchange(m_context.state.toldListCannotBeSaved, true))
            QTimer::singleShot(0, this, &PlaylistWindow::reportUnsavableFolder);
        return;
    }
    // Told once the window is up, not from inside its construction.
    if (status == PlaylistStore::LoadStatus::Unreadable)
        QTimer::singleShot(0, this, [this] { reportIncompleteList(false); });
    else if (status == PlaylistStore::LoadStatus::TooLarge)
        QTimer::singleShot(0, this, [this] { reportIncompleteList(true); });
    else if (m_store->linkRefused())
        QTimer::singleShot(0, this, &PlaylistWindow::reportUnsafeLink);
}

// Everything added so far, the saved list and imports under way included, is
// in the list before anything acts on it.
void PlaylistWindow::settle()
{
    settleLoad();
    m_commands->settle();
}

void PlaylistWindow::reportIncompleteList(bool tooManyItems)
{
    const QString what = tooManyItems ? QStringLiteral("播放列表文件中的项目太多，无法全部读取：")
                                      : QStringLiteral("无法完整读取播放列表文件：");
    m_context.prompts.message(this,
        what + m_store->readPath() + u'\r'
            + QStringLiteral(
                "已读出的项目保留在列表中。为保护原文件，关闭播放列表时不会保存对列表的更改。"),
        Texts::kPlaylist.toString(), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::reportFullList(qsizetype refused)
{
    m_context.prompts.message(this,
        QStringLiteral("播放列表已满，%1 个项目没有加入。").arg(refused),
        Texts::kPlaylist.toString(), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::reportUnsafeLink()
{
    m_context.prompts.message(this,
        QStringLiteral("播放列表文件 %1 是一个链接，而这个链接、它指向的文件或它所在的文件夹"
                       "并不只属于您。为安全起见，关闭播放列表时不会通过这个链接保存列表。")
            .arg(m_store->path()),
        Texts::kPlaylist.toString(), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::reportUnsavableFolder()
{
    m_context.prompts.message(this,
        QStringLiteral("无法创建或写入文件夹 %1，这次对播放列表的更改不能保存。")
            .arg(m_context.folder.path()),
        Texts::kPlaylist.toString(), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::saveList()
{
    if (m_saved)
        return;
    m_saved = true;
    saveKeepingOpen();
}

void PlaylistWindow::saveKeepingOpen()
{
    settle();
    m_store->save(*m_model);
}

bool PlaylistWindow::loadFailed()
{
    settleLoad();
    return m_store->loadFailed();
}

void PlaylistWindow::appendItem(PlaylistItem::Icon icon, const QString &text)
{
    settle();
    m_model->appendItem(icon, text);
}

int PlaylistWindow::appendItems(QList<PlaylistItem> items)
{
    settle();
    const int first = m_model->itemCount() + 1;
    m_model->appendItems(std::move(items));
    return first;
}

void PlaylistWindow::setRandomPick(RandomOrder::Pick pick)
{
    m_playback->setRandomPick(std::move(pick));
}

void PlaylistWindow::addUrl()
{
    m_commands->addAddress();
}
void PlaylistWindow::addFile()
{
    m_commands->addFile();
}
void PlaylistWindow::deleteAll()
{
    m_commands->deleteAll();
}
void PlaylistWindow::deleteOne()
{
    m_commands->deleteCurrent();
}
void PlaylistWindow::importList()
{
    m_commands->importList();
}
void PlaylistWindow::exportList()
{
    m_commands->exportList();
}
void PlaylistWindow::randomOrder()
{
    m_playback->randomOrder();
}

void PlaylistWindow::playCurrent()
{
    settle();
    m_playback->playCurrent(m_otherPlayers->currentText());
}

void PlaylistWindow::closeEvent(QCloseEvent *event)
{
    // Closing unloads the window: separate lock mode, then the list is saved
    // (once, however many ways the program's end reaches this window).
    m_context.state.lockMode = LockMode::Separate;
    m_playback->cancel(); // a pending draw or play is no longer wanted
    saveList();
    event->accept();
}

void PlaylistWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, Skin::pixmap(Skin::Picture::Playlist, devicePixelRatioF()));
}
