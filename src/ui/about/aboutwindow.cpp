#include "ui/about/aboutwindow.h"

#include "core/geometry/twips.h"
#include "core/program/launcher.h"
#include "ui/about/abouttexts.h"
#include "ui/common/hotspot.h"
#include "ui/frame/captiondrag.h"
#include "ui/frame/windowroutines.h"
#include "ui/skin/skin.h"

#include <QCursor>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kWindowSize(461, 267); // 6915 x 4005 twips
constexpr QSize kBackgroundSize(459, 268);
// A control's place on a tab page, relative to the whole tab control as the
// skin is drawn; the page itself starts below the row of tabs.
constexpr char kTabPlace[] = "tabPlace";

QRect twips(int left, int top, int width, int height)
{
    return QRect(
        twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

// Every corner cut.
QVector<QPoint> outline()
{
    return { { 7, 0 }, { 0, 10 }, { 0, 257 }, { 11, 266 }, { 448, 267 }, { 458, 257 }, { 458, 9 },
        { 452, 0 }, { 7, 0 } };
}

QFont songFont()
{
    return QFont(u"宋体"_s, 9);
}

QString windowStyleSheet()
{
    // Only the window's own controls: boxes it opens keep the desktop's look.
    return uR"(
AboutWindow QWidget#Picture1 { background: rgb(224, 224, 224); }
AboutWindow HotSpot[link="true"] { color: #0000ff; }
AboutWindow HotSpot[link="true"]:hover { text-decoration: underline; }
AboutWindow QPlainTextEdit { background: rgb(224, 224, 224); color: #1b2733;
    border: 1px solid #8796a8; }
AboutWindow QTabWidget::pane { border: 1px solid #0b1522; background: #e8eef5; top: -1px; }
AboutWindow QTabBar::tab { height: 18px; padding: 0px 10px; margin-right: 2px; color: #dce6f2;
    border: 1px solid #0b1522; border-bottom: none; border-top-left-radius: 3px;
    border-top-right-radius: 3px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
    stop:0 #4c84b8, stop:1 #24517d); }
AboutWindow QTabBar::tab:selected { color: #1b2733; background: #e8eef5; }
AboutWindow QTabBar::tab:!selected:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
    stop:0 #5d97cc, stop:1 #2c5e90); }
AboutWindow QGroupBox#Frame1 { border: 1px solid #8796a8; margin: 0px; }
)"_s;
}

// The skin's link pointer, or the desktop's pointing hand where the skin has none.
QCursor linkCursor(qreal devicePixelRatio)
{
    if (!QFile::exists(u":/skin/link-pointer.svg"_s))
        return QCursor(Qt::PointingHandCursor);
    return QCursor(Skin::pixmap(u"link-pointer"_s, QSize(32, 32), devicePixelRatio), 6, 1);
}

HotSpot *makeLink(QWidget *parent, const QString &name, QRect geometry, const QString &caption)
{
    auto *link = new HotSpot(name, parent);
    link->setGeometry(geometry);
    link->setText(caption);
    link->setFont(songFont());
    link->setProperty("link", true);
    link->setCursor(linkCursor(parent->devicePixelRatioF()));
    return link;
}

// Room for the widest first column, so that the second column of the file
// type table lines up.
qreal tabStopFor(const QString &text, const QFontMetricsF &metrics)
{
    qreal widest = 0;
    for (const QString &line : text.split(u'\n')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab > 0)
            widest = qMax(widest, metrics.horizontalAdvance(line.left(tab)));
    }
    return widest + metrics.horizontalAdvance(u"  "_s);
}

QPlainTextEdit *makeText(QWidget *parent, const QString &name, const QString &text)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFont(songFont());
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabStopDistance(tabStopFor(text, QFontMetricsF(edit->font())));
    edit->setPlainText(text);
    return edit;
}

void setTabPlace(QWidget *control, QRect place)
{
    control->setProperty(kTabPlace, place);
    control->setGeometry(place);
}

} // namespace

AboutWindow::AboutWindow(Launcher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_launcher(launcher)
{
    setObjectName(u"about"_s);
    setWindowTitle(u"关于本软件"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_AlwaysShowToolTips); // also while another window is active
    setFixedSize(kWindowSize);
    setStyleSheet(windowStyleSheet());
    buildTabs();
    buildFrame();
    buildLinks();
    WindowRoutines::applyShape(this, outline());
    centreOnScreen();
}

int AboutWindow::currentTab() const
{
    return m_tabs->currentIndex();
}

void AboutWindow::showTab(int tab)
{
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

void AboutWindow::showUpdateCheckRunning(bool running)
{
    m_checkLink->setText(running ? u"正在检查……"_s : u"检查新版本"_s);
    m_checkLink->setEnabled(!running);
}

void AboutWindow::buildFrame()
{
    auto *strip = new QLabel(this);
    strip->setObjectName(u"Image2"_s);
    strip->setGeometry(twips(540, 135, 5820, 330));
    new CaptionDrag(strip, this); // no snapping follows the move

    auto *close = new HotSpot(u"Label10"_s, this);
    close->setGeometry(twips(6390, 225, 285, 150));
    close->setToolTip(u"关闭这个窗口"_s);
    connect(close, &HotSpot::clicked, this, &QWidget::close);
}

void AboutWindow::buildLinks()
{
    auto *box = new QWidget(this);
    box->setObjectName(u"Picture1"_s);
    box->setAttribute(Qt::WA_StyledBackground);
    box->setGeometry(twips(4275, 495, 2310, 330));

    m_checkLink = makeLink(box, u"Label5"_s, twips(45, 45, 960, 195), u"检查新版本"_s);
    connect(m_checkLink, &HotSpot::clicked, this, &AboutWindow::updateCheckRequested);

    // The credit keeps its right edge and grows leftwards when this font
    // needs more room than the skin's place gives it.
    const QString credit = u"作者："_s + AboutTexts::authorName();
    QRect place = twips(1350, 45, 915, 195);
    place.setLeft(place.right() + 1
        - qMax(place.width(), QFontMetrics(songFont()).horizontalAdvance(credit) + 2));
    HotSpot *author = makeLink(box, u"Label1"_s, place, credit);
    author->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    author->setToolTip(AboutTexts::authorMail());
    connect(author, &HotSpot::clicked, this,
        [this] { m_launcher.openUrl(u"mailto:"_s + AboutTexts::authorMail()); });
}

void AboutWindow::buildTabs()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"SSTab1"_s);
    m_tabs->setGeometry(twips(225, 540, 6450, 3345));
    m_tabs->addTab(buildAboutPage(), u"关于Tunvia"_s);
    m_tabs->addTab(buildInstructionsPage(), u"使用说明"_s);
    m_tabs->addTab(buildHistoryPage(), u"更新历史"_s);
    m_tabs->setCurrentIndex(IntroductionTab);
}

QWidget *AboutWindow::newPage()
{
    auto *page = new QWidget;
    page->installEventFilter(this);
    return page;
}

QWidget *AboutWindow::buildAboutPage()
{
    QWidget *page = newPage();
    auto *picture = new QLabel(page);
    picture->setObjectName(u"Image1"_s);
    setTabPlace(picture, twips(90, 585, 1800, 2550));
    Skin::showPicture(picture, u"about-picture"_s, QSize(120, 170));

    auto *line = new QFrame(page);
    line->setObjectName(u"Line1"_s);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    setTabPlace(
        line, QRect(twipsToPixels(90), twipsToPixels(540) - 1, twipsToPixels(6345 - 90), 2));

    setTabPlace(
        makeText(page, u"Text2"_s, AboutTexts::introduction()), twips(1935, 675, 4380, 2490));
    return page;
}

QWidget *AboutWindow::buildInstructionsPage()
{
    QWidget *page = newPage();
    auto *picture = new QLabel(page);
    picture->setObjectName(u"Image3"_s);
    picture->setAlignment(Qt::AlignCenter);
    setTabPlace(picture, twips(135, 450, 6120, 2745));
    Skin::showPicture(picture, u"about-instructions"_s, QSize(404, 179));
    return page;
}

QWidget *AboutWindow::buildHistoryPage()
{
    QWidget *page = newPage();
    auto *frame = new QGroupBox(page);
    frame->setObjectName(u"Frame1"_s);
    setTabPlace(frame, twips(180, 405, 6135, 2760));
    makeText(frame, u"Text1"_s, AboutTexts::history())->setGeometry(twips(180, 360, 5775, 2310));
    return page;
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The tab control lays its pages out below the row of tabs; their
    // controls follow wherever that puts them.
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        placeOnPage(static_cast<QWidget *>(watched));
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::placeOnPage(QWidget *page)
{
    const QPoint offset = page->mapTo(m_tabs, QPoint(0, 0));
    for (QWidget *control : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QVariant place = control->property(kTabPlace);
        if (place.isValid())
            control->setGeometry(place.toRect().translated(-offset));
    }
}

void AboutWindow::centreOnScreen()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

bool AboutWindow::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal)
        Skin::refreshPictures(this); // the new screen may have another scale factor
    return QWidget::event(event);
}

void AboutWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x1b, 0x2d, 0x44)); // where the skin has no picture
    painter.drawPixmap(
        0, 0, Skin::pixmap(u"about-background"_s, kBackgroundSize, devicePixelRatioF()));
}
