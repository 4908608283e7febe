#include "ui/frame/captiondrag.h"

#include <QMouseEvent>
#include <QWidget>

CaptionDrag::CaptionDrag(QWidget *handle, QWidget *window, std::function<void()> followUp)
    : QObject(handle)
    , m_window(window)
    , m_followUp(std::move(followUp))
{
    handle->installEventFilter(this);
}

bool CaptionDrag::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent *>(event));
        return false;
    case QEvent::MouseMove:
        return move(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonRelease:
        release(static_cast<QMouseEvent *>(event));
        return false;
    default:
        return false;
    }
}

void CaptionDrag::press(const QMouseEvent *mouse)
{
    // A move whose release never reached us (another program took the
    // pointer) ends with the next press that comes without the left button.
    if (m_dragging && !mouse->buttons().testFlag(Qt::LeftButton))
        m_dragging = false;
    if (mouse->button() != Qt::LeftButton) {
        if (!m_dragging)
            finish();
        return;
    }
    m_dragging = true;
    m_pressGlobal = mouse->globalPosition();
    m_windowStart = m_window->pos();
}

bool CaptionDrag::move(const QMouseEvent *mouse)
{
    if (!m_dragging)
        return false;
    if (!mouse->buttons().testFlag(Qt::LeftButton)) {
        // The release went elsewhere: end the move here rather than let the
        // window follow a free pointer.
        m_dragging = false;
        finish();
        return false;
    }
    // Offsets from the press, not from the window's current place, so the
    // window cannot drift while the window system catches up. Rounding the
    // whole offset once keeps fractional logical positions (scale factors
    // above 1) from making the window jitter.
    const QPoint target = m_windowStart + (mouse->globalPosition() - m_pressGlobal).toPoint();
    if (target != m_window->pos())
        m_window->move(target);
    return true;
}

void CaptionDrag::release(const QMouseEvent *mouse)
{
    if (m_dragging && mouse->button() == Qt::LeftButton) {
        m_dragging = false;
        finish();
    }
}

void CaptionDrag::finish()
{
    if (m_followUp)
        m_followUp();
}
