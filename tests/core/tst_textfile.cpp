#include "core/program/appfolder.h"
#include "core/text/spaces.h"
#include "core/text/textfile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

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

    void bytesNoEncodingFitsAreReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("latin1.ram"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Caf\xe9 del Mar.mp3\r\nplain.mp3\r\n");
        file.close();
        const TextFile::ReadResult read = TextFile::readLines(path);
        QCOMPARE(read.status, TextFile::ReadStatus::Undecodable);
        QCOMPARE(read.lines.size(), 2);
        QCOMPARE(read.lines.at(1), QStringLiteral("plain.mp3"));
        QCOMPARE(TextFile::systemEncodingName(), QByteArray("UTF-8")); // the tests run in C.UTF-8
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
