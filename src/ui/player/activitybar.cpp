#include "ui/player/activitybar.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionProgressBar>

ActivityBar::ActivityBar(Skin::Picture backdrop, QWidget *parent)
    : QProgressBar(parent)
    , m_backdrop(backdrop)
{
}

bool ActivityBar::event(QEvent *event)
{
    const bool handled = QProgressBar::event(event);
    // Every pixel comes from a look, which holds the backdrop as well. The
    // style sheet's polish clears this, so it is set again after each one.
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
        setAttribute(Qt::WA_OpaquePaintEvent);
    return handled;
}

void ActivityBar::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (ratio != m_lookRatio) {
        forgetLooks();
        m_lookRatio = ratio;
    }
    const int step = value() - minimum();
    QPainter painter(this);
    if (step < 0 || step >= kLooks) {
        painter.drawPixmap(0, 0, drawLook());
        return;
    }
    QPixmap &look = m_looks[std::size_t(step)];
    if (look.isNull())
        look = drawLook();
    painter.drawPixmap(0, 0, look);
}

QPixmap ActivityBar::drawLook()
{
    const qreal ratio = devicePixelRatioF();
    QPixmap look(size() * ratio);
    look.setDevicePixelRatio(ratio);
    QPainter painter(&look);
    painter.drawPixmap(-pos(), Skin::pixmap(m_backdrop, ratio));
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
    return look;
}

void ActivityBar::forgetLooks()
{
    m_looks.fill(QPixmap());
}

void ActivityBar::changeEvent(QEvent *event)
{
    forgetLooks(); // style, palette, font or enabled state may draw otherwise
    QProgressBar::changeEvent(event);
}

void ActivityBar::moveEvent(QMoveEvent *event)
{
    forgetLooks();
    QProgressBar::moveEvent(event);
}

void ActivityBar::resizeEvent(QResizeEvent *event)
{
    forgetLooks();
    QProgressBar::resizeEvent(event);
}
