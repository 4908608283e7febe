#include "ui/player/playerwindow.h"

#include "core/geometry/twips.h"
#include "core/media/mediaengine.h"
#include "core/player/monitorrules.h"
#include "core/player/playerlayout.h"
#include "core/program/desktopmixers.h"
#include "core/program/launcher.h"
#include "core/program/version.h"
#include "ui/common/appcontext.h"
#include "ui/common/hotspot.h"
#include "ui/common/prompts.h"
#include "ui/frame/captiondrag.h"
#include "ui/frame/windowframe.h"
#include "ui/frame/windowroutines.h"
#include "ui/player/playercommands.h"
#include "ui/player/playerstyle.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinnedboxes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTimer>

using PlayerLayout::pixels;

namespace {

HotSpot *makeHotSpot(QWidget *parent, const char *name, QRect geometry, const QString &toolTip)
{
    auto *spot = new HotSpot(QString::fromLatin1(name), parent);
    spot->setGeometry(geometry);
    spot->setToolTip(toolTip);
    return spot;
}

QLabel *makeLabel(QWidget *parent, const char *name, QRect geometry, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

} // namespace

PlayerWindow::PlayerWindow(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("playmain"));
    setWindowTitle(QStringLiteral("playmain"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(
        twipsToPixels(PlayerLayout::kWidthTwips), twipsToPixels(PlayerLayout::kFullHeightTwips));
    setStyleSheet(PlayerStyle::styleSheet());
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
    buildMonitor();
    buildOptions();
    buildSearchRow();
    buildTextButtons();
    buildFrameControls();

    WindowRoutines::applyShape(this, PlayerLayout::outline());
    show();
    m_category->setCurrentText(QStringLiteral("歌曲名称"));
}

void PlayerWindow::attachEngine(std::unique_ptr<MediaEngine> engine)
{
    m_engine = std::move(engine);
    QWidget *display = m_engine->createDisplay(this);
    display->setObjectName(QStringLiteral("RealAudio1"));
    display->setGeometry(pixels(1665, 405, 3870, 780));
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
    struct Transport
    {
        const char *name;
        QRect geometry;
        QString toolTip;
        void (MediaEngine::*call)();
    };
    const Transport buttons[] = {
        { "Label5", pixels(1755, 1260, 330, 285), QStringLiteral("播放"),
            &MediaEngine::startPlayback },
        { "Label6", pixels(2070, 1260, 330, 285), QStringLiteral("暂停"),
            &MediaEngine::pausePlayback },
        { "Label8", pixels(2385, 1260, 330, 285), QStringLiteral("停止"),
            &MediaEngine::stopPlayback },
        { "Label3", pixels(2700, 1260, 420, 285), QStringLiteral("向前跳一首"),
            &MediaEngine::skipToPreviousEntry },
        { "Label4", pixels(3060, 1260, 420, 285), QStringLiteral("向后跳一首"),
            &MediaEngine::skipToNextEntry },
    };
    for (const Transport &button : buttons) {
        HotSpot *spot = makeHotSpot(this, button.name, button.geometry, button.toolTip);
        const auto call = button.call;
        connect(spot, &HotSpot::clicked, this, [this, call] {
            if (m_engine)
                (m_engine.get()->*call)();
        });
    }

    HotSpot *mixer = makeHotSpot(
        this, "Label12", pixels(3600, 1260, 375, 240), QStringLiteral("Windows音量控制"));
    connect(mixer, &HotSpot::clicked, this, &PlayerWindow::openMixer);
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

void PlayerWindow::buildMonitor()
{
    // One pixel above the slider's row, so the text centres on the slider's well.
    makeLabel(this, "Label1", pixels(4095, 1290, 420, 195), QStringLiteral("音量"));

    m_volumeSlider = new QSlider(Qt::Horizontal, this);
    m_volumeSlider->setObjectName(QStringLiteral("Slider1"));
    m_volumeSlider->setGeometry(pixels(4500, 1305, 1005, 195));
    m_volumeSlider->setRange(MonitorRules::kSliderMin, MonitorRules::kSliderMax);
    m_volumeSlider->setPageStep(1);
    m_volumeSlider->setFocusPolicy(Qt::NoFocus);
    syncSliderFromEngine();
    connect(m_volumeSlider, &QSlider::valueChanged, this, &PlayerWindow::applySliderVolume);

    m_activityBar = new QProgressBar(this);
    m_activityBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_activityBar->setGeometry(pixels(4095, 180, 1365, 105));
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
    auto makeBox = [this](const char *name, QRect geometry, bool checked) {
        auto *box = new SkinCheckBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(geometry);
        box->setChecked(checked);
        return box;
    };
    m_onTopBox = makeBox("Check2", pixels(1755, 1755, 195, 195), false);
    m_dropWindowBox = makeBox("Check3", pixels(3105, 1755, 195, 180), true);
    m_loopBox = makeBox("Check1", pixels(4455, 1755, 195, 180), true);
    makeLabel(this, "Label9", pixels(1965, 1755, 1050, 195), QStringLiteral("最前面显示"));
    makeLabel(this, "Label10", pixels(3315, 1755, 1050, 195), QStringLiteral("显示拖放口"));
    makeLabel(this, "Label11", pixels(4665, 1755, 1155, 195), QStringLiteral("循环播放列表"));

    // clicked, not toggled: each box acts when the user changes it.
    connect(m_onTopBox, &QCheckBox::clicked, this,
        [this](bool on) { WindowRoutines::setAlwaysOnTop(this, on); });
    connect(m_dropWindowBox, &QCheckBox::clicked, this, &PlayerWindow::dropWindowToggled);
    connect(m_loopBox, &QCheckBox::toggled, this, &PlayerWindow::loopListToggled);
}

void PlayerWindow::buildSearchRow()
{
    makeLabel(this, "Label7", pixels(495, 2115, 915, 195),
        QStringLiteral("Ver:") + QLatin1String(kProgramVersionText));

    m_searchText = new QLineEdit(this);
    m_searchText->setObjectName(QStringLiteral("Text1"));
    m_searchText->setGeometry(pixels(2115, 2115, 1230, 315));
    m_searchText->setToolTip(QStringLiteral("在这里输入您要查询的内容"));

    m_category = new SkinComboBox(this);
    m_category->setObjectName(QStringLiteral("Combo1"));
    m_category->setGeometry(pixels(3375, 2115, 1050, 300));
    m_category->setEditable(true);
    m_category->setInsertPolicy(QComboBox::NoInsert); // a typed word stays out of the list
    m_category->setItemDelegate(new QStyledItemDelegate(m_category)); // rows styled by the sheet
    m_category->addItems(
        { QStringLiteral("歌曲名称"), QStringLiteral("乐队/歌手"), QStringLiteral("专辑名称") });

    auto *search = new QPushButton(QStringLiteral("歌曲搜索"), this);
    search->setObjectName(QStringLiteral("Command1"));
    search->setGeometry(pixels(4455, 2115, 1005, 285));
    search->setToolTip(QStringLiteral("点这里开始搜索"));
    connect(search, &QPushButton::clicked, this,
        [this] { m_commands->search(m_searchText->text(), m_category->currentText()); });
    connect(m_searchText, &QLineEdit::returnPressed, search, &QPushButton::click);

    // Frame3 lies outside the window and holds the buttons the menu presses.
    auto *frame3 = new QWidget(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    frame3->setGeometry(pixels(-855, 2520, 4425, 600));
    frame3->hide();
    auto *openFile = new QPushButton(QStringLiteral("打开文件"), frame3);
    openFile->setObjectName(QStringLiteral("Command2"));
    auto *openAddress = new QPushButton(QStringLiteral("打开网址"), frame3);
    openAddress->setObjectName(QStringLiteral("Command3"));
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
    auto textButton = [this](const char *name, QRect geometry, const QString &caption) {
        HotSpot *spot = makeHotSpot(this, name, geometry, QString());
        spot->setText(caption);
        spot->setProperty("textButton", true);
        return spot;
    };
    HotSpot *playlist
        = textButton("Label14", pixels(405, 900, 1095, 195), QStringLiteral("显示播放列表"));
    HotSpot *openMusic
        = textButton("Label15", pixels(405, 1215, 1050, 195), QStringLiteral("打开音乐"));
    HotSpot *settings
        = textButton("Label16", pixels(405, 1530, 1050, 195), QStringLiteral("系统设置"));
    HotSpot *about
        = textButton("Label13", pixels(405, 1845, 1050, 195), QStringLiteral("关于本软件"));
    connect(playlist, &HotSpot::clicked, this, &PlayerWindow::playlistRequested);
    connect(openMusic, &HotSpot::clicked, this, [this] { requestMenu(PopupMenu::Open); });
    connect(settings, &HotSpot::clicked, this, [this] { requestMenu(PopupMenu::Settings); });
    connect(about, &HotSpot::clicked, this, [this] { Q_EMIT aboutRequested(AboutTab::AsItIs); });

    HotSpot *navigation = makeHotSpot(this, "Label2", pixels(405, 540, 1050, 240), QString());
    connect(navigation, &HotSpot::clicked, this, [this] { requestMenu(PopupMenu::Navigation); });
    HotSpot *mainMenu
        = makeHotSpot(this, "Image4", pixels(90, 45, 330, 240), QStringLiteral("打开 文件/网址"));
    connect(mainMenu, &HotSpot::clicked, this, [this] { requestMenu(PopupMenu::Main); });

    HotSpot *help
        = makeHotSpot(this, "Image5", pixels(5535, 135, 240, 150), QStringLiteral("使用帮助"));
    connect(
        help, &HotSpot::clicked, this, [this] { Q_EMIT aboutRequested(AboutTab::Instructions); });
    HotSpot *logo = makeHotSpot(
        this, "Picture1", pixels(5580, 405, 915, 1140), QStringLiteral("Tunvia 版权信息"));
    logo->setAlignment(Qt::AlignCenter);
    Skin::showPicture(logo, QStringLiteral("logo"), QSize(58, 72));
    connect(logo, &HotSpot::clicked, this, [this] { Q_EMIT aboutRequested(AboutTab::AsItIs); });

    HotSpot *close
        = makeHotSpot(this, "Image3", pixels(6255, 135, 240, 150), QStringLiteral("关闭"));
    connect(close, &HotSpot::clicked, this, &PlayerWindow::quitRequested);

    // Empty picture boxes and the engraved line are part of the face only.
    for (const auto &[name, geometry] : { std::pair { "Picture2", pixels(4725, 450, 780, 240) },
             std::pair { "Picture3", pixels(1755, 450, 645, 240) } }) {
        auto *box = new QWidget(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(geometry);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->lower();
    }
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(pixels(1710, 1215, 5535 - 1710, 15));
    line->setFrameShape(QFrame::NoFrame);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PlayerWindow::buildFrameControls()
{
    m_frame = new WindowFrame(this, DockGeometry::Side::Player, m_context.state);
    HotSpot *strip = makeHotSpot(
        this, "Image1", pixels(405, 90, 5100, 240), QStringLiteral("双击可以缩小放大"));
    new CaptionDrag(strip, this, [this] { snapAndDock(); });
    connect(strip, &HotSpot::doubleClicked, this, &PlayerWindow::toggleHeight);
    strip->lower(); // the activity bar lies over the strip and stays clickable

    HotSpot *rollUp
        = makeHotSpot(this, "Image2", pixels(5760, 135, 240, 150), QStringLiteral("最小化"));
    connect(rollUp, &HotSpot::clicked, this, &PlayerWindow::rollUp);
    HotSpot *restore
        = makeHotSpot(this, "Image12", pixels(5985, 135, 240, 150), QStringLiteral("还原大小"));
    connect(restore, &HotSpot::clicked, this, &PlayerWindow::restoreHeight);
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
    painter.drawPixmap(
        0, 0, Skin::pixmap(QStringLiteral("player"), QSize(443, 179), devicePixelRatioF()));
}
