// End to end: the real program under Xvfb as a desktop sees it. Its command
// line, a second start handing its file to the first, and the MPRIS
// interface on a private session bus following and driving a real playback.
#include "core/program/version.h"
#include "support/privatebus.h"
#include "support/requiretool.h"
#include "support/testfiles.h"
#include "support/testmedia.h"
#include "support/xsession.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

const QString kService = u"org.mpris.MediaPlayer2.tunvia"_s;
const QString kPath = u"/org/mpris/MediaPlayer2"_s;
const QString kPlayer = u"org.mpris.MediaPlayer2.Player"_s;

int visibleWindows(const XSession &x, const QString &name)
{
    const QString ids
        = x.xdotool({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, u'^' + name + u'$' });
    return ids.isEmpty() ? 0 : int(ids.split(u'\n').size());
}

} // namespace

class DesktopEndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLineNeedsNoDisplay();
    void secondStartHandsOverAndMprisDrivesThePlayback();
    void hungInstanceDoesNotKeepTheUserOut();

public Q_SLOTS:
    void recordSeek(qlonglong position) { m_seeks << position; }

private:
    // One X server for the whole test: servers started one after the other
    // can meet on the same display number while the last one goes down.
    bool startX()
    {
        if (m_x && !m_x->running()) {
            qWarning("the X server went down: %s", m_x->serverOutput().constData());
            m_x.reset();
        }
        if (!m_x) {
            m_x = std::make_unique<XSession>();
            if (!m_x->start(QSize(1024, 768)))
                m_x.reset();
        }
        return m_x != nullptr;
    }
    void startTunvia(QProcess &process, const QStringList &arguments);
    QVariant property(const QString &name) const;
    QString status() const;
    QString playingFile() const;
    QVariantMap metadata() const;
    // A later start with a command for the running instance, which ends with 0.
    void runPeer(const QStringList &arguments);
    QList<qlonglong> m_seeks;

    QTemporaryDir m_dir;
    QString m_program;
    QProcessEnvironment m_environment;
    std::unique_ptr<QDBusInterface> m_player;
    std::unique_ptr<XSession> m_x;
};

void DesktopEndToEndTest::commandLineNeedsNoDisplay()
{
    const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), m_dir.path());
    QVERIFY(!program.isEmpty());
    QProcess tunvia;
    QProcessEnvironment bare;
    bare.insert(u"PATH"_s, qEnvironmentVariable("PATH"));
    bare.insert(u"HOME"_s, m_dir.path());
    bare.insert(u"XDG_RUNTIME_DIR"_s, m_dir.path());
    tunvia.setProcessEnvironment(bare);
    const auto run = [&](const QStringList &arguments) {
        tunvia.start(program, arguments);
        return tunvia.waitForFinished(30000) && tunvia.exitStatus() == QProcess::NormalExit;
    };

    QVERIFY(run({ u"--help"_s }));
    QCOMPARE(tunvia.exitCode(), 0);
    QVERIFY(tunvia.readAllStandardOutput().contains("--version"));
    QVERIFY(run({ u"--version"_s }));
    QCOMPARE(tunvia.exitCode(), 0);
    QVERIFY(tunvia.readAllStandardOutput().contains(kProgramVersionText));
    QVERIFY(run({ u"--loud"_s, u"a.mp3"_s }));
    QCOMPARE(tunvia.exitCode(), 2);
    QCOMPARE(tunvia.readAllStandardOutput(), QByteArray());
    const QByteArray error = tunvia.readAllStandardError();
    QVERIFY(error.contains("loud"));
    QVERIFY(error.contains("--help"));
}

void DesktopEndToEndTest::secondStartHandsOverAndMprisDrivesThePlayback()
{
    TUNVIA_REQUIRE_TOOLS(XSession::toolsAvailable() && PrivateBus::available()
            && !QStandardPaths::findExecutable(u"ffmpeg"_s).isEmpty(),
        "Xvfb, xdotool, dbus-daemon or ffmpeg");
    QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, m_dir.filePath(u"a.mp3"_s), 30));
    QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, m_dir.filePath(u"b 2.mp3"_s), 30));
    QVERIFY(startX());
    const XSession &x = *m_x;
    PrivateBus bus;
    QVERIFY(bus.start());
    QVERIFY(QDir(m_dir.path()).mkdir(u"program"_s));
    m_program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), m_dir.filePath(u"program"_s));
    m_environment = x.environment(m_dir.path());
    m_environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());
    QDBusConnection client = QDBusConnection::connectToBus(bus.address(), u"e2e"_s);
    QVERIFY(client.isConnected());

    // A path relative to the working folder, as a terminal gives it.
    QProcess first;
    startTunvia(first, { u"a.mp3"_s });
    QTRY_VERIFY_WITH_TIMEOUT(client.interface()->isServiceRegistered(kService), 30000);
    m_player = std::make_unique<QDBusInterface>(kService, kPath, kPlayer, client);
    m_player->setTimeout(20000);
    QTRY_COMPARE_WITH_TIMEOUT(status(), u"Playing"_s, 30000);
    QCOMPARE(playingFile(), m_dir.filePath(u"a.mp3"_s));

    // Length, position and seeking, to a position and by an offset.
    QVERIFY(
        client.connect(kService, kPath, kPlayer, u"Seeked"_s, this, SLOT(recordSeek(qlonglong))));
    QTRY_VERIFY_WITH_TIMEOUT(property(u"CanSeek"_s).toBool(), 30000);
    QVERIFY(qAbs(metadata().value(u"mpris:length"_s).toLongLong() - 30000000) < 500000);
    QCOMPARE(metadata().value(u"xesam:title"_s).toString(), u"a.mp3"_s);
    const QVariant track = metadata().value(u"mpris:trackid"_s);
    m_player->call(u"SetPosition"_s, track, qlonglong(20000000));
    QTRY_COMPARE_WITH_TIMEOUT(m_seeks.size(), 1, 30000);
    QCOMPARE(m_seeks.first(), qlonglong(20000000));
    QTRY_VERIFY_WITH_TIMEOUT(property(u"Position"_s).toLongLong() >= 20000000, 30000);
    m_player->call(u"Seek"_s, qlonglong(-15000000));
    QTRY_COMPARE_WITH_TIMEOUT(m_seeks.size(), 2, 30000);
    QVERIFY(property(u"Position"_s).toLongLong() < 15000000);

    // Without "循环播放列表" a later item plays alone, and Next and Previous
    // walk the playlist.
    QDBusInterface properties(kService, kPath, u"org.freedesktop.DBus.Properties"_s, client);
    properties.call(
        u"Set"_s, kPlayer, u"LoopStatus"_s, QVariant::fromValue(QDBusVariant(u"None"_s)));
    QTRY_COMPARE_WITH_TIMEOUT(property(u"LoopStatus"_s).toString(), u"None"_s, 30000);

    QProcess second;
    startTunvia(second, { u"b 2.mp3"_s });
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(playingFile(), m_dir.filePath(u"b 2.mp3"_s), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(status(), u"Playing"_s, 30000);
    QCOMPARE(visibleWindows(x, u"playmain"_s), 1);

    runPeer({ u"--play-pause"_s });
    QTRY_COMPARE_WITH_TIMEOUT(status(), u"Paused"_s, 30000);
    m_player->call(u"PlayPause"_s);
    QTRY_COMPARE_WITH_TIMEOUT(status(), u"Playing"_s, 30000);
    m_player->call(u"Stop"_s);
    QTRY_COMPARE_WITH_TIMEOUT(status(), u"Stopped"_s, 30000);
    m_player->call(u"Play"_s);
    QTRY_COMPARE_WITH_TIMEOUT(status(), u"Playing"_s, 30000);
    QVERIFY(!property(u"CanGoNext"_s).toBool());
    QVERIFY(property(u"CanGoPrevious"_s).toBool());
    m_player->call(u"Previous"_s);
    QTRY_COMPARE_WITH_TIMEOUT(playingFile(), m_dir.filePath(u"a.mp3"_s), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!property(u"CanGoPrevious"_s).toBool(), 30000);
    runPeer({ u"--next"_s });
    QTRY_COMPARE_WITH_TIMEOUT(playingFile(), m_dir.filePath(u"b 2.mp3"_s), 30000);
    // Enqueued, not played.
    runPeer({ u"--enqueue"_s, u"a.mp3"_s });
    QTRY_VERIFY_WITH_TIMEOUT(property(u"CanGoNext"_s).toBool(), 30000);
    QCOMPARE(playingFile(), m_dir.filePath(u"b 2.mp3"_s));
    QCOMPARE(status(), u"Playing"_s);

    QDBusInterface root(kService, kPath, u"org.mpris.MediaPlayer2"_s, client);
    root.call(u"Quit"_s);
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    QFile list(m_dir.filePath(u"program/xlist.cfg"_s));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(list.readAll()),
        u"file://"_s + m_dir.filePath(u"a.mp3"_s) + u"\r\nfile://"_s + m_dir.filePath(u"b 2.mp3"_s)
            + u"\r\nfile://"_s + m_dir.filePath(u"a.mp3"_s) + u"\r\n"_s);
}

// A first instance that hangs keeps connections waiting; a new start gives
// up on it after a moment and comes up by itself (here without a bus).
void DesktopEndToEndTest::hungInstanceDoesNotKeepTheUserOut()
{
    TUNVIA_REQUIRE_TOOLS(XSession::toolsAvailable(), "Xvfb or xdotool");
    QVERIFY(startX());
    const XSession &x = *m_x;
    QTemporaryDir folder;
    m_program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), folder.path());
    m_environment = x.environment(folder.path());
    QProcess first;
    startTunvia(first, {});
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(x, u"playmain"_s), 1, 30000);
    QVERIFY(first.processId() > 0);
    ::kill(pid_t(first.processId()), SIGSTOP);

    QProcess second;
    startTunvia(second, {});
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(x, u"playmain"_s), 2, 30000);
    QCOMPARE(second.state(), QProcess::Running);
    QTRY_VERIFY_WITH_TIMEOUT(TestFiles::catchesSignal(second.processId(), SIGTERM), 30000);
    second.terminate();
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 0);
    ::kill(pid_t(first.processId()), SIGCONT);
    first.terminate();
    QVERIFY(first.waitForFinished(30000));
}

void DesktopEndToEndTest::startTunvia(QProcess &process, const QStringList &arguments)
{
    process.setProcessEnvironment(m_environment);
    process.setWorkingDirectory(m_dir.path());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(m_program, arguments);
    QVERIFY(process.waitForStarted(10000));
}

QVariant DesktopEndToEndTest::property(const QString &name) const
{
    QDBusInterface properties(
        kService, kPath, u"org.freedesktop.DBus.Properties"_s, m_player->connection());
    const QDBusReply<QDBusVariant> reply = properties.call(u"Get"_s, kPlayer, name);
    return reply.isValid() ? reply.value().variant() : QVariant();
}

QString DesktopEndToEndTest::status() const
{
    return property(u"PlaybackStatus"_s).toString();
}

// The local file MPRIS names as playing, from xesam:url.
QString DesktopEndToEndTest::playingFile() const
{
    return QUrl(metadata().value(u"xesam:url"_s).toString()).toLocalFile();
}

QVariantMap DesktopEndToEndTest::metadata() const
{
    return qdbus_cast<QVariantMap>(property(u"Metadata"_s).value<QDBusArgument>());
}

void DesktopEndToEndTest::runPeer(const QStringList &arguments)
{
    QProcess peer;
    startTunvia(peer, arguments);
    QVERIFY(peer.waitForFinished(30000));
    QCOMPARE(peer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(peer.exitCode(), 0);
}

QTEST_GUILESS_MAIN(DesktopEndToEndTest)
#include "tst_desktop_e2e.moc"
