#include "core/player/monitorrules.h"

#include <QTest>

class TestMonitorRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sliderForVolume_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("position");
        QTest::newRow("silent") << 0 << 1;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("just below a step") << 4 << 1;
        QTest::newRow("on a step") << 5 << 2;
        QTest::newRow("half") << 50 << 11;
        QTest::newRow("loudest used") << 99 << 20;
        QTest::newRow("above the range is clamped") << 100 << 20;
        QTest::newRow("far above") << 1000 << 20;
        QTest::newRow("negative") << -3 << 1;
    }
    void sliderForVolume()
    {
        QFETCH(int, volume);
        QFETCH(int, position);
        QCOMPARE(MonitorRules::sliderForVolume(volume), position);
    }

    void everyPositionReadsBackAsItself()
    {
        for (int s = MonitorRules::kSliderMin; s <= MonitorRules::kSliderMax; ++s)
            QCOMPARE(MonitorRules::sliderForVolume(MonitorRules::volumeForSlider(s)), s);
        QCOMPARE(MonitorRules::volumeForSlider(1), 4);
        QCOMPARE(MonitorRules::volumeForSlider(20), 99);
    }

    void activityRunsOneToTenThenTwoToTen()
    {
        QList<int> seen;
        int value = 0;
        for (int i = 0; i < 20; ++i) {
            value = MonitorRules::nextActivityValue(value);
            seen << value;
        }
        const QList<int> expected { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2 };
        QCOMPARE(seen, expected);
    }
};

QTEST_APPLESS_MAIN(TestMonitorRules)
#include "tst_monitorrules.moc"
