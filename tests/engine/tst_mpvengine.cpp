// The libmpv engine playing media generated with ffmpeg, with the null audio
// output, through the operations the player and playlist windows use.
#include "enginetestkit.h"
#include "support/testmedia.h"

#include "core/text/textfile.h"
#include "engine/mpvclient.h"
#include "engine/mpvengine.h"
#include "engine/mpvlibrary.h"
#include "support/testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

using namespace EngineTestKit;

class TestMpvEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void eachFormatPlaysAndAdvances_data();
    void eachFormatPlaysAndAdvances();
    void pauseHoldsAndStartResumes();
    void sameSourceAgainReopensWhilePlayAloneResumes();
    void stopGivesStoppedAndStartPlaysAgain();
    void rawPathsWithSpecialCharactersPlay();
    void percentEncodedPathIsTriedWhenRawPathIsMissing();
    void missingFileEndsInError();
    void ramListSkipsBetweenEntries();
    void ramListLoopsWhenAsked();
    void ramListWithoutLoopingStopsAtTheEnd();
    void stopInListResumesAtThatEntry();
    void rewrittenListIsReadAgain();
    void listWhoseEntriesAllFailEndsInError();
    void listWithOnlyMissingFilesEndsInError();
    void noticeOncePerNewSource();
    void volumeRoundTripsAndIsClamped();
    void httpStreamPlays();
    void closedRtspPortEndsInError();
    void pnmAddressIsTriedAsRtsp();
    void silentServersEndInErrorWithinTheTimeout_data();
    void silentServersEndInErrorWithinTheTimeout();
    void remoteRamListPlaysItsEntries();
    void remoteListFailuresEndInErrorAndNewerRequestsCancel();
    void skipRightAfterAFailedSourceDoesNotHang();
    void refusedCommandsReportTheirTag();
    void loadedLibraryNotifiesAwayFromTheCaller();

private:
    QString media(const QString &name) const { return m_media.filePath(name); }
    void play(const QString &source);
    void waitForTitle(const QString &title);
    QString writeList(const QString &name, const QStringList &lines);

    QTemporaryDir m_media;
    QTemporaryDir m_folder;
    std::unique_ptr<MpvEngine> m_engine;
};

void TestMpvEngine::initTestCase()
{
    QVERIFY(m_media.isValid());
    using TestMedia::Kind;
    QVERIFY(TestMedia::generate(Kind::Mp3, media(QStringLiteral("tone.mp3")), 3));
    QVERIFY(TestMedia::generate(Kind::Mp2, media(QStringLiteral("tone.mp2")), 2));
    QVERIFY(TestMedia::generate(Kind::RealAudioAc3, media(QStringLiteral("tone.rm")), 2));
    QVERIFY(TestMedia::generate(Kind::RealAudio144, media(QStringLiteral("tone.ra")), 2));
    QVERIFY(TestMedia::generate(Kind::RealVideo, media(QStringLiteral("video.rm")), 2));
    QVERIFY(TestMedia::generate(Kind::Mp3, media(QStringLiteral("short.mp3")), 1));
    for (const char *name : { "one.mp3", "two.mp3", "three.mp3" })
        QVERIFY(QFile::copy(media(QStringLiteral("short.mp3")), media(QLatin1String(name))));
}

void TestMpvEngine::init()
{
    QVERIFY(m_folder.isValid());
    m_engine = createEngine(m_folder.path());
    QVERIFY(m_engine);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
}

void TestMpvEngine::cleanup()
{
    m_engine.reset();
}

void TestMpvEngine::play(const QString &source)
{
    m_engine->setSource(source);
    m_engine->startPlayback();
}

void TestMpvEngine::waitForTitle(const QString &title)
{
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->status().title, title, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
}

QString TestMpvEngine::writeList(const QString &name, const QStringList &lines)
{
    return TestFiles::writeLines(m_media.filePath(name), lines);
}

void TestMpvEngine::eachFormatPlaysAndAdvances_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("video");
    QTest::newRow("mp3") << QStringLiteral("tone.mp3") << false;
    QTest::newRow("mp2") << QStringLiteral("tone.mp2") << false;
    QTest::newRow("rm ac3") << QStringLiteral("tone.rm") << false;
    QTest::newRow("ra real_144") << QStringLiteral("tone.ra") << false;
    QTest::newRow("rm video") << QStringLiteral("video.rm") << true;
}

void TestMpvEngine::eachFormatPlaysAndAdvances()
{
    QFETCH(QString, name);
    QFETCH(bool, video);
    QElapsedTimer clock;
    qint64 playingAfter = -1;
    connect(m_engine.get(), &MpvEngine::statusChanged, this, [&](const PlaybackStatus &status) {
        if (status.state == MediaEngine::Playing && playingAfter < 0)
            playingAfter = clock.elapsed();
    });
    clock.start();
    play(QStringLiteral("file://") + media(name));
    QCOMPARE(m_engine->playbackState(),
        MediaEngine::Contacting); // contacting until the core reports playing
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    qInfo("%s: startPlayback to state 3 in %lld ms", qPrintable(name), playingAfter);
    QCOMPARE(m_engine->status().title, name);
    QCOMPARE(m_engine->status().hasVideo, video);
    QVERIFY(m_engine->status().errorText.isEmpty());
    // Sound advances: the file plays to its end and the engine stops by itself.
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Stopped, 6000);
    QVERIFY(clock.elapsed() >= 1500);
    QVERIFY(m_engine->status().errorText.isEmpty());
}

void TestMpvEngine::pauseHoldsAndStartResumes()
{
    play(media(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    m_engine->pausePlayback();
    QCOMPARE(m_engine->playbackState(), MediaEngine::Paused);
    QTest::qWait(1200);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Paused);
    const qint64 heldAt = m_engine->status().elapsed;
    QTest::qWait(1200);
    QCOMPARE(m_engine->status().elapsed, heldAt);
    m_engine->startPlayback();
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(m_engine->status().elapsed > heldAt, 3000);
}

void TestMpvEngine::sameSourceAgainReopensWhilePlayAloneResumes()
{
    QSignalSpy notices(m_engine.get(), &MediaEngine::sourceOpened);
    const QString source = QStringLiteral("file://") + media(QStringLiteral("tone.mp3"));
    play(source);
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(m_engine->status().elapsed >= 1, 3000);
    // The open-file command and the playlist set the source again: it opens anew.
    m_engine->pausePlayback();
    play(source);
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 2, 3000);
    QVERIFY(m_engine->status().elapsed < 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 3000);
    play(source); // also while it plays
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 3, 3000);
    // The Play button alone resumes where playing paused.
    QTRY_VERIFY_WITH_TIMEOUT(m_engine->status().elapsed >= 1, 3000);
    m_engine->pausePlayback();
    QTest::qWait(200);
    const qint64 heldAt = m_engine->status().elapsed;
    m_engine->startPlayback();
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 3000);
    QTest::qWait(300);
    QCOMPARE(notices.count(), 3);
    QVERIFY(m_engine->status().elapsed >= heldAt);
}

void TestMpvEngine::stopGivesStoppedAndStartPlaysAgain()
{
    play(media(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    m_engine->stopPlayback();
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QTest::qWait(300);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QVERIFY(m_engine->status().errorText.isEmpty());
    m_engine->pausePlayback(); // nothing to pause
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    m_engine->startPlayback();
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    QCOMPARE(m_engine->status().title, QStringLiteral("tone.mp3"));
}

void TestMpvEngine::rawPathsWithSpecialCharactersPlay()
{
    const QString folder = m_media.filePath(QStringLiteral("a b#%20 中文"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/歌 #1%20?.mp3");
    QVERIFY(QFile::copy(media(QStringLiteral("short.mp3")), path));
    play(QStringLiteral("FILE://") + path);
    waitForTitle(QStringLiteral("歌 #1%20?.mp3"));
    play(path); // a bare path works as well
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    QVERIFY(m_engine->status().errorText.isEmpty());
}

void TestMpvEngine::percentEncodedPathIsTriedWhenRawPathIsMissing()
{
    const QString path = m_media.filePath(QStringLiteral("with space.mp3"));
    QVERIFY(QFile::copy(media(QStringLiteral("short.mp3")), path));
    play(QStringLiteral("file://") + m_media.path() + QStringLiteral("/with%20space.mp3"));
    waitForTitle(QStringLiteral("with space.mp3"));
}

void TestMpvEngine::missingFileEndsInError()
{
    play(QStringLiteral("file://") + media(QStringLiteral("nowhere.mp3")));
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QVERIFY(m_engine->status().errorText.contains(QStringLiteral("nowhere.mp3")));
    QVERIFY(m_engine->status().stateText().startsWith(QStringLiteral("错误: ")));
}

void TestMpvEngine::ramListSkipsBetweenEntries()
{
    QSignalSpy notices(m_engine.get(), &MediaEngine::sourceOpened);
    const QString list = writeList(QStringLiteral("three.ram"),
        { QStringLiteral("# three short tones"),
            QStringLiteral("file://") + media(QStringLiteral("one.mp3")), QString(),
            QStringLiteral("two.mp3"), media(QStringLiteral("three.mp3")) });
    play(QStringLiteral("file://") + list);
    waitForTitle(QStringLiteral("one.mp3"));
    QCOMPARE(m_engine->status().entries, 3);
    m_engine->skipToNextEntry();
    waitForTitle(QStringLiteral("two.mp3"));
    m_engine->skipToNextEntry();
    waitForTitle(QStringLiteral("three.mp3"));
    m_engine->skipToPreviousEntry();
    waitForTitle(QStringLiteral("two.mp3"));
    QCOMPARE(notices.count(), 4);
}

void TestMpvEngine::ramListLoopsWhenAsked()
{
    QSignalSpy notices(m_engine.get(), &MediaEngine::sourceOpened);
    connect(m_engine.get(), &MediaEngine::sourceOpened, m_engine.get(),
        [this] { m_engine->setListLooping(true); });
    const QString list = writeList(
        QStringLiteral("loop.ram"), { QStringLiteral("one.mp3"), QStringLiteral("two.mp3") });
    play(list);
    waitForTitle(QStringLiteral("one.mp3"));
    m_engine->skipToPreviousEntry(); // wraps to the last entry while looping
    waitForTitle(QStringLiteral("two.mp3"));
    // Played to its end, the list starts over.
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->status().title, QStringLiteral("one.mp3"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(notices.count() >= 3, 5000);
    QCOMPARE(m_engine->playbackState() == MediaEngine::Stopped, false);
}

void TestMpvEngine::ramListWithoutLoopingStopsAtTheEnd()
{
    const QString list = writeList(
        QStringLiteral("once.ram"), { QStringLiteral("one.mp3"), QStringLiteral("two.mp3") });
    play(list);
    waitForTitle(QStringLiteral("one.mp3"));
    m_engine->skipToNextEntry();
    waitForTitle(QStringLiteral("two.mp3"));
    m_engine->skipToNextEntry(); // past the end: nothing to skip to
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Stopped, 5000);
    QVERIFY(m_engine->status().errorText.isEmpty());
    m_engine->startPlayback(); // a played-out list starts again from the top
    waitForTitle(QStringLiteral("one.mp3"));
}

void TestMpvEngine::stopInListResumesAtThatEntry()
{
    const QString list = writeList(QStringLiteral("resume.ram"),
        { QStringLiteral("one.mp3"), QStringLiteral("tone.mp3"), QStringLiteral("three.mp3") });
    play(list);
    waitForTitle(QStringLiteral("one.mp3"));
    m_engine->skipToNextEntry();
    waitForTitle(QStringLiteral("tone.mp3"));
    m_engine->stopPlayback();
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QTest::qWait(200);
    m_engine->startPlayback();
    waitForTitle(QStringLiteral("tone.mp3"));
    m_engine->stopPlayback();
    m_engine->skipToNextEntry(); // while stopped: plays the next entry
    waitForTitle(QStringLiteral("three.mp3"));
}

void TestMpvEngine::rewrittenListIsReadAgain()
{
    const QString source
        = QStringLiteral("file://") + m_media.filePath(QStringLiteral("looptemp.ram"));
    writeList(
        QStringLiteral("looptemp.ram"), { QStringLiteral("one.mp3"), QStringLiteral("two.mp3") });
    play(source);
    waitForTitle(QStringLiteral("one.mp3"));
    m_engine->stopPlayback();
    writeList(
        QStringLiteral("looptemp.ram"), { QStringLiteral("three.mp3"), QStringLiteral("one.mp3") });
    play(source);
    waitForTitle(QStringLiteral("three.mp3"));
}

void TestMpvEngine::listWhoseEntriesAllFailEndsInError()
{
    const quint16 port = closedPort();
    const QString list = writeList(QStringLiteral("dead.ram"),
        { QStringLiteral("rtsp://127.0.0.1:%1/a.rm").arg(port),
            QStringLiteral("http://127.0.0.1:%1/b.mp3").arg(port) });
    m_engine->setListLooping(true); // must not retry failing entries forever
    play(QStringLiteral("file://") + list);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Contacting);
    QTRY_VERIFY_WITH_TIMEOUT(!m_engine->status().errorText.isEmpty(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Stopped, 5000);
    QTest::qWait(500);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QVERIFY(m_engine->status().stateText().startsWith(QStringLiteral("错误: ")));
}

void TestMpvEngine::listWithOnlyMissingFilesEndsInError()
{
    const QString list = writeList(QStringLiteral("gone.ram"),
        { QStringLiteral("# only missing files"), QStringLiteral("gone1.mp3"),
            QStringLiteral("gone2.mp3") });
    play(list); // lists are read off the window's thread
    QTRY_VERIFY_WITH_TIMEOUT(!m_engine->status().errorText.isEmpty(), 20000);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
}

void TestMpvEngine::noticeOncePerNewSource()
{
    QSignalSpy notices(m_engine.get(), &MediaEngine::sourceOpened);
    play(media(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    QTest::qWait(300);
    QCOMPARE(notices.count(), 1);
    m_engine->pausePlayback();
    m_engine->startPlayback();
    QTest::qWait(300);
    QCOMPARE(notices.count(), 1);
    play(media(QStringLiteral("tone.mp2")));
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 2, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    QTest::qWait(300);
    QCOMPARE(notices.count(), 2);
}

void TestMpvEngine::volumeRoundTripsAndIsClamped()
{
    for (qint16 level : { 4, 37, 50, 99 }) {
        m_engine->setVolumeLevel(level);
        QCOMPARE(m_engine->volumeLevel(), level);
    }
    QTest::qWait(200); // the core's reports agree
    QCOMPARE(m_engine->volumeLevel(), qint16(99));
    m_engine->setVolumeLevel(42);
    QTest::qWait(200);
    QCOMPARE(m_engine->volumeLevel(), qint16(42));
    m_engine->setVolumeLevel(1000);
    QCOMPARE(m_engine->volumeLevel(), qint16(99));
    m_engine->setVolumeLevel(-5);
    QTest::qWait(200);
    QCOMPARE(m_engine->volumeLevel(), qint16(0));
}

void TestMpvEngine::httpStreamPlays()
{
    QFile file(media(QStringLiteral("tone.mp3")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    LoopbackServer server(LoopbackServer::Mode::Serve, file.readAll());
    play(server.url(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    QVERIFY(server.connections() >= 1);
    QTRY_VERIFY_WITH_TIMEOUT(m_engine->status().elapsed >= 1, 3000);
    QVERIFY(m_engine->status().errorText.isEmpty());
}

void TestMpvEngine::closedRtspPortEndsInError()
{
    play(QStringLiteral("rtsp://127.0.0.1:%1/live.rm").arg(closedPort()));
    QCOMPARE(m_engine->playbackState(), MediaEngine::Contacting);
    QTRY_VERIFY_WITH_TIMEOUT(!m_engine->status().errorText.isEmpty(), 5000);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    const QString error = m_engine->status().errorText;
    QVERIFY2(error.contains(QStringLiteral("rtsp://127.0.0.1")), qPrintable(error));
    // Refused at once, not given up by the engine's time-out guard.
    QVERIFY2(!error.contains(QStringLiteral("连接超时")), qPrintable(error));
}

void TestMpvEngine::pnmAddressIsTriedAsRtsp()
{
    const quint16 port = closedPort();
    play(QStringLiteral("pnm://127.0.0.1:%1/radio/live.rm").arg(port));
    QTRY_VERIFY_WITH_TIMEOUT(!m_engine->status().errorText.isEmpty(), 5000);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    const QString error = m_engine->status().errorText;
    QVERIFY2(error.contains(QStringLiteral("pnm")), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("rtsp://127.0.0.1:%1/radio/live.rm").arg(port)),
        qPrintable(error));
}

void TestMpvEngine::silentServersEndInErrorWithinTheTimeout_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::newRow("http") << QStringLiteral("http");
    QTest::newRow("rtsp") << QStringLiteral("rtsp");
}

void TestMpvEngine::silentServersEndInErrorWithinTheTimeout()
{
    QFETCH(QString, scheme);
    EngineSettings settings = m_engine->settings();
    settings.networkTimeout = 2;
    m_engine->applySettings(settings);
    LoopbackServer silent(LoopbackServer::Mode::Silent);
    QElapsedTimer clock;
    clock.start();
    play(QStringLiteral("%1://127.0.0.1:%2/stream.rm").arg(scheme).arg(silent.port()));
    QTRY_VERIFY_WITH_TIMEOUT(silent.connections() >= 1, 3000);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Contacting);
    QTRY_VERIFY_WITH_TIMEOUT(!m_engine->status().errorText.isEmpty(), 10000);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    qInfo("%s: silent server given up after %lld ms", qPrintable(scheme), clock.elapsed());
    // Ended by the core's own time-out, not by the engine's last-resort
    // guard ("连接超时"), which would mean the core ignored it.
    const QString error = m_engine->status().errorText;
    QVERIFY2(!error.contains(QStringLiteral("连接超时")), qPrintable(error));
}

void TestMpvEngine::remoteRamListPlaysItsEntries()
{
    QFile tone(media(QStringLiteral("tone.mp3")));
    QVERIFY(tone.open(QIODevice::ReadOnly));
    QFile two(media(QStringLiteral("two.mp3")));
    QVERIFY(two.open(QIODevice::ReadOnly));
    LoopbackServer server(LoopbackServer::Mode::Serve);
    server.serve("/media/tone.mp3", tone.readAll());
    server.serve("/lists/two.mp3", two.readAll());
    // Moved: the relative entry resolves against where the list was found.
    server.redirect("/old/RADIO.RAM", "/lists/radio.ram");
    server.serve("/lists/radio.ram",
        "# remote list\r\n" + server.url(QStringLiteral("media/tone.mp3")).toUtf8()
            + "\r\n\r\ntwo.mp3\r\n",
        "audio/x-pn-realaudio");
    QSignalSpy notices(m_engine.get(), &MediaEngine::sourceOpened);

    play(server.url(QStringLiteral("old/RADIO.RAM")));
    QCOMPARE(
        m_engine->playbackState(), MediaEngine::Contacting); // contacting while the list downloads
    waitForTitle(QStringLiteral("tone.mp3"));
    QCOMPARE(m_engine->status().entries, 2);
    m_engine->skipToNextEntry();
    waitForTitle(QStringLiteral("two.mp3"));
    QVERIFY(m_engine->status().errorText.isEmpty());
    QCOMPARE(notices.count(), 2);
    QVERIFY(server.requestedPaths().contains("/lists/two.mp3"));
}

void TestMpvEngine::remoteListFailuresEndInErrorAndNewerRequestsCancel()
{
    EngineSettings settings = m_engine->settings();
    settings.networkTimeout = 2;
    m_engine->applySettings(settings);
    QFile tone(media(QStringLiteral("tone.mp3")));
    QVERIFY(tone.open(QIODevice::ReadOnly));
    LoopbackServer silent(LoopbackServer::Mode::Silent);
    LoopbackServer server(LoopbackServer::Mode::Serve);
    server.serve("/tone.mp3", tone.readAll());
    server.serve("/slow.ram", "tone.mp3\r\n"); // any other path is missing
    server.setAnswerDelay(300);
    QStringList errors; // every error shown, in order
    connect(m_engine.get(), &MpvEngine::statusChanged, this, [&](const PlaybackStatus &status) {
        if (!status.errorText.isEmpty() && (errors.isEmpty() || errors.last() != status.errorText))
            errors << status.errorText;
    });

    // Stopped while it downloads, or replaced by a local source: the list
    // that arrives later is not played.
    play(server.url(QStringLiteral("slow.ram")));
    QCOMPARE(m_engine->playbackState(), MediaEngine::Contacting);
    QTRY_COMPARE_WITH_TIMEOUT(server.requestedPaths().size(), 1, 2000);
    m_engine->stopPlayback();
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QTest::qWait(600);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    play(server.url(QStringLiteral("slow.ram")));
    QTRY_COMPARE_WITH_TIMEOUT(server.requestedPaths().size(), 2, 2000);
    play(media(QStringLiteral("nowhere.mp3")));
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QTest::qWait(600);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QCOMPARE(errors, QStringList({ QStringLiteral("找不到文件 nowhere.mp3") }));
    QVERIFY(!server.requestedPaths().contains("/tone.mp3"));

    play(server.url(QStringLiteral("missing.ram")));
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 2, 3000);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QVERIFY2(m_engine->status().stateText().startsWith(QStringLiteral("错误: ")),
        qPrintable(m_engine->status().stateText()));
    QVERIFY(m_engine->status().errorText.contains(QStringLiteral("404")));

    // A server that never answers is given up after the network time-out.
    QElapsedTimer clock;
    clock.start();
    const QString never = silent.url(QStringLiteral("c.m3u"));
    play(never);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Contacting);
    QVERIFY(m_engine->status().errorText.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 3, 4000);
    QVERIFY(clock.elapsed() >= 1900);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QCOMPARE(errors.last(), QStringLiteral("连接超时: ") + never);
}

void TestMpvEngine::skipRightAfterAFailedSourceDoesNotHang()
{
    const QString list = writeList(QStringLiteral("before.ram"),
        { QStringLiteral("tone.mp3"), QStringLiteral("one.mp3"), QStringLiteral("two.mp3") });
    play(list);
    waitForTitle(QStringLiteral("tone.mp3"));
    m_engine->stopPlayback();
    play(media(QStringLiteral("nowhere.mp3")));
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    m_engine->skipToNextEntry(); // the failed source left nothing to skip to
    QTest::qWait(500);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Stopped);
    QVERIFY(m_engine->status().errorText.contains(QStringLiteral("nowhere.mp3")));
}

// The player core starts in what is notified: never on the window thread.
void TestMpvEngine::loadedLibraryNotifiesAwayFromTheCaller()
{
    QVERIFY(MpvLibrary::symbols()); // loaded by now
    std::atomic<QThread *> notifiedOn { nullptr };
    MpvLibrary::whenLoaded([&notifiedOn] { notifiedOn = QThread::currentThread(); });
    QTRY_VERIFY_WITH_TIMEOUT(notifiedOn != nullptr, 30000);
    QVERIFY(notifiedOn != QThread::currentThread());
}

void TestMpvEngine::refusedCommandsReportTheirTag()
{
    std::unique_ptr<MpvClient> client
        = MpvClient::create({ { "idle", "yes" }, { "config", "no" }, { "ao", "null" } });
    QVERIFY(client);
    QSignalSpy failures(client.get(), &MpvClient::commandFailed);
    client->command({ QStringLiteral("playlist-play-index"), QStringLiteral("-5") }, 7);
    client->command({ QStringLiteral("loadfile"), QStringLiteral("x"), QStringLiteral("bogus") });
    client->command(
        { QStringLiteral("loadfile"), QStringLiteral("x"), QStringLiteral("bogus") }, 9);
    QCOMPARE(failures.count(), 0); // never from inside the call
    QTRY_COMPARE_WITH_TIMEOUT(failures.count(), 2, 2000);
    QCOMPARE(failures.at(0).at(0).toULongLong(), 7u);
    QCOMPARE(failures.at(1).at(0).toULongLong(), 9u);
    QTest::qWait(200);
    QCOMPARE(failures.count(), 2);
}

QTEST_MAIN(TestMpvEngine)
#include "tst_mpvengine.moc"
