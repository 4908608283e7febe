// End to end: the real program under Xvfb, driven with xdotool. The main menu
// opens on a click of Image4, "打开一个网址" asks for an address, and the
// engine fetches and plays the MP3 that this test serves on 127.0.0.1.
#include "mediaserver.h"
#include "support/testmedia.h"

#include <QDir>
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
    void initTestCase();
    void cleanup();
    void mainMenuOpensAddressAndPlays();

private:
    bool startDisplay();
    bool startProgram(quint16 port);
    QString xdotool(const QStringList &arguments);
    QString waitForWindow(const QString &titlePattern, int timeoutMs);

    QTemporaryDir m_dir;
    QProcess m_xvfb;
    QProcess m_program;
    QString m_display;
};

void TestOpenAddressEndToEnd::initTestCase()
{
    for (const QString &tool : { u"Xvfb"_s, u"xdotool"_s, u"ffmpeg"_s })
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + u" is not installed"_s));
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(TUNVIA_BINARY)));
}

void TestOpenAddressEndToEnd::cleanup()
{
    for (QProcess *process : { &m_program, &m_xvfb }) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(3000))
            process->kill();
        process->waitForFinished(3000);
    }
}

bool TestOpenAddressEndToEnd::startDisplay()
{
    m_xvfb.start(u"Xvfb"_s,
        { u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s, u"-nolisten"_s,
            u"tcp"_s });
    // With -displayfd the server picks a free display and prints its number.
    QDeadlineTimer deadline(10000);
    while (!m_xvfb.canReadLine() && m_xvfb.state() != QProcess::NotRunning && !deadline.hasExpired())
        m_xvfb.waitForReadyRead(100);
    m_display = u":"_s + QString::fromLatin1(m_xvfb.readLine().trimmed());
    return m_display.size() > 1;
}

bool TestOpenAddressEndToEnd::startProgram(quint16 port)
{
    // A copy of its own, so its application folder is fresh and writable.
    const QString binary = m_dir.filePath(u"app/tunvia"_s);
    QDir(m_dir.path()).mkpath(u"app"_s);
    QDir(m_dir.path()).mkpath(u"home"_s);
    QDir(m_dir.path()).mkpath(u"runtime"_s);
    QFile::setPermissions(
        m_dir.filePath(u"runtime"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QFile::copy(QStringLiteral(TUNVIA_BINARY), binary))
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_display);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"TUNVIA_AUDIO_OUTPUT"_s, u"null"_s);
    // Nothing leaves this machine: the web service is the test's server.
    const QString host = u"127.0.0.1:%1"_s.arg(port);
    environment.insert(u"TUNVIA_SERVICE_HOST"_s, host);
    environment.insert(u"TUNVIA_PARTNER_HOST"_s, host);
    environment.insert(u"HOME"_s, m_dir.filePath(u"home"_s));
    environment.insert(u"XDG_RUNTIME_DIR"_s, m_dir.filePath(u"runtime"_s));
    m_program.setProcessEnvironment(environment);
    m_program.setProcessChannelMode(QProcess::ForwardedChannels);
    m_program.start(binary, {});
    return m_program.waitForStarted(5000);
}

QString TestOpenAddressEndToEnd::xdotool(const QStringList &arguments)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_display);
    tool.setProcessEnvironment(environment);
    tool.start(u"xdotool"_s, arguments);
    if (!tool.waitForFinished(5000))
        tool.kill();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString TestOpenAddressEndToEnd::waitForWindow(const QString &titlePattern, int timeoutMs)
{
    QString window;
    QDeadlineTimer deadline(timeoutMs);
    while (window.isEmpty() && !deadline.hasExpired()) {
        window = xdotool({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, titlePattern })
                     .section(u'\n', 0, 0);
        if (window.isEmpty())
            QTest::qWait(100);
    }
    return window;
}

void TestOpenAddressEndToEnd::mainMenuOpensAddressAndPlays()
{
    const QString song = m_dir.filePath(u"song.mp3"_s);
    QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, song, 60)); // about 1 MB
    QFile file(song);
    QVERIFY(file.open(QIODevice::ReadOnly));
    MediaServer server(u"/song.mp3"_s, file.readAll());
    QVERIFY(server.listen());
    QVERIFY(startDisplay());
    QVERIFY(startProgram(server.port()));

    QVERIFY2(!waitForWindow(u"^playmain$"_s, 15000).isEmpty(), "the player window never showed");
    QTest::qWait(300);
    // Image4 covers pixels 6,3 to 28,19 of the player window at 0,0.
    xdotool({ u"mousemove"_s, u"17"_s, u"11"_s, u"sleep"_s, u"0.2"_s, u"click"_s, u"1"_s });
    QTest::qWait(500);
    // "打开音乐" (first item) → its submenu → "打开一个网址" (second item).
    xdotool({ u"key"_s, u"--delay"_s, u"150"_s, u"Down"_s, u"Right"_s, u"Down"_s, u"Return"_s });

    const QString dialog = waitForWindow(u"^打开网址$"_s, 5000);
    QVERIFY2(!dialog.isEmpty(), "the address input box never showed");
    const QString address = u"http://127.0.0.1:%1/song.mp3"_s.arg(server.port());
    xdotool({ u"windowfocus"_s, u"--sync"_s, dialog });
    xdotool({ u"key"_s, u"ctrl+a"_s });
    xdotool({ u"type"_s, u"--delay"_s, u"10"_s, address });
    xdotool({ u"key"_s, u"Return"_s });

    QTRY_VERIFY_WITH_TIMEOUT(server.requested.contains(u"/song.mp3"_s), 10000);
    // The whole body only gets through while the engine keeps reading it.
    QTRY_VERIFY_WITH_TIMEOUT(server.completed.contains(u"/song.mp3"_s), 10000);
    QTest::qWait(1000);
    QCOMPARE(m_program.state(), QProcess::Running);
}

QTEST_MAIN(TestOpenAddressEndToEnd)
#include "tst_openaddress_e2e.moc"
