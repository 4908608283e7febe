#include "ui/skin/skin.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <QTest>

#include <cstring>

// The pictures drawn while building must be the drawings themselves, at
// every scale factor the windows may have and at the size they show them.
class TestSkin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyPictureLooksAsDrawn_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<qreal>("ratio");
        QStringList drawings
            = QDir(QStringLiteral(":/skin")).entryList({ QStringLiteral("*.svg") });
        QVERIFY(drawings.size() > 10);
        // Every drawing of the skin is in the catalogue, and only those.
        QStringList catalogued;
        for (const Skin::Picture picture : Skin::kPictures)
            catalogued << Skin::fileName(picture) + QStringLiteral(".svg");
        catalogued.sort();
        drawings.sort();
        QCOMPARE(catalogued, drawings);
        for (const Skin::Picture picture : Skin::kPictures) {
            for (const qreal ratio : { 1.0, 1.5, 2.0 }) {
                QTest::addRow("%s@%g", qPrintable(Skin::fileName(picture)), ratio)
                    << int(picture) << ratio;
            }
        }
    }

    void everyPictureLooksAsDrawn()
    {
        QFETCH(int, picture);
        QFETCH(qreal, ratio);
        const auto shown = Skin::Picture(picture);
        const QString name = Skin::fileName(shown);
        QSvgRenderer drawing(QStringLiteral(":/skin/%1.svg").arg(name));
        QVERIFY(drawing.isValid());
        const QSize size = drawing.defaultSize();
        QCOMPARE(Skin::size(shown), size);
        QImage expected(size * ratio, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter painter(&expected);
        drawing.render(&painter);
        painter.end();
        expected.setDevicePixelRatio(ratio);

        // At 1 and 2 the windows take the pictures drawn while building.
        if (ratio != 1.5) {
            const QResource baked(ratio == 1 ? QStringLiteral(":/skin/%1.pixels").arg(name)
                                             : QStringLiteral(":/skin/%1@2x.pixels").arg(name));
            QVERIFY(baked.isValid());
            const QByteArray bytes = baked.uncompressedData();
            quint32 pixels[2] = {};
            QVERIFY(bytes.size() >= qsizetype(sizeof pixels));
            std::memcpy(pixels, bytes.constData(), sizeof pixels);
            QCOMPARE(QSize(int(pixels[0]), int(pixels[1])), Skin::size(shown) * ratio);
        }
        const QPixmap pixmap = Skin::pixmap(shown, ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
        // Asked again, the same picture comes back.
        QCOMPARE(Skin::pixmap(shown, ratio).cacheKey(), pixmap.cacheKey());
    }
};

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
