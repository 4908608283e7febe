// Drags the real program's player window under Xvfb with a window manager and
// checks that the playlist window docks against it after the release.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <functional>

namespace {

constexpr int kPlayerWidth = 442;

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(50);
    }
    return true;
}

} // namespace

class FrameXvfbTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void draggingThePlayerDocksThePlaylistAfterRelease();

private:
    QString xdotool(const QStringList &arguments);
    QString findWindow(const QString &title);
    QPoint positionOf(const QString &window);
    QProcessEnvironment displayEnvironment() const;

    QTemporaryDir m_dir;
    QString m_display;
    QProcess m_xvfb;
    QProcess m_windowManager;
    QProcess m_program;
};

void FrameXvfbTest::initTestCase()
{
    for (const char *tool : { "Xvfb", "xdotool", "openbox" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    QVERIFY(m_dir.isValid());

    m_xvfb.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
            QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
            QStringLiteral("tcp") });
    QVERIFY(waitFor(
        [this] { return m_xvfb.canReadLine() || m_xvfb.state() == QProcess::NotRunning; }, 10000));
    const QByteArray number = m_xvfb.readLine().trimmed();
    QVERIFY2(!number.isEmpty(), "Xvfb did not report a display");
    m_display = u':' + QString::fromLatin1(number);

    m_windowManager.setProcessEnvironment(displayEnvironment());
    m_windowManager.start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
    QVERIFY(m_windowManager.waitForStarted());
    QTest::qWait(500); // let the window manager take over the root window

    // The program keeps its files in its own folder when it can write there.
    const QString binary = m_dir.filePath(QStringLiteral("tunvia"));
    QVERIFY(QFile::copy(QStringLiteral(TUNVIA_BINARY), binary));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("home")));
    QProcessEnvironment environment = displayEnvironment();
    environment.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("TUNVIA_AUDIO_OUTPUT"), QStringLiteral("null"));
    environment.insert(QStringLiteral("TUNVIA_SERVICE_HOST"), QStringLiteral("127.0.0.1:9"));
    environment.insert(QStringLiteral("TUNVIA_PARTNER_HOST"), QStringLiteral("127.0.0.1:9"));
    m_program.setProcessEnvironment(environment);
    m_program.setWorkingDirectory(m_dir.path());
    m_program.start(binary, {});
    QVERIFY(m_program.waitForStarted());
}

void FrameXvfbTest::cleanupTestCase()
{
    stop(m_program);
    stop(m_windowManager);
    stop(m_xvfb);
}

QProcessEnvironment FrameXvfbTest::displayEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    return environment;
}

QString FrameXvfbTest::xdotool(const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(displayEnvironment());
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(5000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString FrameXvfbTest::findWindow(const QString &title)
{
    QString found;
    waitFor(
        [&] {
            found = xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                QStringLiteral("--name"), u'^' + title + u'$' })
                        .section(u'\n', 0, 0);
            return !found.isEmpty();
        },
        10000);
    return found;
}

QPoint FrameXvfbTest::positionOf(const QString &window)
{
    static const QRegularExpression position(QStringLiteral("Position: (-?\\d+),(-?\\d+)"));
    const QRegularExpressionMatch match
        = position.match(xdotool({ QStringLiteral("getwindowgeometry"), window }));
    if (!match.hasMatch())
        return { INT_MIN, INT_MIN };
    return { match.captured(1).toInt(), match.captured(2).toInt() };
}

void FrameXvfbTest::draggingThePlayerDocksThePlaylistAfterRelease()
{
    const QString player = findWindow(QStringLiteral("playmain"));
    const QString list = findWindow(QStringLiteral("playlist"));
    QVERIFY2(!player.isEmpty() && !list.isEmpty(), "the program's windows did not appear");
    QVERIFY(waitFor(
        [&] { return positionOf(list) == positionOf(player) + QPoint(kPlayerWidth, 0); }, 5000));
    const QPoint start = positionOf(player);
    const QPoint listStart = positionOf(list);

    // Press on the drag strip and move in steps; the playlist stays put.
    const QPoint grip = start + QPoint(60, 14);
    xdotool({ QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y()),
        QStringLiteral("mousedown"), QStringLiteral("1") });
    for (int step = 1; step <= 5; ++step) {
        const QPoint at = grip + QPoint(40, 30) * step;
        xdotool({ QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
            QStringLiteral("sleep"), QStringLiteral("0.05") });
    }
    const QPoint moved = start + QPoint(200, 150);
    QVERIFY2(
        waitFor([&] { return positionOf(player) == moved; }, 5000), "the player did not follow");
    QCOMPARE(positionOf(list), listStart);

    xdotool({ QStringLiteral("mouseup"), QStringLiteral("1") });
    QVERIFY(waitFor([&] { return positionOf(list) == moved + QPoint(kPlayerWidth, 0); }, 5000));
    QCOMPARE(positionOf(list), moved + QPoint(kPlayerWidth, 0));
    QCOMPARE(positionOf(player), moved);
}

QTEST_GUILESS_MAIN(FrameXvfbTest)
#include "tst_framexvfb.moc"
