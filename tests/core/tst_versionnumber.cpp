#include "core/update/versionnumber.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include <clocale>
#include <limits>

using namespace Qt::StringLiterals;

class TestVersionNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesToTenThousandths_data();
    void parsesToTenThousandths();
    void formatsShortestAndRoundTrips_data();
    void formatsShortestAndRoundTrips();
    void onlyAStrictlyLargerNumberIsNewer();
    void germanLocaleReadsPointAsDecimalPoint();
};

static constexpr qint64 kInvalid = std::numeric_limits<qint64>::min() + 1; // marks "no number"

void TestVersionNumber::parsesToTenThousandths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");
    const qint64 max = std::numeric_limits<qint64>::max();
    const qint64 min = std::numeric_limits<qint64>::min();

    QTest::newRow("program version") << u"1.06"_s << qint64(10600);
    QTest::newRow("one ten-thousandth more") << u"1.0601"_s << qint64(10601);
    QTest::newRow("trailing zero") << u"1.10"_s << qint64(11000);
    QTest::newRow("same without it") << u"1.1"_s << qint64(11000);
    QTest::newRow("below one") << u"0.5"_s << qint64(5000);
    QTest::newRow("no whole part") << u".5"_s << qint64(5000);
    QTest::newRow("whole number") << u"2"_s << qint64(20000);
    QTest::newRow("spaces around") << u"  1.07 "_s << qint64(10700);
    QTest::newRow("negative") << u"-1.5"_s << qint64(-15000);
    QTest::newRow("largest") << u"922337203685477.5807"_s << max;
    QTest::newRow("smallest") << u"-922337203685477.5808"_s << min;

    // Rounding of the fifth and later decimals: half goes to the even digit.
    QTest::newRow("fifth below half") << u"1.00004999"_s << qint64(10000);
    QTest::newRow("fifth half to even down") << u"1.00005"_s << qint64(10000);
    QTest::newRow("fifth half to even up") << u"1.00015"_s << qint64(10002);
    QTest::newRow("just above half") << u"1.000050001"_s << qint64(10001);
    QTest::newRow("carry into whole") << u"1.99996"_s << qint64(20000);
    QTest::newRow("largest after rounding") << u"922337203685477.58074"_s << max;

    QTest::newRow("empty") << QString() << kInvalid;
    QTest::newRow("spaces only") << u"   "_s << kInvalid;
    QTest::newRow("letters") << u"abc"_s << kInvalid;
    QTest::newRow("comma as decimal point") << u"1,07"_s << kInvalid;
    QTest::newRow("two points") << u"1.0.7"_s << kInvalid;
    QTest::newRow("exponent") << u"1e2"_s << kInvalid;
    QTest::newRow("point alone") << u"."_s << kInvalid;
    QTest::newRow("sign alone") << u"-"_s << kInvalid;
    QTest::newRow("trailing text") << u"1.07beta"_s << kInvalid;
    QTest::newRow("full-width digits") << u"１.０７"_s << kInvalid;
    QTest::newRow("one beyond largest") << u"922337203685477.5808"_s << kInvalid;
    QTest::newRow("one beyond smallest") << u"-922337203685477.5809"_s << kInvalid;
    QTest::newRow("rounds beyond largest") << u"922337203685477.58075"_s << kInvalid;
    QTest::newRow("far beyond") << u"99999999999999999999999"_s << kInvalid;
}

void TestVersionNumber::parsesToTenThousandths()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    const std::optional<VersionNumber> parsed = VersionNumber::parse(text);
    if (expected == kInvalid) {
        QVERIFY2(!parsed, qPrintable(u"read as %1"_s.arg(parsed ? parsed->tenThousandths() : 0)));
        return;
    }
    QVERIFY(parsed);
    QCOMPARE(parsed->tenThousandths(), expected);
}

void TestVersionNumber::formatsShortestAndRoundTrips_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.1") << qint64(11000) << u"1.1"_s;
    QTest::newRow("1.06") << qint64(10600) << u"1.06"_s;
    QTest::newRow("1.0601") << qint64(10601) << u"1.0601"_s;
    QTest::newRow("whole") << qint64(20000) << u"2"_s;
    QTest::newRow("zero") << qint64(0) << u"0"_s;
    QTest::newRow("below one") << qint64(5000) << u"0.5"_s;
    QTest::newRow("negative below one") << qint64(-5000) << u"-0.5"_s;
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << u"922337203685477.5807"_s;
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << u"-922337203685477.5808"_s;
}

void TestVersionNumber::formatsShortestAndRoundTrips()
{
    QFETCH(qint64, count);
    QFETCH(QString, text);
    const VersionNumber number = VersionNumber::fromTenThousandths(count);
    QCOMPARE(number.toString(), text);
    const std::optional<VersionNumber> back = VersionNumber::parse(text);
    QVERIFY(back);
    QCOMPARE(back->tenThousandths(), count);
}

void TestVersionNumber::onlyAStrictlyLargerNumberIsNewer()
{
    const VersionNumber program = VersionNumber::fromTenThousandths(10600);
    QVERIFY(!(program < *VersionNumber::parse(u"1.06"_s)));
    QVERIFY(!(program < *VersionNumber::parse(u"1.060049"_s))); // rounds to 1.06
    QVERIFY(program < *VersionNumber::parse(u"1.0601"_s));
    QVERIFY(program < *VersionNumber::parse(u"1.1"_s));
    QVERIFY(!(program < *VersionNumber::parse(u"1.05999"_s))); // rounds to 1.06
    QVERIFY(!(program < *VersionNumber::parse(u"0.99"_s)));
}

void TestVersionNumber::germanLocaleReadsPointAsDecimalPoint()
{
    // In German "." groups thousands; the page's "1.07" must still be 1.07
    // and not 107, which would announce a false update.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray previousC = std::setlocale(LC_ALL, nullptr);
    const bool haveGermanC = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const auto restore = qScopeGuard([&] {
        QLocale::setDefault(previous);
        std::setlocale(LC_ALL, previousC.constData());
    });

    const std::optional<VersionNumber> parsed = VersionNumber::parse(u"1.07"_s);
    QVERIFY(parsed);
    QCOMPARE(parsed->tenThousandths(), qint64(10700));
    QVERIFY(!VersionNumber::parse(u"1,07"_s));
    QCOMPARE(VersionNumber::fromTenThousandths(1234567).toString(), u"123.4567"_s);
    if (!haveGermanC)
        qInfo(
            "the C library has no de_DE.UTF-8 locale here; checked with Qt's default locale only");
}

QTEST_APPLESS_MAIN(TestVersionNumber)
#include "tst_versionnumber.moc"
