#include "ui/playlist/playlistwindow.h"

#include "core/geometry/twips.h"
#include "core/playlist/playlistmodel.h"
#include "core/playlist/playliststore.h"
#include "ui/common/appcontext.h"
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

#include <QCloseEvent>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace {

QRect fromTwips(int left, int top, int width, int height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

// The window's outline in pixels: square top-left, cut other corners.
const QVector<QPoint> kOutline { { 0, 0 }, { 0, 167 }, { 9, 175 }, { 350, 176 }, { 358, 170 },
    { 358, 7 }, { 347, 0 }, { 8, 0 }, { 0, 0 } };

} // namespace

PlaylistWindow::PlaylistWindow(AppContext &context)
    : m_context(context)
    , m_model(new PlaylistModel(this))
    , m_store(std::make_unique<PlaylistStore>(context.folder.file(QStringLiteral("xlist.cfg")),
          context.folder.fileToRead(QStringLiteral("xlist.cfg"))))
    , m_commands(std::make_unique<PlaylistCommands>(context, *m_model, this))
    , m_playback(std::make_unique<PlaylistPlayback>(
          context, *m_model, this, [this](const QString &source) { Q_EMIT playRequested(source); }))
{
    setObjectName(QStringLiteral("playlist"));
    setWindowTitle(QStringLiteral("playlist"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // Hot spots explain themselves whether or not the window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFixedSize(twipsToPixels(5385), twipsToPixels(2700)); // the frame changes only the height
    move(0, 0);

    buildOtherPlayers();
    useExternalPlayers(ExternalPlayers::platformTable());
    WindowRoutines::applyShape(this, kOutline);
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
    m_grid->setGeometry(fromTwips(90, 360, 5190, 1815));
    showGridPictures();
    connect(m_grid, &PlaylistGrid::gridDoubleClicked, this, &PlaylistWindow::playCurrent);
}

void PlaylistWindow::showGridPictures()
{
    const qreal ratio = devicePixelRatioF();
    using Picture = PlaylistModel::Picture;
    PlaylistDelegate *pictures = m_grid->pictures();
    pictures->setPicture(
        Picture::Header, Skin::pixmap(QStringLiteral("header"), { 24, 12 }, ratio));
    pictures->setPicture(
        Picture::Title, Skin::pixmap(QStringLiteral("titlestrip"), { 317, 14 }, ratio));
    pictures->setPicture(
        Picture::File, Skin::pixmap(QStringLiteral("fileicon"), { 24, 12 }, ratio));
    pictures->setPicture(
        Picture::Address, Skin::pixmap(QStringLiteral("addressicon"), { 24, 12 }, ratio));
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
    m_otherPlayers->setObjectName(QStringLiteral("Combo1"));
    m_otherPlayers->setGeometry(fromTwips(1125, 2205, 915, 300));
    m_otherPlayers->setHint(QStringLiteral(u"使用您系统中的其他播放器播放"));
    m_otherPlayers->setStyleSheet(QStringLiteral(
        "QComboBox { background-color: rgb(224, 224, 224); color: rgb(64, 64, 64); }"));
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

QPushButton *PlaylistWindow::commandButton(
    const QString &name, const QString &caption, void (PlaylistWindow::*slot)())
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void PlaylistWindow::buildCommandButtons()
{
    // Pressed by the command menu's add and delete menus; never shown.
    commandButton(QStringLiteral("Command5"), QStringLiteral("c5 addurl"), &PlaylistWindow::addUrl)
        ->hide();
    commandButton(
        QStringLiteral("Command6"), QStringLiteral("c6 addfile"), &PlaylistWindow::addFile)
        ->hide();
    commandButton(
        QStringLiteral("Command7"), QStringLiteral("c7 del all"), &PlaylistWindow::deleteAll)
        ->hide();
    commandButton(
        QStringLiteral("Command8"), QStringLiteral("c8 del one"), &PlaylistWindow::deleteOne)
        ->hide();

    QPushButton *random = commandButton(
        QStringLiteral("Command9"), QStringLiteral(u"随机播放"), &PlaylistWindow::randomOrder);
    random->setGeometry(fromTwips(4005, 1845, 960, 270));
    random->setFlat(true);
    random->setFocusPolicy(Qt::NoFocus);
    random->setStyleSheet(
        QStringLiteral("QPushButton { background-color: rgb(224, 224, 224);"
                       " border: 1px solid rgb(128, 128, 128); padding: 0px; }"
                       "QPushButton:pressed { background-color: rgb(200, 200, 200); }"));
}

HotSpot *PlaylistWindow::hotSpot(const QString &name, QRect twips, const QString &toolTip)
{
    auto *spot = new HotSpot(name, this);
    spot->setGeometry(fromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    if (!toolTip.isEmpty())
        spot->setToolTip(toolTip);
    return spot;
}

void PlaylistWindow::buildToolbar()
{
    HotSpot *import = hotSpot(
        QStringLiteral("Label3"), { 3420, 2205, 870, 240 }, QStringLiteral(u"打开TUNVIA列表文件"));
    connect(import, &HotSpot::clicked, this, &PlaylistWindow::importList);
    HotSpot *exportSpot = hotSpot(QStringLiteral("Label4"), { 4320, 2205, 870, 240 },
        QStringLiteral(u"把当前列表保存成列表文件。"));
    connect(exportSpot, &HotSpot::clicked, this, &PlaylistWindow::exportList);

    HotSpot *add = hotSpot(QStringLiteral("Label1"), { 2250, 2205, 555, 240 },
        QStringLiteral(u"增加一个文件或网址或一个目录。"));
    connect(add, &HotSpot::clicked, this, [this] { Q_EMIT menuRequested(PopupMenu::Add, this); });
    HotSpot *del = hotSpot(QStringLiteral("Label2"), { 2835, 2205, 555, 240 },
        QStringLiteral(u"删除当前选择的或删除全部。"));
    connect(
        del, &HotSpot::clicked, this, [this] { Q_EMIT menuRequested(PopupMenu::Delete, this); });
    HotSpot *focus = hotSpot(QStringLiteral("Label5"), { 180, 2160, 780, 330 },
        QStringLiteral(u"选择您系统上其他的播放器。"));
    connect(focus, &HotSpot::clicked, m_otherPlayers, [this] { m_otherPlayers->setFocus(); });
}

// The frame's hot spots: drag strip, lock button, compact, full, close.
// Placed here; the window frame gives Image1, Image6, Image7 and Image11 their behaviour.
void PlaylistWindow::buildFrameControls()
{
    m_dragStrip = hotSpot(
        QStringLiteral("Image1"), { 90, 45, 4425, 285 }, QStringLiteral(u"双击可以缩小放大"));
    m_lockButton = hotSpot(
        QStringLiteral("Image11"), { 135, 135, 405, 165 }, QStringLiteral(u"锁定或分开两个窗口"));
    Skin::showPicture(m_lockButton, QStringLiteral("lock-locked"), { 27, 11 });
    m_minButton = hotSpot(QStringLiteral("Image6"), { 4545, 90, 195, 195 }, {});
    m_maxButton = hotSpot(QStringLiteral("Image7"), { 4770, 135, 195, 150 }, {});
    m_closeButton = hotSpot(QStringLiteral("Image2"), { 4995, 90, 150, 195 }, {});
    connect(m_closeButton, &HotSpot::clicked, this, &QWidget::close);

    m_frame = new WindowFrame(this, DockGeometry::Side::Playlist, m_context.state);
    new CaptionDrag(m_dragStrip, this, [this] { snapAndDock(); });
    connect(m_dragStrip, &HotSpot::doubleClicked, m_frame, &WindowFrame::toggleHeight);
    connect(m_minButton, &HotSpot::clicked, this, &PlaylistWindow::rollUp);
    connect(m_maxButton, &HotSpot::clicked, this, &PlaylistWindow::restoreHeight);
    m_frame->attachLockButton(m_lockButton);
}

void PlaylistWindow::loadList()
{
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

void PlaylistWindow::reportIncompleteList(bool tooManyItems)
{
    const QString what = tooManyItems ? QStringLiteral(u"播放列表文件中的项目太多，无法全部读取：")
                                      : QStringLiteral(u"无法完整读取播放列表文件：");
    m_context.prompts.message(this,
        what + m_store->readPath() + u'\r'
            + QStringLiteral(
                u"已读出的项目保留在列表中。为保护原文件，关闭播放列表时不会保存对列表的更改。"),
        QStringLiteral(u"播放列表"), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::reportFullList(qsizetype refused)
{
    m_context.prompts.message(this,
        QStringLiteral(u"播放列表已满，%1 个项目没有加入。").arg(refused),
        QStringLiteral(u"播放列表"), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::reportUnsafeLink()
{
    m_context.prompts.message(this,
        QStringLiteral(u"播放列表文件 %1 是一个链接，而这个链接、它指向的文件或它所在的文件夹"
                       u"并不只属于您。为安全起见，关闭播放列表时不会通过这个链接保存列表。")
            .arg(m_store->path()),
        QStringLiteral(u"播放列表"), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::reportUnsavableFolder()
{
    m_context.prompts.message(this,
        QStringLiteral(u"无法创建或写入文件夹 %1，这次对播放列表的更改不能保存。")
            .arg(m_context.folder.path()),
        QStringLiteral(u"播放列表"), Prompts::Icon::Warning, Prompts::Buttons::Ok);
}

void PlaylistWindow::saveList()
{
    if (m_saved)
        return;
    m_saved = true;
    m_store->save(*m_model);
}

void PlaylistWindow::saveKeepingOpen()
{
    m_store->save(*m_model);
}

bool PlaylistWindow::loadFailed() const
{
    return m_store->loadFailed();
}

void PlaylistWindow::appendItem(PlaylistItem::Icon icon, const QString &text)
{
    m_model->appendItem(icon, text);
}

void PlaylistWindow::appendItems(QList<PlaylistItem> items)
{
    m_model->appendItems(std::move(items));
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
    m_playback->playCurrent(m_otherPlayers->currentText());
}

void PlaylistWindow::closeEvent(QCloseEvent *event)
{
    // Closing unloads the window: separate lock mode, then the list is saved
    // (once, however many ways the program's end reaches this window).
    m_context.state.lockMode = LockMode::Separate;
    saveList();
    event->accept();
}

void PlaylistWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(
        0, 0, Skin::pixmap(QStringLiteral("playlist"), { 358, 177 }, devicePixelRatioF()));
}
