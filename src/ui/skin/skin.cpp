#include "ui/skin/skin.h"

#include <QLabel>
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

void showPicture(QLabel *label, const QString &name, QSize logicalSize)
{
    label->setProperty("skinPicture", name);
    label->setProperty("skinPictureSize", logicalSize);
    label->setPixmap(pixmap(name, logicalSize, label->devicePixelRatioF()));
}

void refreshPictures(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QString name = label->property("skinPicture").toString();
        if (!name.isEmpty())
            showPicture(label, name, label->property("skinPictureSize").toSize());
    }
}

} // namespace Skin
