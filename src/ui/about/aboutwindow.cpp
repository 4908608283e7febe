#include "ui/about/aboutwindow.h"

#include "core/about/aboutlayout.h"
#include "core/program/launcher.h"
#include "core/program/texts.h"
#include "ui/about/abouttexts.h"
#include "ui/common/controlrows.h"
#include "ui/common/hotspot.h"
#include "ui/frame/captiondrag.h"
#include "ui/frame/windowroutines.h"
#include "ui/skin/cjkfont.h"
#include "ui/skin/skin.h"
#include "ui/skin/skinstyle.h"

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

namespace {

// A control's place on a tab page, relative to the whole tab control as the
// skin is drawn; the page itself starts below the row of tabs.
constexpr char kTabPlace[] = "tabPlace";

// The skin's link pointer, or the desktop's pointing hand where the skin has none.
QCursor linkCursor(qreal devicePixelRatio)
{
    const Skin::Picture pointer = Skin::Picture::LinkPointer;
    if (!QFile::exists(QStringLiteral(":/skin/%1.svg").arg(Skin::fileName(pointer))))
        return QCursor(Qt::PointingHandCursor);
    return QCursor(Skin::pixmap(pointer, devicePixelRatio), 6, 1);
}

HotSpot *makeLink(QWidget *parent, const ControlRow &row)
{
    auto *link = new HotSpot(row, parent);
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
    return widest + metrics.horizontalAdvance(QStringLiteral("  "));
}

QPlainTextEdit *makeText(QWidget *parent, const ControlRow &row, const QString &text)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(QString::fromLatin1(row.name));
    edit->setAccessibleName(spokenName(row).toString());
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

void setTabPlace(QWidget *control, const ControlRow &row)
{
    control->setObjectName(QString::fromLatin1(row.name));
    setTabPlace(control, twipsRect(row.twips));
}

} // namespace

AboutWindow::AboutWindow(Launcher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_launcher(launcher)
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(Texts::kAboutProgram.toString());
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_AlwaysShowToolTips); // also while another window is active
    setFixedSize(AboutLayout::kWindowSize);
    setStyleSheet(SkinStyle::aboutWindow());
    buildTabs();
    buildFrame();
    buildLinks();
    WindowRoutines::applyShape(this, AboutLayout::outline());
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
    m_checkLink->setText(
        running ? QStringLiteral("正在检查……") : Texts::kCheckForUpdate.toString());
    m_checkLink->setEnabled(!running);
}

void AboutWindow::buildFrame()
{
    auto *strip = new QLabel(this);
    placeControl(strip, AboutLayout::kDragStrip);
    new CaptionDrag(strip, this); // no snapping follows the move

    auto *close = new HotSpot(AboutLayout::kClose, this);
    connect(close, &HotSpot::clicked, this, &QWidget::close);
}

void AboutWindow::buildLinks()
{
    auto *box = new QWidget(this);
    placeControl(box, AboutLayout::kLinkBox);
    box->setAttribute(Qt::WA_StyledBackground);

    m_checkLink = makeLink(box, AboutLayout::kUpdateCheckLink);
    connect(m_checkLink, &HotSpot::clicked, this, &AboutWindow::updateCheckRequested);

    // The credit keeps its right edge and grows leftwards when this font
    // needs more room than the skin's place gives it.
    const QString credit = captionOf(AboutLayout::kAuthorLink) + AboutTexts::authorName();
    QRect place = twipsRect(AboutLayout::kAuthorLink.twips);
    place.setLeft(place.right() + 1
        - qMax(place.width(), QFontMetrics(songFont()).horizontalAdvance(credit) + 2));
    HotSpot *author = makeLink(box, AboutLayout::kAuthorLink);
    author->setGeometry(place);
    author->setText(credit);
    author->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    author->setToolTip(AboutTexts::authorMail());
    connect(author, &HotSpot::clicked, this,
        [this] { m_launcher.openUrl(QStringLiteral("mailto:") + AboutTexts::authorMail()); });
}

void AboutWindow::buildTabs()
{
    m_tabs = new QTabWidget(this);
    placeControl(m_tabs, AboutLayout::kTabs);
    const auto &titles = AboutLayout::kTabTitles;
    m_tabs->addTab(buildAboutPage(), titles[IntroductionTab].toString());
    m_tabs->addTab(buildInstructionsPage(), titles[InstructionsTab].toString());
    m_tabs->addTab(buildHistoryPage(), titles[HistoryTab].toString());
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
    setTabPlace(picture, AboutLayout::kPicture);
    Skin::showPicture(picture, Skin::Picture::AboutPicture);

    auto *line = new QFrame(page);
    line->setObjectName(QString::fromLatin1(AboutLayout::kLine.name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    setTabPlace(line, twipsRect(AboutLayout::kLine.twips).translated(0, -1));

    const ControlRow &text = AboutLayout::kIntroduction;
    setTabPlace(makeText(page, text, AboutTexts::introduction()), twipsRect(text.twips));
    return page;
}

QWidget *AboutWindow::buildInstructionsPage()
{
    QWidget *page = newPage();
    auto *picture = new QLabel(page);
    picture->setAlignment(Qt::AlignCenter);
    setTabPlace(picture, AboutLayout::kInstructions);
    Skin::showPicture(picture, Skin::Picture::AboutInstructions);
    return page;
}

QWidget *AboutWindow::buildHistoryPage()
{
    QWidget *page = newPage();
    auto *frame = new QGroupBox(page);
    setTabPlace(frame, AboutLayout::kHistoryFrame);
    const ControlRow &text = AboutLayout::kHistory;
    makeText(frame, text, AboutTexts::history())->setGeometry(twipsRect(text.twips));
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
    painter.fillRect(rect(), SkinStyle::kAboutBackdrop); // where the skin has no picture
    painter.drawPixmap(0, 0, Skin::pixmap(Skin::Picture::AboutBackground, devicePixelRatioF()));
}
