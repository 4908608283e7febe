// End to end: the real program under Xvfb and openbox, its update check
// pointed at this test's server, and a fake browser (an xdg-open first on
// PATH) that notes every address it is given.
#include "support/pageserver.h"
#include "support/requiretool.h"
#include "support/xsession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray page(const QByteArray &version, const QByteArray &address)
{
    return "[updatex]\r\nnewverson=" + version + "\r\nnewurl=" + address + "\r\nnewinfo=test\r\n";
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One run of the program in a folder of its own.
struct ProgramRun
{
    QTemporaryDir dir;
    XSession x;
    PageServer server;
    QProcess tunvia;

    QString stored() const { return dir.filePath(u"updatex.ini"_s); }
    QString opened() const { return dir.filePath(u"opened.txt"_s); }

    // Starts the program; returns what failed, or nothing.
    QString start()
    {
        if (!server.listen())
            return u"the page server did not listen"_s;
        if (!x.start(QSize(1024, 768)) || !x.startWindowManager())
            return u"Xvfb or openbox did not come up"_s;
        const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), dir.path());
        const QString bin = dir.filePath(u"bin"_s);
        QFile browser(bin + u"/xdg-open"_s);
        if (program.isEmpty() || !QDir().mkpath(bin) || !browser.open(QIODevice::WriteOnly))
            return u"the program folder could not be set up"_s;
        browser.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$HOME/opened.txt\"\n");
        browser.close();
        browser.setPermissions(browser.permissions() | QFile::ExeOwner);

        QProcessEnvironment environment = x.environment(dir.path());
        environment.insert(u"PATH"_s, bin + u':' + environment.value(u"PATH"_s));
        environment.insert(u"TUNVIA_UPDATE_URL"_s, server.address());
        const QString host = u"127.0.0.1:%1"_s.arg(server.port()); // nothing leaves this machine
        environment.insert(u"TUNVIA_SERVICE_HOST"_s, host);
        environment.insert(u"TUNVIA_PARTNER_HOST"_s, host);
        tunvia.setProcessEnvironment(environment);
        tunvia.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tunvia.start(program, {});
        if (!tunvia.waitForStarted(5000))
            return u"the program did not start"_s;
        if (x.waitForWindow(u"playmain"_s, 30000).isEmpty())
            return u"the player window never showed"_s;
        return {};
    }

    ~ProgramRun()
    {
        tunvia.terminate();
        if (!tunvia.waitForFinished(5000))
            tunvia.kill();
    }
};

} // namespace

class TestUpdateEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void newerVersionOpensTheAddressAfterTheBoxCloses();
    void otherwiseNothingShowsAndTheWindowsAnswer_data();
    void otherwiseNothingShowsAndTheWindowsAnswer();
};

void TestUpdateEndToEnd::init()
{
    TUNVIA_REQUIRE_TOOLS(XSession::toolsAvailable(), "Xvfb or xdotool");
}

void TestUpdateEndToEnd::newerVersionOpensTheAddressAfterTheBoxCloses()
{
    ProgramRun run;
    const QByteArray address = "http://127.0.0.1:9/download/tunvia-1.1.zip";
    run.server.body = page("1.10", address);
    const QString failed = run.start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));

    // The page arrives about five seconds after start-up and is stored as it came.
    QTRY_COMPARE_WITH_TIMEOUT(contents(run.stored()), run.server.body, 30000);
    const QString box = run.x.waitForWindow(u"发现本程序的新版本"_s, 10000);
    QVERIFY2(!box.isEmpty(), "the new-version box never showed");
    QVERIFY2(!QFile::exists(run.opened()), "the address was opened before the box was closed");

    // Escape closes the box as well as OK does; either way the download starts.
    run.x.xdotool({ u"windowfocus"_s, u"--sync"_s, box });
    run.x.xdotool({ u"key"_s, u"Escape"_s });
    QTRY_COMPARE_WITH_TIMEOUT(contents(run.opened()), address + '\n', 20000);
    QCOMPARE(run.server.requests, 1);
    QCOMPARE(run.tunvia.state(), QProcess::Running);
}

void TestUpdateEndToEnd::otherwiseNothingShowsAndTheWindowsAnswer_data()
{
    QTest::addColumn<PageServer::Reply>("reply");
    QTest::newRow("equal version") << PageServer::Reply::Page;
    QTest::newRow("server never answers") << PageServer::Reply::Silent;
}

void TestUpdateEndToEnd::otherwiseNothingShowsAndTheWindowsAnswer()
{
    QFETCH(PageServer::Reply, reply);
    ProgramRun run;
    run.server.reply = reply;
    run.server.body = page("1.06", "http://127.0.0.1:9/download/tunvia.zip");
    const QString failed = run.start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));

    QTRY_VERIFY_WITH_TIMEOUT(run.server.requests == 1, 30000);
    if (reply == PageServer::Reply::Page)
        QTRY_COMPARE_WITH_TIMEOUT(contents(run.stored()), run.server.body, 20000);

    // The label "关于本软件" still opens the About window: no box holds the
    // program and its windows are not waiting for the server.
    run.x.click(QPoint(60, 129));
    QVERIFY2(
        !run.x.waitForWindow(u"关于本软件"_s, 10000).isEmpty(), "the About window never opened");
    QVERIFY(run.x.waitForWindow(u"发现本程序的新版本"_s, 200).isEmpty());
    QVERIFY(!QFile::exists(run.opened()));
    QCOMPARE(QFile::exists(run.stored()), reply == PageServer::Reply::Page);
    QCOMPARE(run.tunvia.state(), QProcess::Running);
}

QTEST_MAIN(TestUpdateEndToEnd)
#include "tst_update_e2e.moc"
