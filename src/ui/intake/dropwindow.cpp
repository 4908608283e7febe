#include "ui/intake/dropwindow.h"

#include "core/geometry/twips.h"
#include "core/intake/dropcontent.h"
#include "core/intake/droplayout.h"
#include "ui/common/controlrows.h"
#include "ui/common/prompts.h"
#include "ui/frame/captiondrag.h"
#include "ui/frame/windowroutines.h"
#include "ui/skin/skin.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

bool offersItems(const QMimeData *data)
{
    return data && (data->hasText() || data->hasUrls());
}

} // namespace

DropWindow::DropWindow(Prompts &prompts, QWidget *parent)
    : QWidget(parent)
    , m_prompts(prompts)
    , m_marker(new QLabel(this))
    , m_blinkTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("tuofang"));
    setWindowTitle(QStringLiteral("拖放口"));
    // A tool window: no frame, and no entry in the taskbar or the switcher.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_AlwaysShowToolTips); // also while another window is active
    setFixedSize(Skin::size(Skin::Picture::DropWindow));
    WindowRoutines::applyShape(this, DropLayout::outline());
    setAcceptDrops(true);
    setToolTip(QStringLiteral("把文件或网址拖到这里，加入播放列表"));
    move(twipsToPixels(DropLayout::kStartTwips.x()), twipsToPixels(DropLayout::kStartTwips.y()));

    placeControl(m_marker, DropLayout::kMarker);
    m_marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    Skin::showPicture(m_marker, Skin::Picture::DropMarker);
    m_marker->hide();

    m_blinkTimer->setObjectName(QStringLiteral("Timer1"));
    m_blinkTimer->setInterval(500);
    connect(m_blinkTimer, &QTimer::timeout, this, &DropWindow::toggleMarker);
    new CaptionDrag(this, this); // no snapping afterwards
}

void DropWindow::placeAtScreenCorner(const QScreen *screen)
{
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + twipsToPixels(pixelsToTwips(area.width()) - DropLayout::kFromRightTwips),
        area.y() + twipsToPixels(DropLayout::kFromTopTwips));
}

void DropWindow::showOnTop()
{
    show();
    WindowRoutines::setAlwaysOnTop(this, true);
}

bool DropWindow::isBlinking() const
{
    return m_blinkTimer->isActive();
}

// The pointer arrives: the marker comes on at the first tick, 500 ms later.
void DropWindow::enterEvent(QEnterEvent *event)
{
    if (!m_blinkTimer->isActive())
        m_blinkTimer->start();
    QWidget::enterEvent(event);
}

void DropWindow::leaveEvent(QEvent *event)
{
    becomeIdle();
    QWidget::leaveEvent(event);
}

void DropWindow::showEvent(QShowEvent *event)
{
    becomeIdle(); // each showing starts idle
    QWidget::showEvent(event);
}

void DropWindow::hideEvent(QHideEvent *event)
{
    becomeIdle();
    QWidget::hideEvent(event);
}

void DropWindow::toggleMarker()
{
    m_marker->setVisible(m_marker->isHidden());
}

void DropWindow::becomeIdle()
{
    m_blinkTimer->stop();
    m_marker->hide();
}

void DropWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!offersItems(event->mimeData()))
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DropWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (!offersItems(event->mimeData()))
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

// The source keeps its data (copy); then the text, then the files.
void DropWindow::dropEvent(QDropEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (!event->mimeData())
        return;
    const DropContent::Reading reading = DropContent::read(*event->mimeData());
    if (!reading.items.isEmpty())
        Q_EMIT itemsDropped(reading.items);
    if (reading.textRefused) // after the drop, so the source is not kept waiting
        QTimer::singleShot(0, this, &DropWindow::explainRefusedText);
}

void DropWindow::explainRefusedText()
{
    m_prompts.message(this,
        QStringLiteral("拖来的文字有好几行，又不是每行一个网址或文件，所以没有加入播放列表。"
                       "\n一个播放列表条目只能是一行文字。"),
        windowTitle(), Prompts::Icon::Information, Prompts::Buttons::Ok);
}

void DropWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, Skin::pixmap(Skin::Picture::DropWindow, devicePixelRatioF()));
}

bool DropWindow::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal)
        Skin::refreshPictures(this); // the new screen may have another scale factor
    return QWidget::event(event);
}
