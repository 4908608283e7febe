#include "skin/skin.h"

#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace Skin {

QPixmap pixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("tunvia-skin:%1:%2x%3@%4")
                            .arg(name)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(devicePixelRatio);
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    QSvgRenderer renderer(QStringLiteral(":/skin/%1.svg").arg(name));
    result = QPixmap(logicalSize * devicePixelRatio);
    result.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&result);
        renderer.render(&painter);
    }
    result.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, result);
    return result;
}

} // namespace Skin
