#include "ui/skin/skin.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <cstring>
#include <memory>

namespace Skin {

namespace {

// The picture as drawn while building, when the window shows it at its own
// size and a scale factor of 1 or 2; a null pixmap otherwise.
QPixmap bakedPixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio)
{
    const int scale = qRound(devicePixelRatio);
    if ((scale != 1 && scale != 2) || !qFuzzyCompare(devicePixelRatio, qreal(scale)))
        return {};
    const QResource resource(scale == 1 ? QStringLiteral(":/skin/%1.pixels").arg(name)
                                        : QStringLiteral(":/skin/%1@2x.pixels").arg(name));
    auto bytes = std::make_unique<QByteArray>(resource.uncompressedData());
    quint32 size[2] = {};
    if (bytes->size() < qsizetype(sizeof size))
        return {};
    std::memcpy(size, bytes->constData(), sizeof size);
    const QSize pixels { int(size[0]), int(size[1]) };
    if (pixels != logicalSize * scale
        || bytes->size()
            != qsizetype(sizeof size) + qsizetype(pixels.width()) * pixels.height() * 4)
        return {};
    // The pixmap may keep the image's pixels rather than copy them, so the
    // image owns the bytes.
    const uchar *pixelData = reinterpret_cast<const uchar *>(bytes->constData()) + sizeof size;
    QImage image(
        pixelData, pixels.width(), pixels.height(), pixels.width() * 4,
        QImage::Format_ARGB32_Premultiplied,
        [](void *owned) { delete static_cast<QByteArray *>(owned); }, bytes.release());
    QPixmap baked = QPixmap::fromImage(std::move(image));
    baked.setDevicePixelRatio(scale);
    return baked;
}

QPixmap renderedPixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio)
{
    QSvgRenderer renderer(QStringLiteral(":/skin/%1.svg").arg(name));
    QPixmap result(logicalSize * devicePixelRatio);
    result.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&result);
        renderer.render(&painter);
    }
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

struct Picture
{
    QString name;
    QSize size;
    qreal ratio;
    friend bool operator==(const Picture &, const Picture &) = default;
};

size_t qHash(const Picture &picture, size_t seed = 0)
{
    return qHashMulti(
        seed, picture.name, picture.size.width(), picture.size.height(), picture.ratio);
}

// The skin is a few dozen pictures: they stay until the application ends.
QHash<Picture, QPixmap> &drawnPictures()
{
    static QHash<Picture, QPixmap> pictures;
    static const bool cleared = [] {
        qAddPostRoutine([] { pictures.clear(); });
        return true;
    }();
    Q_UNUSED(cleared);
    return pictures;
}

} // namespace

QPixmap pixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio)
{
    // Windows ask for their background at every paint, the activity bar's
    // several times a second: a lookup must not build strings.
    const Picture key { name, logicalSize, devicePixelRatio };
    QHash<Picture, QPixmap> &drawn = drawnPictures();
    if (const auto found = drawn.constFind(key); found != drawn.cend())
        return *found;
    QPixmap result = bakedPixmap(name, logicalSize, devicePixelRatio);
    if (result.isNull())
        result = renderedPixmap(name, logicalSize, devicePixelRatio);
    drawn.insert(key, result);
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
