#include "core/program/appfolder.h"
#include "core/text/spaces.h"
#include "core/text/textfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

using namespace Qt::StringLiterals;
#include <csignal>
#include <sys/resource.h>

class TestTextFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList {};
        QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList { u"a"_qs, u"b"_qs };
        QTest::newRow("cr only") << QStringLiteral("a\rb\r") << QStringList { u"a"_qs, u"b"_qs };
        QTest::newRow("lf only") << QStringLiteral("a\nb\n") << QStringList { u"a"_qs, u"b"_qs };
        QTest::newRow("mixed") << QStringLiteral("a\rb\nc\r\nd")
                               << QStringList { u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs };
        QTest::newRow("no final ending") << QStringLiteral("x") << QStringList { u"x"_qs };
        QTest::newRow("empty lines kept")
            << QStringLiteral("\r\n\r\na\r\n") << QStringList { QString(), QString(), u"a"_qs };
        QTest::newRow("lf cr is two endings")
            << QStringLiteral("a\n\rb") << QStringList { u"a"_qs, QString(), u"b"_qs };
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFile::splitLines(text), lines);
    }

    void roundTripWritesCrLfAndReadsBackChinese()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        const QStringList lines { QStringLiteral("file:///音乐/我的 歌#1%20.mp3"), QString(),
            QStringLiteral("http://example.com/a.rm") };
        QVERIFY(TextFile::writeLines(path, lines));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("a.rm\r\n"));
        QCOMPARE(bytes.count("\r\n"), 3);
        const TextFile::ReadResult read = TextFile::readLines(path);
        QCOMPARE(read.status, TextFile::ReadStatus::Ok);
        QCOMPARE(read.lines, lines);
    }

    void gbkBytesFallBackToGb18030()
    {
        QStringEncoder gbk("GB18030");
        const QString text = QStringLiteral("file://D:\\歌曲\\月亮代表我的心.mp3\r\n");
        const QByteArray bytes = gbk(text);
        QCOMPARE(TextFile::decode(bytes), text);
        QCOMPARE(TextFile::decode(QByteArray("plain ascii")), QStringLiteral("plain ascii"));
    }

    void linesDecodeOneByOne_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QStringEncoder gbk("GB18030");
        const QByteArray utf8 = QStringLiteral(u"中文歌.mp3").toUtf8();
        QTest::newRow("one Latin-1 line among UTF-8")
            << utf8 + "\r\ncaf\xe9.mp3\r\n" + QStringLiteral(u"日本.mp3").toUtf8()
            << QStringList { u"中文歌.mp3"_s, u"café.mp3"_s, u"日本.mp3"_s };
        QTest::newRow("one GBK line among UTF-8") << utf8 + "\n" + QByteArray(gbk(u"月亮.mp3"_s))
                + "\n" + utf8 << QStringList { u"中文歌.mp3"_s, u"月亮.mp3"_s, u"中文歌.mp3"_s };
        // "路" in GBK is also valid UTF-8: a GBK list stays GBK throughout.
        QTest::newRow("GBK list with a stray byte")
            << QByteArray(gbk(u"路.mp3\n歌曲.mp3\n月亮.mp3\n"_s)) + "\xff\n"
            << QStringList { u"路.mp3"_s, u"歌曲.mp3"_s, u"月亮.mp3"_s, u"ÿ"_s };
    }

    void linesDecodeOneByOne()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFile::splitLines(TextFile::decode(bytes)), lines);
    }

    void missingAndUnreadableAreTold()
    {
        QTemporaryDir dir;
        QCOMPARE(TextFile::readLines(dir.filePath(QStringLiteral("none"))).status,
            TextFile::ReadStatus::NotFound);
        QCOMPARE(TextFile::readLines(dir.path()).status, TextFile::ReadStatus::Unreadable);
    }

    void failedWriteKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.cfg"));
        QVERIFY(TextFile::writeLines(path, { QStringLiteral("old") }));
        // A file-size limit makes the write fail even for root (disk full alike).
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tiny = saved;
        tiny.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &tiny);
        const bool wrote = TextFile::writeLines(path, QStringList(100, QStringLiteral("new line")));
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!wrote);
        QCOMPARE(TextFile::readLines(path).lines, QStringList { QStringLiteral("old") });
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("keep.cfg") });
    }

    void everyByteDecodesSoNoTextIsLost()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("latin1.ram"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Caf\xe9 del Mar.mp3\r\nplain.mp3\r\n");
        file.close();
        const TextFile::ReadResult read = TextFile::readLines(path);
        QCOMPARE(read.status, TextFile::ReadStatus::Ok);
        QCOMPARE(read.lines,
            (QStringList { QStringLiteral(u"Café del Mar.mp3"), QStringLiteral("plain.mp3") }));
        QCOMPARE(TextFile::systemEncodingName(), QByteArray("UTF-8")); // the tests run in C.UTF-8

        // Bytes valid in no other encoding: one character each, given back unchanged.
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all += char(byte);
        const QString text = TextFile::decode(all);
        QCOMPARE(text.size(), 256);
        QStringEncoder windows1252("windows-1252");
        QCOMPARE(QByteArray(windows1252(text)), all);
    }

    void aByteOrderMarkSaysUtf8AndIsNoText()
    {
        const QString korean = QStringLiteral(u"한국 노래.mp3");
        QCOMPARE(TextFile::decode("\xEF\xBB\xBF" + korean.toUtf8()), korean);
        // Even where GB18030 would read the same bytes as other characters.
        QStringEncoder gb18030("GB18030");
        const QByteArray marked = "\xEF\xBB\xBF" + QByteArray(gb18030(QStringLiteral(u"中文")));
        QCOMPARE(TextFile::decode(marked), QStringLiteral(u"中文"));
    }

    void whatTheLocaleCannotHoldIsSavedAsMarkedUtf8()
    {
        QTemporaryDir locales;
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
            { QStringLiteral("-i"), QStringLiteral("zh_CN"), QStringLiteral("-f"),
                QStringLiteral("GBK"), locales.filePath(QStringLiteral("zh_CN.GBK")) });
        if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0)
            QSKIP("the zh_CN.GBK locale cannot be made here");
        qputenv("LOCPATH", QFile::encodeName(locales.path()));
        const bool gbk = std::setlocale(LC_CTYPE, "zh_CN.GBK") != nullptr;
        const QByteArray encoding = TextFile::systemEncodingName();
        QTemporaryDir dir;
        const QString chinese = dir.filePath(QStringLiteral("chinese.cfg"));
        const QString mixed = dir.filePath(QStringLiteral("mixed.cfg"));
        const QStringList korean { QStringLiteral(u"file:///音乐/한국 노래.mp3"),
            QStringLiteral(u"http://h/😀.mp3") };
        const bool wrote = TextFile::writeLines(chinese, { QStringLiteral(u"中文.mp3") })
            && TextFile::writeLines(mixed, korean);
        const TextFile::ReadResult read = TextFile::readLines(mixed);
        std::setlocale(LC_CTYPE, "C.UTF-8");
        qunsetenv("LOCPATH");
        QVERIFY(gbk);
        QCOMPARE(encoding, QByteArray("GBK"));
        QVERIFY(wrote);
        QFile file(chinese);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xD6\xD0\xCE\xC4.mp3\r\n")); // fits: GBK
        QCOMPARE(read.lines, korean);
    }

    void onlySpacesAreTrimmed()
    {
        QCOMPARE(trimSpaces(QStringLiteral("  a b  ")), QStringLiteral("a b"));
        QCOMPARE(trimSpaces(QStringLiteral("   ")), QString());
        QCOMPARE(trimSpaces(QStringLiteral(u"\t歌\u3000")), QStringLiteral(u"\t歌\u3000"));
    }

    void appFolderJoinsNamesAndFallsBackWhenReadOnly()
    {
        QTemporaryDir dir;
        AppFolder folder(dir.path() + u'/');
        QCOMPARE(folder.file(QStringLiteral("xlist.cfg")),
            QDir::toNativeSeparators(dir.path() + QStringLiteral("/xlist.cfg")));
        const QString fallback = dir.filePath(QStringLiteral("user/data"));
        QCOMPARE(AppFolder::forProgram(dir.path(), fallback).path(),
            QDir::toNativeSeparators(dir.path()));
        const QString missing = dir.filePath(QStringLiteral("no/such/program/folder"));
        QCOMPARE(
            AppFolder::forProgram(missing, fallback).path(), QDir::toNativeSeparators(fallback));
        QVERIFY(QDir(fallback).exists());
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
