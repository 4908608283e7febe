#include "ui/common/hotspot.h"

#include "ui/common/controlrows.h"
#include "ui/common/hotspotaccessible.h"

#include <QAccessible>
#include <QMouseEvent>

HotSpot::HotSpot(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    static const bool readable = [] {
        QAccessible::installFactory(&HotSpotAccessible::create);
        return true;
    }();
    Q_UNUSED(readable);
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
}

HotSpot::HotSpot(const ControlRow &row, QWidget *parent)
    : HotSpot(QString::fromLatin1(row.name), parent)
{
    placeControl(this, row);
    if (!row.caption.isEmpty())
        setText(captionOf(row));
    // A captioned hot spot is read by its text.
    if (row.accessibleName.isEmpty() && !row.toolTip.isEmpty())
        setAccessibleName(row.toolTip.toString());
}

void HotSpot::activate()
{
    if (!isEnabled())
        return;
    if (m_activation == Activation::DoubleClick)
        Q_EMIT doubleClicked();
    else
        Q_EMIT clicked();
}

void HotSpot::mousePressEvent(QMouseEvent *event)
{
    m_armed = event->button() == Qt::LeftButton;
    Q_EMIT pressed(event->button());
    event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && m_armed && inside) {
        m_armed = false;
        Q_EMIT clicked();
    }
    event->accept();
}

void HotSpot::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    event->accept();
}
