// End to end: the real program under Xvfb, driven with xdotool. The main menu
// opens on a click of Image4, "打开一个网址" asks for an address, and the
// engine fetches and plays the MP3 that this test serves on 127.0.0.1.
#include "support/mediaserver.h"
#include "support/requiretool.h"
#include "support/testmedia.h"
#include "support/xsession.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestOpenAddressEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mainMenuOpensAddressAndPlays();
};

// The activity bar only steps while the engine reports the playing state, so
// a changing bar is that state seen from outside the process.
static const QRect kActivityBar(273, 12, 91, 7);

static bool activityBarMoves(const XSession &x)
{
    QImage previous = x.grab(kActivityBar);
    for (int i = 0; i < 10; ++i) {
        QTest::qWait(400);
        const QImage next = x.grab(kActivityBar);
        if (!previous.isNull() && !next.isNull() && next != previous)
            return true;
        previous = next;
    }
    return false;
}

// Two identical grabs in a row, some steps of the bar's timer apart: the
// window has finished painting and the bar stands still. A bar that went on
// stepping would never settle.
static bool activityBarSettles(const XSession &x)
{
    QImage previous = x.grab(kActivityBar);
    for (int i = 0; i < 50; ++i) {
        QTest::qWait(700);
        const QImage next = x.grab(kActivityBar);
        if (!previous.isNull() && next == previous)
            return true;
        previous = next;
    }
    return false;
}

void TestOpenAddressEndToEnd::mainMenuOpensAddressAndPlays()
{
    TUNVIA_REQUIRE_TOOLS(
        XSession::toolsAvailable() && !QStandardPaths::findExecutable(u"ffmpeg"_s).isEmpty(),
        "Xvfb, xdotool or ffmpeg");
    QTemporaryDir dir;
    const QString song = dir.filePath(u"song.mp3"_s);
    QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, song, 60)); // about 1 MB
    QFile file(song);
    QVERIFY(file.open(QIODevice::ReadOnly));
    MediaServer server(u"/song.mp3"_s, file.readAll());
    QVERIFY(server.listen());

    XSession x;
    QVERIFY(x.start(QSize(1024, 768)));
    const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), dir.path());
    QVERIFY(!program.isEmpty());
    QProcessEnvironment environment = x.environment(dir.path());
    // Nothing leaves this machine: the web service is the test's server.
    const QString host = u"127.0.0.1:%1"_s.arg(server.port());
    environment.insert(u"TUNVIA_SERVICE_HOST"_s, host);
    environment.insert(u"TUNVIA_PARTNER_HOST"_s, host);
    QProcess tunvia;
    tunvia.setProcessEnvironment(environment);
    tunvia.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tunvia.start(program, {});
    QVERIFY(tunvia.waitForStarted(5000));

    QVERIFY2(!x.waitForWindow(u"playmain"_s, 15000).isEmpty(), "the player window never showed");
    QVERIFY2(activityBarSettles(x), "nothing plays before an address is chosen");
    // Image4 covers pixels 6,3 to 28,19 of the player window at 0,0.
    x.click(QPoint(17, 11));
    QTest::qWait(500);
    // "打开音乐" (first item) → its submenu → "打开一个网址" (second item).
    x.xdotool({ u"key"_s, u"--delay"_s, u"150"_s, u"Down"_s, u"Right"_s, u"Down"_s, u"Return"_s });

    const QString dialog = x.waitForWindow(u"打开网址"_s, 5000);
    QVERIFY2(!dialog.isEmpty(), "the address input box never showed");
    const QString address = u"http://127.0.0.1:%1/song.mp3"_s.arg(server.port());
    x.xdotool({ u"windowfocus"_s, u"--sync"_s, dialog });
    x.xdotool({ u"key"_s, u"ctrl+a"_s });
    x.xdotool({ u"type"_s, u"--delay"_s, u"10"_s, address });
    x.xdotool({ u"key"_s, u"Return"_s });

    QTRY_VERIFY_WITH_TIMEOUT(server.requested.contains(u"/song.mp3"_s), 10000);
    QVERIFY2(activityBarMoves(x), "the engine never reached the playing state");
    QCOMPARE(tunvia.state(), QProcess::Running);
    tunvia.terminate();
    QVERIFY(tunvia.waitForFinished(5000));
}

QTEST_MAIN(TestOpenAddressEndToEnd)
#include "tst_openaddress_e2e.moc"
