#include "ui/skin/skin.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <cstring>
#include <iterator>
#include <memory>

namespace Skin {

namespace {

struct CatalogueEntry
{
    const char *fileName;
    QSize size;
};

// In the order of the Picture enum.
constexpr CatalogueEntry kCatalogue[] = {
    { "player", { 443, 179 } },
    { "playlist", { 358, 177 } },
    { "logo", { 58, 72 } },
    { "header", { 24, 12 } },
    { "titlestrip", { 317, 14 } },
    { "fileicon", { 24, 12 } },
    { "addressicon", { 24, 12 } },
    { "lock-locked", { 27, 11 } },
    { "lock-separate", { 27, 11 } },
    { "check", { 11, 11 } },
    { "arrow-down", { 8, 5 } },
    { "dropwindow", { 41, 36 } },
    { "dropmarker", { 18, 25 } },
    { "about-background", { 459, 268 } },
    { "about-picture", { 120, 170 } },
    { "about-instructions", { 404, 179 } },
    { "link-pointer", { 32, 32 } },
    { "tunvia", { 64, 64 } },
};
static_assert(std::size(kCatalogue) == std::size(kPictures));

const CatalogueEntry &entry(Picture picture)
{
    return kCatalogue[static_cast<int>(picture)];
}

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

struct Drawn
{
    Picture picture;
    qreal ratio;
    friend bool operator==(const Drawn &, const Drawn &) = default;
};

size_t qHash(const Drawn &drawn, size_t seed = 0)
{
    return qHashMulti(seed, static_cast<int>(drawn.picture), drawn.ratio);
}

// The skin is a few dozen pictures: they stay until the application ends.
QHash<Drawn, QPixmap> &drawnPictures()
{
    static QHash<Drawn, QPixmap> pictures;
    static const bool cleared = [] {
        qAddPostRoutine([] { pictures.clear(); });
        return true;
    }();
    Q_UNUSED(cleared);
    return pictures;
}

} // namespace

QString fileName(Picture picture)
{
    return QString::fromLatin1(entry(picture).fileName);
}

QSize size(Picture picture)
{
    return entry(picture).size;
}

QPixmap pixmap(Picture picture, qreal devicePixelRatio)
{
    // Windows ask for their background at every paint, the activity bar's
    // several times a second: a lookup must not build strings.
    const Drawn key { picture, devicePixelRatio };
    QHash<Drawn, QPixmap> &drawn = drawnPictures();
    if (const auto found = drawn.constFind(key); found != drawn.cend())
        return *found;
    QPixmap result = bakedPixmap(fileName(picture), size(picture), devicePixelRatio);
    if (result.isNull())
        result = renderedPixmap(fileName(picture), size(picture), devicePixelRatio);
    drawn.insert(key, result);
    return result;
}

void showPicture(QLabel *label, Picture picture)
{
    label->setProperty("skinPicture", QVariant::fromValue(picture));
    label->setPixmap(pixmap(picture, label->devicePixelRatioF()));
}

void refreshPictures(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QVariant picture = label->property("skinPicture");
        if (picture.isValid())
            showPicture(label, picture.value<Picture>());
    }
}

} // namespace Skin
