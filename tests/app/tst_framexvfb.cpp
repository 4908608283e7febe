// Drags the real program's player window under Xvfb with a window manager and
// checks that the playlist window docks against it after the release.
#include "support/requiretool.h"
#include "support/xsession.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kPlayerWidth = 442;

} // namespace

class FrameXvfbTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void draggingThePlayerDocksThePlaylistAfterRelease(); // and keeps it on top on request
};

void FrameXvfbTest::draggingThePlayerDocksThePlaylistAfterRelease()
{
    TUNVIA_REQUIRE_TOOLS(XSession::toolsAvailable()
            && !QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty(),
        "Xvfb, xdotool or openbox");
    XSession x;
    QVERIFY(x.start(QSize(1280, 800)));
    QVERIFY2(x.startWindowManager(), "openbox did not come up");
    QTemporaryDir dir;
    const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), dir.path());
    QVERIFY(!program.isEmpty());
    QProcess tunvia;
    QVERIFY(x.launch(tunvia, program, dir.path()));

    const QString player = x.waitForWindow(QStringLiteral("playmain"));
    const QString list = x.waitForWindow(QStringLiteral("playlist"));
    QVERIFY2(!player.isEmpty() && !list.isEmpty(), "the program's windows did not appear");
    auto positionOf = [&x](const QString &window) { return x.geometry(window).topLeft(); };
    QVERIFY(QTest::qWaitFor(
        [&] { return positionOf(list) == positionOf(player) + QPoint(kPlayerWidth, 0); }, 5000));
    const QPoint start = positionOf(player);
    const QPoint listStart = positionOf(list);

    // Press on the drag strip and move in steps; the playlist stays put.
    const QPoint grip = start + QPoint(60, 14);
    x.xdotool({ QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y()),
        QStringLiteral("mousedown"), QStringLiteral("1") });
    for (int step = 1; step <= 5; ++step) {
        const QPoint at = grip + QPoint(40, 30) * step;
        x.xdotool({ QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
            QStringLiteral("sleep"), QStringLiteral("0.05") });
    }
    const QPoint moved = start + QPoint(200, 150);
    QVERIFY2(QTest::qWaitFor([&] { return positionOf(player) == moved; }, 5000),
        "the player did not follow");
    QCOMPARE(positionOf(list), listStart);

    x.xdotool({ QStringLiteral("mouseup"), QStringLiteral("1") });
    QVERIFY(
        QTest::qWaitFor([&] { return positionOf(list) == moved + QPoint(kPlayerWidth, 0); }, 5000));
    QCOMPARE(positionOf(player), moved);

    // "最前面显示" asks the window manager to keep the player above, and to stop.
    auto isAbove = [&] {
        return x
            .run(QStringLiteral("xprop"),
                { QStringLiteral("-id"), player, QStringLiteral("_NET_WM_STATE") })
            .contains(QLatin1String("_NET_WM_STATE_ABOVE"));
    };
    QVERIFY(!isAbove());
    const QPoint onTopBox = moved + QPoint(123, 123);
    x.click(onTopBox);
    QVERIFY2(QTest::qWaitFor(isAbove, 5000), "the player is not kept above");
    QCOMPARE(positionOf(player), moved); // it keeps its place
    x.click(onTopBox);
    QVERIFY2(QTest::qWaitFor([&] { return !isAbove(); }, 5000), "the player stays above");

    tunvia.terminate();
    QVERIFY(tunvia.waitForFinished(5000));
}

QTEST_GUILESS_MAIN(FrameXvfbTest)
#include "tst_framexvfb.moc"
