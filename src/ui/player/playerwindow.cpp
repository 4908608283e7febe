#include "ui/player/playerwindow.h"

#include "core/media/mediaengine.h"
#include "core/player/monitorrules.h"
#include "core/player/playerlayout.h"
#include "core/program/desktopmixers.h"
#include "core/program/launcher.h"
#include "core/program/version.h"
#include "core/web/webaddresses.h"
#include "ui/common/appcontext.h"
#include "ui/common/controlrows.h"
#include "ui/common/hotspot.h"
#include "ui/common/prompts.h"
#include "ui/frame/captiondrag.h"
#include "ui/frame/windowframe.h"
#include "ui/frame/windowroutines.h"
#include "ui/player/activitybar.h"
#include "ui/player/playercommands.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinnedboxes.h"
#include "ui/skin/skinstyle.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTimer>

using PlayerLayout::Command;

namespace {

QLabel *makeLabel(QWidget *parent, const ControlRow &row, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    placeControl(label, row);
    return label;
}

} // namespace

PlayerWindow::PlayerWindow(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("playmain"));
    setWindowTitle(QStringLiteral("playmain"));
    setAccessibleName(PlayerLayout::kAccessibleName.toString());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(twipsSize(PlayerLayout::kWidthTwips, PlayerLayout::kFullHeightTwips));
    setStyleSheet(SkinStyle::playerWindow());
    // Hot spots explain themselves whether or not the window is active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    move(0, 0);

    m_commands = new PlayerCommands(context, this, [this](const QString &source) {
        if (!m_engine) {
            m_sourceWhenAttached = source;
            return;
        }
        m_engine->setSource(source);
        m_engine->startPlayback();
    });
    buildTransport();
    buildLabels();
    buildMonitor();
    buildOptions();
    buildSearchRow();
    buildTextButtons();
    buildFrameControls();

    WindowRoutines::applyShape(this, PlayerLayout::outline());
    show();
    m_category->setCurrentText(WebAddresses::searchCategories().constFirst());
}

void PlayerWindow::attachEngine(std::unique_ptr<MediaEngine> engine)
{
    m_engine = std::move(engine);
    QWidget *display = m_engine->createDisplay(this);
    placeControl(display, PlayerLayout::kEngineDisplay);
    display->show();
    connect(m_engine.get(), &MediaEngine::sourceOpened, this,
        [this] { m_engine->setListLooping(loopsList()); });
    // Show the engine's volume from the start; the delayed step syncs again.
    syncSliderFromEngine();
    // The desktop's media controls change the volume too.
    connect(m_engine.get(), &MediaEngine::volumeChanged, this, &PlayerWindow::syncSliderFromEngine);
    // What was asked to play while the engine started plays now.
    if (!m_sourceWhenAttached.isEmpty()) {
        m_engine->setSource(std::exchange(m_sourceWhenAttached, QString()));
        m_engine->startPlayback();
    }
}

PlayerWindow::~PlayerWindow() = default;

bool PlayerWindow::loopsList() const
{
    return m_loopBox->isChecked();
}

void PlayerWindow::setLoopsList(bool loops)
{
    m_loopBox->setChecked(loops);
}

void PlayerWindow::setDockPartner(QWidget *partner)
{
    m_frame->setPartner(partner);
}

void PlayerWindow::openFile()
{
    m_commands->openFile();
}

void PlayerWindow::openAddress()
{
    m_commands->openAddress();
}

void PlayerWindow::stopAndPlay(const QString &source)
{
    if (!m_engine) {
        m_sourceWhenAttached = source;
        return;
    }
    m_engine->stopPlayback();
    m_engine->setSource(source);
    m_engine->startPlayback();
}

void PlayerWindow::buildTransport()
{
    for (const PlayerLayout::Row &row : PlayerLayout::kTransport)
        addHotSpot(row);
}

HotSpot *PlayerWindow::addHotSpot(const PlayerLayout::Row &row)
{
    auto *spot = new HotSpot(row.control, this);
    const Command command = row.command;
    if (command == Command::MoveOrResize) {
        new CaptionDrag(spot, this, [this] { snapAndDock(); });
        connect(spot, &HotSpot::doubleClicked, this, &PlayerWindow::toggleHeight);
        spot->setActivation(HotSpot::Activation::DoubleClick);
    } else {
        connect(spot, &HotSpot::clicked, this, [this, command] { run(command); });
    }
    return spot;
}

void PlayerWindow::run(Command command)
{
    switch (command) {
    case Command::Play:
        return callEngine(&MediaEngine::startPlayback);
    case Command::Pause:
        return callEngine(&MediaEngine::pausePlayback);
    case Command::Stop:
        return callEngine(&MediaEngine::stopPlayback);
    case Command::PreviousEntry:
        return callEngine(&MediaEngine::skipToPreviousEntry);
    case Command::NextEntry:
        return callEngine(&MediaEngine::skipToNextEntry);
    case Command::Mixer:
        return openMixer();
    case Command::ShowPlaylist:
        return Q_EMIT playlistRequested();
    case Command::OpenMenu:
        return requestMenu(PopupMenu::Open);
    case Command::SettingsMenu:
        return requestMenu(PopupMenu::Settings);
    case Command::NavigationMenu:
        return requestMenu(PopupMenu::Navigation);
    case Command::MainMenu:
        return requestMenu(PopupMenu::Main);
    case Command::About:
        return Q_EMIT aboutRequested(AboutTab::AsItIs);
    case Command::Instructions:
        return Q_EMIT aboutRequested(AboutTab::Instructions);
    case Command::Close:
        return Q_EMIT quitRequested();
    case Command::RollUp:
        return rollUp();
    case Command::RestoreHeight:
        return restoreHeight();
    case Command::MoveOrResize:
        return; // dragged and double-clicked, not clicked
    }
}

void PlayerWindow::callEngine(void (MediaEngine::*call)())
{
    if (m_engine)
        (m_engine.get()->*call)();
}

void PlayerWindow::openMixer()
{
    const auto mixer = DesktopMixers::find(
        [](const QString &name) { return QStandardPaths::findExecutable(name); });
    if (mixer && m_context.launcher.startProgram(mixer->program, mixer->arguments))
        return;
    m_context.prompts.message(this,
        QStringLiteral("没有找到可以启动的音量控制程序。") + u'\n'
            + QStringLiteral("请安装软件包 %1 后再试。").arg(DesktopMixers::suggestedPackage()),
        QStringLiteral("音量控制"), Prompts::Icon::Information, Prompts::Buttons::Ok);
}

void PlayerWindow::buildLabels()
{
    for (const ControlRow &row : PlayerLayout::kLabels)
        makeLabel(this, row, captionOf(row));
    makeLabel(this, PlayerLayout::kVersionLabel,
        captionOf(PlayerLayout::kVersionLabel) + QLatin1String(kProgramVersionText));
}

void PlayerWindow::buildMonitor()
{
    m_volumeSlider = new QSlider(Qt::Horizontal, this);
    placeControl(m_volumeSlider, PlayerLayout::kVolumeSlider);
    m_volumeSlider->setRange(MonitorRules::kSliderMin, MonitorRules::kSliderMax);
    m_volumeSlider->setPageStep(1);
    m_volumeSlider->setFocusPolicy(Qt::NoFocus);
    syncSliderFromEngine();
    connect(m_volumeSlider, &QSlider::valueChanged, this, &PlayerWindow::applySliderVolume);

    m_activityBar = new ActivityBar(Skin::Picture::Player, this);
    placeControl(m_activityBar, PlayerLayout::kActivityBar);
    m_activityBar->setRange(0, MonitorRules::kActivityMax);
    m_activityBar->setValue(0);
    m_activityBar->setTextVisible(false);
    new CaptionDrag(m_activityBar, this, [this] { snapAndDock(); });

    m_activityTimer = new QTimer(this);
    m_activityTimer->setObjectName(QStringLiteral("Timer1"));
    m_activityTimer->setInterval(300);
    connect(m_activityTimer, &QTimer::timeout, this, &PlayerWindow::stepActivityBar);
    m_activityTimer->start();
}

void PlayerWindow::buildOptions()
{
    auto makeBox = [this](const ControlRow &row, bool checked) {
        auto *box = new SkinCheckBox(this);
        placeControl(box, row);
        box->setChecked(checked);
        return box;
    };
    m_onTopBox = makeBox(PlayerLayout::kOnTopBox, false);
    m_dropWindowBox = makeBox(PlayerLayout::kDropWindowBox, true);
    m_loopBox = makeBox(PlayerLayout::kLoopBox, true);

    // clicked, not toggled: each box acts when the user changes it.
    connect(m_onTopBox, &QCheckBox::clicked, this,
        [this](bool on) { WindowRoutines::setAlwaysOnTop(this, on); });
    connect(m_dropWindowBox, &QCheckBox::clicked, this, &PlayerWindow::dropWindowToggled);
    connect(m_loopBox, &QCheckBox::toggled, this, &PlayerWindow::loopListToggled);
}

void PlayerWindow::buildSearchRow()
{
    m_searchText = new QLineEdit(this);
    placeControl(m_searchText, PlayerLayout::kSearchText);

    m_category = new SkinComboBox(this);
    placeControl(m_category, PlayerLayout::kCategory);
    m_category->setEditable(true);
    m_category->lineEdit()->setAccessibleName(m_category->accessibleName()); // typed into
    m_category->setInsertPolicy(QComboBox::NoInsert); // a typed word stays out of the list
    m_category->setItemDelegate(new QStyledItemDelegate(m_category)); // rows styled by the sheet
    m_category->addItems(WebAddresses::searchCategories());

    auto *search = new QPushButton(captionOf(PlayerLayout::kSearchButton), this);
    placeControl(search, PlayerLayout::kSearchButton);
    connect(search, &QPushButton::clicked, this,
        [this] { m_commands->search(m_searchText->text(), m_category->currentText()); });
    connect(m_searchText, &QLineEdit::returnPressed, search, &QPushButton::click);

    auto *frame3 = new QWidget(this);
    placeControl(frame3, PlayerLayout::kCommandFrame);
    frame3->hide();
    auto *openFile = new QPushButton(captionOf(PlayerLayout::kOpenFileButton), frame3);
    placeControl(openFile, PlayerLayout::kOpenFileButton);
    auto *openAddress = new QPushButton(captionOf(PlayerLayout::kOpenAddressButton), frame3);
    placeControl(openAddress, PlayerLayout::kOpenAddressButton);
    connect(openFile, &QAbstractButton::clicked, m_commands, &PlayerCommands::openFile);
    connect(openAddress, &QAbstractButton::clicked, m_commands, &PlayerCommands::openAddress);

    m_startTimer = new QTimer(this);
    m_startTimer->setObjectName(QStringLiteral("Timer2"));
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(5000);
    connect(m_startTimer, &QTimer::timeout, this, &PlayerWindow::delayedStart);
    m_startTimer->start();
}

void PlayerWindow::buildTextButtons()
{
    for (const PlayerLayout::Row &row : PlayerLayout::kTextButtons)
        addHotSpot(row)->setProperty("textButton", true);
    for (const PlayerLayout::Row &row : PlayerLayout::kHotSpots)
        addHotSpot(row);
    HotSpot *logo = addHotSpot(PlayerLayout::kLogo);
    logo->setAlignment(Qt::AlignCenter);
    Skin::showPicture(logo, Skin::Picture::Logo);

    for (const ControlRow &row : PlayerLayout::kFaceBoxes) {
        auto *box = new QWidget(this);
        placeControl(box, row);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->lower();
    }
    auto *line = new QFrame(this);
    placeControl(line, PlayerLayout::kEngravedLine);
    line->setFrameShape(QFrame::NoFrame);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PlayerWindow::buildFrameControls()
{
    m_frame = new WindowFrame(this, DockGeometry::Side::Player, m_context.state);
    for (const PlayerLayout::Row &row : PlayerLayout::kFrameHotSpots) {
        HotSpot *spot = addHotSpot(row);
        if (row.command == Command::MoveOrResize)
            spot->lower(); // the activity bar lies over the strip and stays clickable
    }
}

void PlayerWindow::snapAndDock()
{
    m_frame->snapAndDock();
}

void PlayerWindow::restoreHeight()
{
    m_frame->restoreHeight();
}

void PlayerWindow::rollUp()
{
    m_frame->rollUp();
}

void PlayerWindow::toggleHeight()
{
    m_frame->toggleHeight();
}

void PlayerWindow::stepActivityBar()
{
    if (!m_engine || m_engine->playbackState() != MediaEngine::Playing)
        return;
    m_activityBar->setValue(MonitorRules::nextActivityValue(m_activityBar->value()));
}

void PlayerWindow::delayedStart()
{
    syncSliderFromEngine();
    Q_EMIT delayedStartReached();
}

void PlayerWindow::syncSliderFromEngine()
{
    if (!m_engine)
        return;
    m_syncingSlider = true;
    m_volumeSlider->setValue(MonitorRules::sliderForVolume(m_engine->volumeLevel()));
    m_syncingSlider = false;
}

void PlayerWindow::applySliderVolume(int position)
{
    if (m_syncingSlider || !m_engine)
        return;
    m_engine->setVolumeLevel(static_cast<qint16>(MonitorRules::volumeForSlider(position)));
}

void PlayerWindow::requestMenu(PopupMenu menu)
{
    Q_EMIT menuRequested(menu, this);
}

bool PlayerWindow::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal)
        Skin::refreshPictures(this); // the new screen may have another scale factor
    return QWidget::event(event);
}

void PlayerWindow::closeEvent(QCloseEvent *event)
{
    // Closed by the window manager (Alt+F4): end the program as the close
    // hot spot does, rather than play on with no controls.
    event->ignore();
    Q_EMIT quitRequested();
}

void PlayerWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, Skin::pixmap(Skin::Picture::Player, devicePixelRatioF()));
}
