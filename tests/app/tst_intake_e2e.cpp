// End to end, the real program under Xvfb and openbox, driven with xdotool:
// the add-directory dialog reached from the playlist's add hot spot, and a
// real drag from another program onto the drop window. Both end with the
// program's own save of xlist.cfg.
#include "support/requiretool.h"
#include "support/xsession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kScreen { 1024, 768 };

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QStringList savedList(const QString &folder)
{
    QFile file(folder + u"/xlist.cfg"_s);
    if (!file.open(QIODevice::ReadOnly))
        return { u"(no xlist.cfg)"_s };
    return QString::fromUtf8(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
}

bool isVisible(const XSession &x, const QString &name)
{
    return !x.xdotool({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, u'^' + name + u'$' })
                .isEmpty();
}

// The client area's place on the screen (xdotool counts the frame twice).
QPoint clientOrigin(const XSession &x, const QString &window)
{
    QPoint origin;
    const QString info = x.run(u"xwininfo"_s, { u"-id"_s, window });
    for (const QString &line : info.split(u'\n')) {
        const QString value = line.section(u':', 1).trimmed();
        if (line.contains(u"Absolute upper-left X"_s))
            origin.setX(value.toInt());
        else if (line.contains(u"Absolute upper-left Y"_s))
            origin.setY(value.toInt());
    }
    return origin;
}

void moveTo(const XSession &x, QPoint at)
{
    x.xdotool({ u"mousemove"_s, QString::number(at.x()), QString::number(at.y()) });
}

} // namespace

class IntakeEndToEndTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void addDirectoryFromTheAddMenuIsSavedAtExit();
    void dragFromAnotherProgramAddsTextAndFiles();

private:
    bool startProgram(const QString &workingDirectory);
    void endProgram();

    std::unique_ptr<XSession> m_x;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QProcess> m_tunvia;
    QString m_songs;
};

void IntakeEndToEndTest::init()
{
    TUNVIA_REQUIRE_TOOLS(
        XSession::toolsAvailable() && !QStandardPaths::findExecutable(u"openbox"_s).isEmpty(),
        "Xvfb, xdotool or openbox");
    m_x = std::make_unique<XSession>();
    QVERIFY(m_x->start(kScreen));
    QVERIFY2(m_x->startWindowManager(), "openbox did not come up");
    m_folder = std::make_unique<QTemporaryDir>();
    m_songs = m_folder->path() + u"/songs"_s;
    QVERIFY(QDir().mkpath(m_songs + u"/sub"_s));
    for (const QString &name :
        { u"b.rm"_s, u"a.mp3"_s, u"说明.txt"_s, u".hidden.mp3"_s, u"sub/inner.mp3"_s })
        touch(m_songs + u'/' + name);
}

void IntakeEndToEndTest::cleanup()
{
    if (m_tunvia && m_tunvia->state() != QProcess::NotRunning) {
        m_tunvia->kill();
        m_tunvia->waitForFinished(5000);
    }
    m_tunvia.reset();
    m_x.reset();
}

bool IntakeEndToEndTest::startProgram(const QString &workingDirectory)
{
    const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), m_folder->path());
    if (program.isEmpty())
        return false;
    m_tunvia = std::make_unique<QProcess>();
    m_tunvia->setProcessEnvironment(m_x->environment(m_folder->path()));
    m_tunvia->setWorkingDirectory(workingDirectory);
    m_tunvia->setProcessChannelMode(QProcess::ForwardedChannels);
    m_tunvia->start(program, {});
    return m_tunvia->waitForStarted(5000) && !m_x->waitForWindow(u"playmain"_s, 15000).isEmpty()
        && !m_x->waitForWindow(u"playlist"_s, 15000).isEmpty();
}

// Ends the program the way the desktop session does; it saves the list.
void IntakeEndToEndTest::endProgram()
{
    m_tunvia->terminate();
    QVERIFY(m_tunvia->waitForFinished(15000));
    QCOMPARE(m_tunvia->exitCode(), 0);
}

void IntakeEndToEndTest::addDirectoryFromTheAddMenuIsSavedAtExit()
{
    // The dialog opens at the directory the program runs in.
    QVERIFY2(startProgram(m_songs), "the program's windows did not appear");
    const QRect list = m_x->geometry(m_x->waitForWindow(u"playlist"_s));
    const QPoint addSpot = list.topLeft() + QPoint(168, 155); // Label1, "增加"
    // The menu opens at the pointer; grabbed before the pointer gets there,
    // so no tool tip can be taken for it.
    const QRect menuArea(addSpot + QPoint(8, 4), QSize(60, 30));
    const QImage before = m_x->grab(menuArea);
    QVERIFY(!before.isNull());
    m_x->click(addSpot);
    QVERIFY2(
        QTest::qWaitFor([&] { return m_x->grab(menuArea) != before; }, 10000), "no menu opened");
    // "增加一个文件", "增加一个网址", "增加一个目录".
    m_x->xdotool(
        { u"key"_s, u"--delay"_s, u"150"_s, u"Down"_s, u"Down"_s, u"Down"_s, u"Return"_s });

    const QString dialog = m_x->waitForWindow(u"增加目录"_s, 10000);
    QVERIFY2(!dialog.isEmpty(), "the add-directory dialog never showed");
    QCOMPARE(m_x->geometry(dialog).size(), QSize(306, 239));
    // "确定" does nothing until the directory has been read; press until it closes.
    const QPoint confirm = clientOrigin(*m_x, dialog) + QPoint(135 + 36, 213 + 9);
    for (int press = 0; press < 20 && isVisible(*m_x, u"增加目录"_s); ++press) {
        m_x->click(confirm);
        (void)QTest::qWaitFor([&] { return !isVisible(*m_x, u"增加目录"_s); }, 2000);
    }
    QVERIFY2(!isVisible(*m_x, u"增加目录"_s), "the dialog stayed open");

    endProgram();
    const QString prefix = u"file://"_s + m_songs + u'/';
    QCOMPARE(savedList(m_folder->path()),
        QStringList({ prefix + u"a.mp3"_s, prefix + u"b.rm"_s, prefix + u"说明.txt"_s }));
}

void IntakeEndToEndTest::dragFromAnotherProgramAddsTextAndFiles()
{
    QVERIFY2(startProgram(m_folder->path()), "the program's windows did not appear");
    // The list must not be lost when the playlist window is closed: close it
    // (its close hot spot, Image2), so the drop has to load it again.
    const QRect list = m_x->geometry(m_x->waitForWindow(u"playlist"_s));
    m_x->click(list.topLeft() + QPoint(338, 12));
    QVERIFY2(
        QTest::qWaitFor([&] { return !isVisible(*m_x, u"playlist"_s); }, 5000), "the list stayed");

    // The player's delayed start step shows the drop window at the top
    // right, kept above the other windows.
    const QString drop = m_x->waitForWindow(u"拖放口"_s, 20000);
    QVERIFY2(!drop.isEmpty(), "the drop window never showed");
    const int left = (kScreen.width() * 15 - 1300) / 15;
    QCOMPARE(m_x->geometry(drop), QRect(left, 500 / 15, 41, 36));
    const auto property = [&](const QString &name) {
        return m_x->run(u"xprop"_s, { u"-id"_s, drop, name });
    };
    QVERIFY(
        QTest::qWaitFor([&] { return property(u"_NET_WM_STATE"_s).contains(u"_ABOVE"_s); }, 5000));
    // A utility window: no taskbar entry, not in the window switcher.
    QVERIFY(property(u"_NET_WM_WINDOW_TYPE"_s).contains(u"_NET_WM_WINDOW_TYPE_UTILITY"_s));

    // The marker blinks while the pointer rests on the window, and is gone as
    // soon as the pointer leaves.
    const QRect face(left, 33, 41, 36);
    const QRect marker(face.topLeft() + QPoint(3, 3), QSize(18, 25)); // clear of the tool tip
    const QImage idle = m_x->grab(marker);
    QVERIFY(!idle.isNull());
    moveTo(*m_x, face.center());
    QVERIFY2(
        QTest::qWaitFor([&] { return m_x->grab(marker) != idle; }, 5000), "the marker never lit");
    QVERIFY2(
        QTest::qWaitFor([&] { return m_x->grab(marker) == idle; }, 5000), "it never blinked off");
    QVERIFY(QTest::qWaitFor([&] { return m_x->grab(marker) != idle; }, 5000));
    moveTo(*m_x, face.center() + QPoint(-200, 200));
    QVERIFY2(
        QTest::qWaitFor([&] { return m_x->grab(marker) == idle; }, 5000), "the marker stayed lit");

    QProcess source;
    source.setProcessEnvironment(m_x->environment(m_folder->path()));
    const QString address = u"http://radio.example.net/live.mp3"_s;
    source.start(QStringLiteral(DRAG_SOURCE_BINARY),
        { u"--text"_s, address, m_songs + u"/a.mp3"_s, m_songs + u"/sub"_s });
    QVERIFY(source.waitForStarted(5000));
    const QString sourceWindow = m_x->waitForWindow(u"dragsource"_s, 10000);
    QVERIFY2(!sourceWindow.isEmpty(), "the drag source did not show");
    const QPoint from = m_x->geometry(sourceWindow).center();
    const QPoint to = face.center();
    moveTo(*m_x, from);
    m_x->xdotool({ u"mousedown"_s, u"1"_s });
    for (int step = 1; step <= 12; ++step) {
        const QPoint at = from + (to - from) * step / 12;
        m_x->xdotool({ u"mousemove"_s, QString::number(at.x()), QString::number(at.y()), u"sleep"_s,
            u"0.05"_s });
    }
    m_x->xdotool({ u"mousemove"_s, QString::number(to.x() + 1), QString::number(to.y()), u"sleep"_s,
        u"0.2"_s, u"mouseup"_s, u"1"_s });
    QByteArray answer;
    const bool finished = QTest::qWaitFor(
        [&] {
            answer += source.readAllStandardOutput();
            return answer.contains("finished");
        },
        20000);
    source.kill();
    source.waitForFinished(5000);
    QVERIFY2(finished, answer.constData());
    QCOMPARE(answer.split('\n').first(), QByteArray("copy")); // the source keeps its files
    // The drop loaded the list again without bringing its window forward.
    QVERIFY(!isVisible(*m_x, u"playlist"_s));

    endProgram();
    QCOMPARE(savedList(m_folder->path()),
        QStringList({ address, m_songs + u"/a.mp3"_s, m_songs + u"/sub"_s }));
}

QTEST_GUILESS_MAIN(IntakeEndToEndTest)
#include "tst_intake_e2e.moc"
