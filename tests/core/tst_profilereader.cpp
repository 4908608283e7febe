#include "core/update/profilereader.h"

#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

// Profile files as peers write them, and what each key reads as.
class TestProfileReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsLikeWindows_data();
    void readsLikeWindows();
    void readsGbkWrittenOnChineseWindows();
};

static const QString kMissing = u"<missing>"_s;

void TestProfileReader::readsLikeWindows_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray plain = "[updatex]\r\nnewverson=1.07\r\nnewurl=http://a.example/t.zip\r\n";
    QTest::newRow("plain") << plain << u"updatex"_s << u"newverson"_s << u"1.07"_s;
    QTest::newRow("second key") << plain << u"updatex"_s << u"newurl"_s
                                << u"http://a.example/t.zip"_s;
    QTest::newRow("missing key") << plain << u"updatex"_s << u"newinfo"_s << kMissing;
    QTest::newRow("missing section") << plain << u"other"_s << u"newverson"_s << kMissing;
    QTest::newRow("names ignore case")
        << QByteArray("[UpdateX]\nNEWVERSON=1.08\n") << u"updatex"_s << u"newverson"_s << u"1.08"_s;
    QTest::newRow("spaces and tabs around names and value")
        << QByteArray("  [ updatex ]  \n \t newverson \t=  1.09 \t\n") << u"updatex"_s
        << u"newverson"_s << u"1.09"_s;
    QTest::newRow("inner spaces kept")
        << QByteArray("[updatex]\nnewinfo = a  b \n") << u"updatex"_s << u"newinfo"_s << u"a  b"_s;
    QTest::newRow("double quotes removed") << QByteArray("[updatex]\nnewinfo=\" spaced \"\n")
                                           << u"updatex"_s << u"newinfo"_s << u" spaced "_s;
    QTest::newRow("single quotes removed")
        << QByteArray("[updatex]\nnewinfo='x'\n") << u"updatex"_s << u"newinfo"_s << u"x"_s;
    QTest::newRow("only one pair of quotes") << QByteArray("[updatex]\nnewinfo=\"\"x\"\"\n")
                                             << u"updatex"_s << u"newinfo"_s << u"\"x\""_s;
    QTest::newRow("quotes that do not match stay")
        << QByteArray("[updatex]\nnewinfo=\"x'\n") << u"updatex"_s << u"newinfo"_s << u"\"x'"_s;
    QTest::newRow("empty value is a value")
        << QByteArray("[updatex]\nnewinfo=\n") << u"updatex"_s << u"newinfo"_s << QString();
    QTest::newRow("value keeps later equals signs")
        << QByteArray("[updatex]\nnewurl=http://a.example/d?x=1&y=2\n") << u"updatex"_s
        << u"newurl"_s << u"http://a.example/d?x=1&y=2"_s;
    QTest::newRow("first key wins") << QByteArray("[updatex]\nnewverson=1.07\nnewverson=9\n")
                                    << u"updatex"_s << u"newverson"_s << u"1.07"_s;
    QTest::newRow("first section wins")
        << QByteArray("[updatex]\nnewurl=http://a\n[updatex]\nnewverson=9\n") << u"updatex"_s
        << u"newverson"_s << kMissing;
    QTest::newRow("key of another section is not ours")
        << QByteArray("[other]\nnewverson=9\n[updatex]\nnewurl=x\n") << u"updatex"_s
        << u"newverson"_s << kMissing;
    QTest::newRow("keys before any section belong to none")
        << QByteArray("newverson=9\n[updatex]\n") << u"updatex"_s << u"newverson"_s << kMissing;
    QTest::newRow("line without equals sign is no key")
        << QByteArray("[updatex]\nnewverson\nnewverson=1.2\n") << u"updatex"_s << u"newverson"_s
        << u"1.2"_s;
    QTest::newRow("CR alone ends lines") << QByteArray("[updatex]\rnewverson=1.3\rnewurl=u\r")
                                         << u"updatex"_s << u"newverson"_s << u"1.3"_s;
    QTest::newRow("mixed line ends") << QByteArray("[updatex]\r\nnewurl=u\nnewverson=1.4\r")
                                     << u"updatex"_s << u"newverson"_s << u"1.4"_s;
    QTest::newRow("UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF[updatex]\nnewinfo=\xE6\x96\xB0\xE7\x89\x88\n") << u"updatex"_s
        << u"newinfo"_s << u"新版"_s;
    QTest::newRow("UTF-16 behind its byte-order mark, as Notepad saves")
        << QByteArray(QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                          .encode(u"[updatex]\r\nnewinfo=新版\r\n"_s))
        << u"updatex"_s << u"newinfo"_s << u"新版"_s;
    QTest::newRow("value cut at 254 characters")
        << (QByteArray("[updatex]\nnewinfo=") + QByteArray(300, 'x') + '\n') << u"updatex"_s
        << u"newinfo"_s << QString(254, u'x');
    QTest::newRow("254 characters kept whole")
        << (QByteArray("[updatex]\nnewinfo=") + QByteArray(254, 'y')) << u"updatex"_s
        << u"newinfo"_s << QString(254, u'y');
    QTest::newRow("header without closing bracket")
        << QByteArray("[updatex\nnewverson=1.5\n") << u"updatex"_s << u"newverson"_s << u"1.5"_s;
    QTest::newRow("empty file") << QByteArray() << u"updatex"_s << u"newverson"_s << kMissing;
    QTest::newRow("an HTML page is no profile")
        << QByteArray("<html><body>newverson=2</body></html>") << u"updatex"_s << u"newverson"_s
        << kMissing;
}

void TestProfileReader::readsLikeWindows()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(ProfileReader::fromBytes(file).value(section, key, kMissing), expected);
}

void TestProfileReader::readsGbkWrittenOnChineseWindows()
{
    // "新版本" in GBK is not valid UTF-8, so it falls back to GB18030.
    const QByteArray file = "[updatex]\r\nnewinfo=\xD0\xC2\xB0\xE6\xB1\xBE\r\n";
    QCOMPARE(ProfileReader::fromBytes(file).value(u"updatex"_s, u"newinfo"_s), u"新版本"_s);
}

QTEST_APPLESS_MAIN(TestProfileReader)
#include "tst_profilereader.moc"
