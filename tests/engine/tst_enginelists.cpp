// The real engine given lists and list addresses chosen to hurt: long lists,
// lists longer than it plays, and downloads it must refuse.
#include "engine/mpvengine.h"
#include "engine/ramlist.h"
#include "enginetestkit.h"
#include "support/testfiles.h"
#include "support/testmedia.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace EngineTestKit;

class TestEngineLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_media.isValid());
        QVERIFY(TestMedia::generate(
            TestMedia::Kind::Mp3, m_media.filePath(QStringLiteral("one.mp3")), 3));
    }
    void init()
    {
        m_engine = createEngine(m_folder.path());
        QVERIFY(m_engine);
    }
    void cleanup() { m_engine.reset(); }

    void anOverlongListPlaysItsFirstEntriesAndSaysSo()
    {
        const QString list = m_media.filePath(QStringLiteral("long.ram"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("one.mp3\r\n").repeated(RamList::kMaxEntries + 1));
        file.close();
        play(list);
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 20000);
        // Every entry reaches the player core, not just as many as it queues at once.
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->status().entries, int(RamList::kMaxEntries), 20000);
        QVERIFY2(m_engine->status().entryText().contains(QStringLiteral("列表过长")),
            qPrintable(m_engine->status().entryText()));
    }

    void aLongListPlaysAtOnceAndKeepsEveryEntry()
    {
        // Its first entry cannot be played: the core goes on to the next one
        // although most of the list reaches it only once something plays.
        QFile broken(m_media.filePath(QStringLiteral("broken.mp3")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray("not a song\n").repeated(100));
        broken.close();
        QStringList lines { QStringLiteral("broken.mp3") };
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("one.mp3");
        play(writeList(QStringLiteral("broken-first.ram"), lines));
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 20000);
        QCOMPARE(m_engine->status().entry, 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->status().entries, 201, 20000);

        // A long list, handed to the core in parts, keeps every entry in its
        // order: from the first, "previous" wraps round to the last. The first
        // plays long enough for the whole list to arrive meanwhile.
        QVERIFY(TestMedia::generate(
            TestMedia::Kind::Mp3, m_media.filePath(QStringLiteral("first.mp3")), 30));
        QVERIFY(QFile::link(m_media.filePath(QStringLiteral("one.mp3")),
            m_media.filePath(QStringLiteral("last.mp3"))));
        const int count = 30000;
        lines = QStringList { QStringLiteral("first.mp3") };
        for (int i = 2; i < count; ++i)
            lines << QStringLiteral("one.mp3");
        lines << QStringLiteral("last.mp3");
        play(writeList(QStringLiteral("long-order.ram"), lines));
        QTRY_VERIFY_WITH_TIMEOUT(m_engine->playbackState() == MediaEngine::Playing
                && m_engine->currentLocation().endsWith(QStringLiteral("/first.mp3")),
            20000);
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->status().entries, count, 30000);
        QCOMPARE(m_engine->status().entry, 0);
        m_engine->setListLooping(true);
        m_engine->skipToPreviousEntry();
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->status().entry, count - 1, 20000);
        QVERIFY(m_engine->currentLocation().endsWith(QStringLiteral("/last.mp3")));
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 20000);
    }

    void refusedDownloadsSayWhy()
    {
        LoopbackServer server(LoopbackServer::Mode::Serve);
        // 16 MiB of text, compressed to a few KiB.
        const QByteArray bomb = qCompress(QByteArray(16 * 1024 * 1024, 'a'), 9).mid(4);
        server.serve("/bomb.ram", bomb, "text/plain\r\nContent-Encoding: deflate");
        server.redirect("/moved.ram", "file:///etc/passwd");
        const QString bombUrl = server.url(QStringLiteral("bomb.ram"));
        play(bombUrl);
        // Qt's guard or the size limit, whichever notices first.
        QTRY_VERIFY_WITH_TIMEOUT(
            m_engine->status().errorText.startsWith(QStringLiteral("列表文件太大")), 20000);
        QVERIFY(m_engine->status().errorText.endsWith(bombUrl));
        const QString movedUrl = server.url(QStringLiteral("moved.ram"));
        play(movedUrl);
        QTRY_COMPARE_WITH_TIMEOUT(
            m_engine->status().errorText, QStringLiteral("不允许的重定向: ") + movedUrl, 20000);
        QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    }

private:
    void play(const QString &source)
    {
        m_engine->setSource(source);
        m_engine->startPlayback();
    }

    QString writeList(const QString &name, const QStringList &lines)
    {
        return TestFiles::writeLines(m_media.filePath(name), lines);
    }

    QTemporaryDir m_media;
    QTemporaryDir m_folder;
    std::unique_ptr<MpvEngine> m_engine;
};

QTEST_MAIN(TestEngineLists)
#include "tst_enginelists.moc"
