#include "ui/common/hotspotaccessible.h"

#include "ui/common/hotspot.h"

HotSpotAccessible::HotSpotAccessible(HotSpot *spot)
    : QAccessibleWidget(spot, QAccessible::Button)
{
}

QAccessibleInterface *HotSpotAccessible::create(const QString &className, QObject *object)
{
    auto *spot = qobject_cast<HotSpot *>(object);
    if (!spot || className != QLatin1String(HotSpot::staticMetaObject.className()))
        return nullptr;
    return new HotSpotAccessible(spot);
}

HotSpot *HotSpotAccessible::spot() const
{
    return static_cast<HotSpot *>(widget());
}

QAccessible::Role HotSpotAccessible::role() const
{
    return spot()->property("link").toBool() ? QAccessible::Link : QAccessible::Button;
}

QString HotSpotAccessible::text(QAccessible::Text t) const
{
    const QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty())
        return spot()->text(); // the caption of a text button or a link
    // Most hot spots are named by their tool tip: it describes nothing more.
    if (t == QAccessible::Description && text == QAccessibleWidget::text(QAccessible::Name))
        return {};
    return text;
}

QStringList HotSpotAccessible::actionNames() const
{
    return QStringList { pressAction() } + QAccessibleWidget::actionNames();
}

void HotSpotAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        spot()->activate();
    else
        QAccessibleWidget::doAction(actionName);
}
