#include "ui/skin/skin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

// The pictures drawn while building must be the drawings themselves, at
// every scale factor the windows may have.
class TestSkin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyPictureLooksAsDrawn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("ratio");
        const QStringList drawings
            = QDir(QStringLiteral(":/skin")).entryList({ QStringLiteral("*.svg") });
        QVERIFY(drawings.size() > 10);
        for (const QString &file : drawings) {
            const QString name = file.chopped(4);
            for (const qreal ratio : { 1.0, 1.5, 2.0 })
                QTest::addRow("%s@%g", qPrintable(name), ratio) << name << ratio;
        }
    }

    void everyPictureLooksAsDrawn()
    {
        QFETCH(QString, name);
        QFETCH(qreal, ratio);
        QSvgRenderer drawing(QStringLiteral(":/skin/%1.svg").arg(name));
        QVERIFY(drawing.isValid());
        const QSize size = drawing.defaultSize();
        QImage expected(size * ratio, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter painter(&expected);
        drawing.render(&painter);
        painter.end();
        expected.setDevicePixelRatio(ratio);

        // At 1 and 2 the windows take the pictures drawn while building.
        if (ratio != 1.5) {
            QVERIFY(QFile::exists(ratio == 1 ? QStringLiteral(":/skin/%1.pixels").arg(name)
                                             : QStringLiteral(":/skin/%1@2x.pixels").arg(name)));
        }
        const QPixmap picture = Skin::pixmap(name, size, ratio);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
        // Asked again, the same picture comes back.
        QCOMPARE(Skin::pixmap(name, size, ratio).cacheKey(), picture.cacheKey());
    }
};

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
