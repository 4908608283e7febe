// The engine's plain rules: where a source is found, how the state follows
// the player core's reports, and its settings file.
#include "core/media/mediaengine.h"
#include "engine/enginesettings.h"
#include "engine/playbacktracker.h"
#include "engine/ramlist.h"
#include "engine/sourcelocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestEngineRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void localSourcesPreferTheRawPath_data();
    void localSourcesPreferTheRawPath();
    void addressesKeepOrBecomeRtsp_data();
    void addressesKeepOrBecomeRtsp();
    void otherSchemesNeverReachTheCore_data();
    void otherSchemesNeverReachTheCore();

    void trackerIgnoresTheStartUpIdleWhileOpening();
    void trackerReportsAFailedListAsStoppedWithError();
    void trackerHidesTheTotalOfLiveStreams();

    void settingsFallBackAndClamp();
    void settingsRoundTripAndBecomeCoreOptions();

private:
    QString touch(const QString &name);
    QTemporaryDir m_dir;
};

void TestEngineRules::initTestCase()
{
    QVERIFY(m_dir.isValid());
    touch(QStringLiteral("a%20b.mp3"));
    touch(QStringLiteral("c d.mp3"));
    touch(QStringLiteral("歌 #1.rm"));
    touch(QStringLiteral("list.RAM"));
}

QString TestEngineRules::touch(const QString &name)
{
    QFile file(m_dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    return file.fileName();
}

void TestEngineRules::localSourcesPreferTheRawPath_data()
{
    QTest::addColumn<QString>("source"); // "@" stands for the folder
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("list");
    QTest::newRow("literal %20 kept") << "file://@/a%20b.mp3"
                                      << "@/a%20b.mp3" << true << false;
    QTest::newRow("decoded when raw missing") << "file://@/c%20d.mp3"
                                              << "@/c d.mp3" << true << false;
    QTest::newRow("prefix in capitals") << "FILE://@/歌 #1.rm"
                                        << "@/歌 #1.rm" << true << false;
    QTest::newRow("bare path") << "@/c d.mp3"
                               << "@/c d.mp3" << true << false;
    QTest::newRow("relative to folder") << "c d.mp3"
                                        << "@/c d.mp3" << true << false;
    QTest::newRow("backslashes") << "file://@\\c d.mp3"
                                 << "@/c d.mp3" << true << false;
    QTest::newRow("list by suffix") << "file://@/list.RAM"
                                    << "@/list.RAM" << true << true;
    QTest::newRow("missing stays raw") << "file://@/gone%20.mp3"
                                       << "@/gone%20.mp3" << false << false;
}

void TestEngineRules::localSourcesPreferTheRawPath()
{
    QFETCH(QString, source);
    QFETCH(QString, location);
    QFETCH(bool, exists);
    QFETCH(bool, list);
    const QString folder = m_dir.path();
    const SourceLocation result = SourceLocation::resolve(source.replace(u'@', folder), folder);
    QCOMPARE(result.location, location.replace(u'@', folder));
    QCOMPARE(result.exists, exists);
    QCOMPARE(result.kind == SourceLocation::Kind::List, list);
    QVERIFY(result.isLocal());
}

void TestEngineRules::addressesKeepOrBecomeRtsp_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("location");
    QTest::newRow("http trimmed") << " http://host/a b.mp3 "
                                  << "http://host/a b.mp3";
    QTest::newRow("rtsp") << "rtsp://host:8554/x.rm"
                          << "rtsp://host:8554/x.rm";
    QTest::newRow("pnm default port") << "pnm://host/dir/x.rm"
                                      << "rtsp://host:554/dir/x.rm";
    QTest::newRow("pnm own port") << "PNM://host:7070/x.rm?start=5"
                                  << "rtsp://host:7070/x.rm?start=5";
    QTest::newRow("pnm without path") << "pnm://host"
                                      << "rtsp://host:554";
    QTest::newRow("pnm ipv6") << "pnm://[::1]/x.rm"
                              << "rtsp://[::1]:554/x.rm";
    QTest::newRow("http ram is left to the core") << "http://h/x.ram"
                                                  << "http://h/x.ram";
}

void TestEngineRules::addressesKeepOrBecomeRtsp()
{
    QFETCH(QString, source);
    QFETCH(QString, location);
    const SourceLocation result = SourceLocation::resolve(source, m_dir.path());
    QCOMPARE(result.location, location);
    QCOMPARE(result.kind, SourceLocation::Kind::Url);
    QCOMPARE(result.fromPnm, source.contains(QStringLiteral("pnm"), Qt::CaseInsensitive));
}

void TestEngineRules::otherSchemesNeverReachTheCore_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("refused");
    for (const char *source : { "fdclose://4", "fd://0", " FD://3 ", "memory://x", "lavf://a.mp3",
             "av://lavfi:sine", "edl://a.mp3", "c://x" })
        QTest::newRow(source) << QString::fromLatin1(source) << true;
    // A file of that name beside the list is a file.
    QTest::newRow("existing relative file") << "odd://x.mp3" << false;
    QTest::newRow("mms stays an address") << "mms://host/a" << false;
}

void TestEngineRules::otherSchemesNeverReachTheCore()
{
    QFETCH(QString, source);
    QFETCH(bool, refused);
    QDir(m_dir.path()).mkdir(QStringLiteral("odd:"));
    touch(QStringLiteral("odd:/x.mp3"));
    const SourceLocation result = SourceLocation::resolve(source, m_dir.path());
    QCOMPARE(result.kind == SourceLocation::Kind::Refused, refused);
    QCOMPARE(result.mayOpen(), !refused);
    if (refused) // reported as the entry's failure, nothing opened
        QCOMPARE(RamList::expandSource(source).error,
            QStringLiteral("不支持的地址类型: ") + source.trimmed());
}

void TestEngineRules::trackerIgnoresTheStartUpIdleWhileOpening()
{
    PlaybackTracker tracker;
    tracker.loadRequested();
    tracker.idle(); // the core's idle report from start-up arrives late
    QCOMPARE(tracker.state(), MediaEngine::Contacting);
    tracker.fileStarted();
    tracker.fileFailed(QStringLiteral("无法连接: rtsp://h:554/x"));
    QCOMPARE(tracker.state(), MediaEngine::Contacting); // a list may go on
    tracker.idle();
    QCOMPARE(tracker.state(), MediaEngine::Stopped);
    QCOMPARE(tracker.status().stateText(), QStringLiteral("错误: 无法连接: rtsp://h:554/x"));
}

void TestEngineRules::trackerReportsAFailedListAsStoppedWithError()
{
    PlaybackTracker tracker;
    tracker.propertyChanged(QStringLiteral("media-title"), QStringLiteral("old.mp3"));
    tracker.fail(QStringLiteral("列表中没有可播放的条目"));
    QCOMPARE(tracker.state(), MediaEngine::Stopped);
    QCOMPARE(tracker.status().title, QString());
    tracker.loadRequested(); // a new start clears the error
    QCOMPARE(tracker.status().errorText, QString());
    tracker.fileStarted();
    tracker.fileFailed(QStringLiteral("x"));
    tracker.fileStarted();
    tracker.fileLoaded(); // a later entry plays: no error any more
    QCOMPARE(tracker.status().errorText, QString());
}

void TestEngineRules::trackerHidesTheTotalOfLiveStreams()
{
    PlaybackTracker tracker;
    tracker.propertyChanged(QStringLiteral("duration"), 12.6);
    tracker.propertyChanged(QStringLiteral("time-pos"), 5LL);
    QCOMPARE(tracker.status().duration, qint64(13));
    tracker.propertyChanged(QStringLiteral("demuxer-via-network"), true);
    QCOMPARE(tracker.status().duration, qint64(-1)); // grows with the cache: no total
    tracker.propertyChanged(QStringLiteral("file-size"), 48000LL);
    QCOMPARE(tracker.status().duration, qint64(13)); // a file over http has one
    tracker.propertyChanged(QStringLiteral("time-pos"), 3725LL);
    tracker.propertyChanged(QStringLiteral("core-idle"), false);
    tracker.propertyChanged(QStringLiteral("idle-active"), false);
    QCOMPARE(tracker.status().timeText(), QStringLiteral("1:02:05 / 00:13"));
}

void TestEngineRules::settingsFallBackAndClamp()
{
    const QString path = m_dir.filePath(QStringLiteral("damaged.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[network]\ntimeout=9999\nbuffer_mb=abc\nrtsp_transport=carrier-pigeon\n"
               "http_proxy=ftp://proxy:21\n");
    file.close();
    const EngineSettings settings = EngineSettings::load(path);
    QCOMPARE(settings.networkTimeout, EngineSettings::maxTimeout);
    QCOMPARE(settings.bufferMegabytes, EngineSettings().bufferMegabytes);
    QCOMPARE(settings.rtspTransport, EngineSettings::RtspTransport::Auto);
    QCOMPARE(settings.httpProxy, QString());
    QCOMPARE(EngineSettings::load(m_dir.filePath(QStringLiteral("none.ini"))), EngineSettings());
}

void TestEngineRules::settingsRoundTripAndBecomeCoreOptions()
{
    EngineSettings settings;
    settings.networkTimeout = 4;
    settings.bufferMegabytes = 12;
    settings.rtspTransport = EngineSettings::RtspTransport::Udp;
    settings.httpProxy = QStringLiteral("http://10.0.0.1:8080");
    const QString path = m_dir.filePath(QStringLiteral("engine.ini"));
    QVERIFY(settings.save(path));
    QCOMPARE(EngineSettings::load(path), settings);

    const EngineSettings::Options options = settings.coreOptions();
    const auto value = [&options](const QByteArray &name) {
        for (const auto &option : options) {
            if (option.first == name)
                return option.second;
        }
        return QByteArray("(none)");
    };
    QCOMPARE(value("network-timeout"), QByteArray("4"));
    QCOMPARE(value("demuxer-lavf-o"), QByteArray("timeout=4000000"));
    QCOMPARE(value("rtsp-transport"), QByteArray("udp"));
    QCOMPARE(value("demuxer-max-bytes"), QByteArray("12MiB"));
    QCOMPARE(value("http-proxy"), QByteArray("http://10.0.0.1:8080"));
    QCOMPARE(EngineSettings().coreOptions().at(3).second, QByteArray("lavf"));
}

QTEST_GUILESS_MAIN(TestEngineRules)
#include "tst_enginerules.moc"
