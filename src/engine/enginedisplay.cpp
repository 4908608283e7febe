#include "engine/enginedisplay.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

namespace {

const QColor backgroundTop(0x14, 0x22, 0x36);
const QColor backgroundBottom(0x0b, 0x15, 0x24);
const QColor frameColor(0x3c, 0x5a, 0x7c);
const QColor textColor(0xcf, 0xdd, 0xec);
const QColor stateColor(0x8c, 0xc8, 0xf4);
const QColor errorColor(0xf4, 0xa0, 0x90);
const QColor trackColor(0x24, 0x38, 0x52);
const QColor barColor(0x6a, 0xa6, 0xd8);

} // namespace

EngineDisplay::EngineDisplay(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("RealAudio1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

bool EngineDisplay::showsVideo() const
{
    return m_status.hasVideo && !m_frame.isNull();
}

void EngineDisplay::showStatus(const PlaybackStatus &status)
{
    if (status == m_status)
        return;
    const bool hadVideo = m_status.hasVideo;
    m_status = status;
    if (!m_status.hasVideo)
        m_frame = QImage();
    // Over video only the switch between video and panel needs a repaint.
    if (!m_status.hasVideo || !hadVideo)
        update();
}

void EngineDisplay::showFrame(const QImage &frame)
{
    if (!m_status.hasVideo || m_announced.isEmpty())
        return;
    m_frame = frame;
    update();
}

void EngineDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (showsVideo()) {
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(rect(), m_frame);
        return;
    }
    paintPanel(painter);
}

void EngineDisplay::paintPanel(QPainter &painter)
{
    QFont small = font();
    small.setPixelSize(qBound(9, height() / 4, 12));
    painter.setFont(small);
    const QFontMetrics metrics = painter.fontMetrics();
    const QString time = m_status.timeText()
        + (m_status.entryText().isEmpty() ? QString() : QLatin1String("  ") + m_status.entryText());
    const PanelLook look { size(), devicePixelRatioF(), small, m_status.stateText(),
        m_status.state == MediaEngine::Stopped && !m_status.errorText.isEmpty(), m_status.title,
        time.isEmpty() ? 0 : metrics.horizontalAdvance(time) + 8 };
    if (look != m_panelLook || m_panel.isNull())
        drawPanelLook(look);
    painter.drawPixmap(0, 0, m_panel);

    const QRect text = rect().adjusted(6, 3, -6, -3);
    painter.setPen(textColor);
    painter.drawText(QRect(text.left(), text.top(), text.width(), metrics.height()),
        Qt::AlignRight | Qt::AlignVCenter, time);
    paintProgress(painter);
}

void EngineDisplay::drawPanelLook(const PanelLook &look)
{
    m_panelLook = look;
    m_panel = QPixmap(look.size * look.pixelRatio);
    m_panel.setDevicePixelRatio(look.pixelRatio);
    QPainter painter(&m_panel);
    const QRect area(QPoint(0, 0), look.size);
    QLinearGradient gradient(0, 0, 0, area.height());
    gradient.setColorAt(0, backgroundTop);
    gradient.setColorAt(1, backgroundBottom);
    painter.fillRect(area, gradient);
    painter.setPen(frameColor);
    painter.drawRect(area.adjusted(0, 0, -1, -1));

    painter.setFont(look.font);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect text = area.adjusted(6, 3, -6, -3);
    const QRect first(text.left(), text.top(), text.width(), metrics.height());
    const QRect second = first.translated(0, metrics.height() + 1);
    painter.setPen(look.error ? errorColor : stateColor);
    const QRect stateRect = first.adjusted(0, 0, -look.timeWidth, 0);
    painter.drawText(stateRect, Qt::AlignLeft | Qt::AlignVCenter,
        metrics.elidedText(look.state, Qt::ElideRight, stateRect.width()));
    painter.setPen(textColor);
    painter.drawText(second, Qt::AlignLeft | Qt::AlignVCenter,
        metrics.elidedText(look.title, Qt::ElideMiddle, second.width()));
}

// A thin bar under the text: elapsed part of the total, or the buffer fill.
void EngineDisplay::paintProgress(QPainter &painter)
{
    double fraction = -1;
    if (m_status.state == MediaEngine::Buffering)
        fraction = m_status.bufferPercent / 100.0;
    else if (m_status.state != MediaEngine::Stopped && m_status.duration > 0
        && m_status.elapsed >= 0)
        fraction = double(m_status.elapsed) / double(m_status.duration);
    if (fraction < 0)
        return;
    const QRect track(6, height() - 7, width() - 12, 3);
    painter.fillRect(track, trackColor);
    QRect done = track;
    done.setWidth(qRound(track.width() * qBound(0.0, fraction, 1.0)));
    painter.fillRect(done, barColor);
}

void EngineDisplay::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    announceSize();
}

void EngineDisplay::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    announceSize();
}

void EngineDisplay::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_frame = QImage();
    announceSize();
}

void EngineDisplay::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    announceSize();
}

// Rolling the window up or down changes its height; minimizing, its state.
bool EngineDisplay::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_window && (type == QEvent::Resize || type == QEvent::WindowStateChange))
        announceSize();
    return QWidget::eventFilter(watched, event);
}

void EngineDisplay::watchWindow()
{
    QWidget *top = window();
    if (top == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = top != this ? top : nullptr;
    if (m_window)
        m_window->installEventFilter(this);
}

bool EngineDisplay::canBeSeen() const
{
    const QWidget *top = window();
    if (!isVisible() || top->isMinimized())
        return false;
    return QRect(mapTo(top, QPoint(0, 0)), size()).intersects(top->rect());
}

void EngineDisplay::announceSize()
{
    watchWindow();
    const QSize size
        = canBeSeen() ? (QSizeF(this->size()) * devicePixelRatioF()).toSize() : QSize();
    if (size == m_announced)
        return;
    m_announced = size;
    Q_EMIT videoSizeChanged(size);
}
