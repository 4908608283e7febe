// The update check against an HTTP server on 127.0.0.1 that this test runs.
#include "core/program/appstate.h"
#include "support/pageserver.h"
#include "support/recordinglauncher.h"
#include "support/scriptedprompts.h"
#include "ui/common/appcontext.h"
#include "ui/common/qtprompts.h"
#include "ui/update/updatecheck.h"
#include "ui/update/updatefailure.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// Notes how many addresses had been opened when each box came up.
class RecordingPrompts : public ScriptedPrompts
{
public:
    explicit RecordingPrompts(const RecordingLauncher &launcher)
        : m_launcher(launcher)
    {
    }
    QList<qsizetype> openedBeforeBox;

    Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon,
        Buttons buttons) override
    {
        openedBeforeBox << m_launcher.openedUrls.size();
        return ScriptedPrompts::message(parent, text, title, icon, buttons);
    }

private:
    const RecordingLauncher &m_launcher;
};

struct CheckRig
{
    QTemporaryDir dir;
    AppState state { LockMode::Locked };
    RecordingLauncher launcher;
    RecordingPrompts prompts { launcher };
    AppContext context { state, prompts, launcher, AppFolder(dir.path()),
        ServiceHosts { u"svc.example"_s, u"partner.example"_s } };
    PageServer server;

    QString storedPath() const { return dir.filePath(u"updatex.ini"_s); }

    // Runs one check to its end and returns its outcome.
    UpdateCheck::Outcome run(UpdateCheck::Mode mode, std::chrono::milliseconds timeout = 20s)
    {
        UpdateCheck check(context, mode);
        check.setAddress(server.address());
        check.setTimeout(timeout);
        QSignalSpy finished(&check, &UpdateCheck::finished);
        check.start();
        [&] { QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000); }();
        return finished.isEmpty() ? UpdateCheck::Outcome::Failed
                                  : finished.first().first().value<UpdateCheck::Outcome>();
    }
};

static QByteArray page(
    const QByteArray &version, const QByteArray &address = "http://dl.example/t.zip")
{
    return "[updatex]\r\nnewverson=" + version + "\r\nnewurl=" + address + "\r\nnewinfo=x\r\n";
}

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newerVersionOpensAddressOnlyAfterTheBox();
    void silentCheckShowsNothingElse_data();
    void silentCheckShowsNothingElse();
    void reportingCheckTellsTheOutcome();
    void failuresAreToldInChinese_data();
    void failuresAreToldInChinese();
    void quitDuringTheOfferOpensNothing();
    void unwritableFolderEndsTheCheck();
    void linkOthersCouldHavePlacedIsNotWrittenThrough();
    void addressComesFromHostOrEnvironment();
};

void TestUpdateCheck::newerVersionOpensAddressOnlyAfterTheBox()
{
    CheckRig rig;
    QVERIFY(rig.server.listen());
    // Stored byte for byte: GBK text, mixed line ends, no final line end.
    rig.server.body = "; \xD0\xC2\xB0\xE6\xB1\xBE\n[UPDATEX]\r\n newverson = "
                      "1.10\nnewurl=\"https://dl.example/t 2.zip\"\r"
                      "newinfo=\xD0\xC2";
    QCOMPARE(rig.run(UpdateCheck::Mode::Silent), UpdateCheck::Outcome::Offered);

    QCOMPARE(rig.prompts.asked.size(), 1);
    const ScriptedPrompts::Asked box = rig.prompts.asked.first();
    QCOMPARE(box.title, u"发现本程序的新版本"_s);
    QCOMPARE(box.text, u"在服网络上找到本程序的新版本 Ver:1.1\n按确定开始下载……"_s);
    QCOMPARE(box.icon, Prompts::Icon::Information);
    QCOMPARE(box.buttons, Prompts::Buttons::Ok);
    QCOMPARE(rig.prompts.openedBeforeBox, QList<qsizetype> { 0 });
    QCOMPARE(rig.launcher.openedUrls, QStringList { u"https://dl.example/t 2.zip"_s });

    QFile stored(rig.storedPath());
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), rig.server.body);
}

void TestUpdateCheck::silentCheckShowsNothingElse_data()
{
    QTest::addColumn<PageServer::Reply>("reply");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("stored");
    using Reply = PageServer::Reply;
    const QByteArray huge = page("9") + QByteArray(UpdateCheck::kBodyLimit, ' ');
    QByteArray limit = page("1.06");
    limit += QByteArray(UpdateCheck::kBodyLimit - limit.size(), ' ');

    QTest::newRow("equal version") << Reply::Page << page("1.06") << true;
    QTest::newRow("older version") << Reply::Page << page("1.0599") << true;
    QTest::newRow("no version") << Reply::Page << page("") << true;
    QTest::newRow("version not a number") << Reply::Page << page("1,07") << true;
    QTest::newRow("19 characters") << Reply::Page << QByteArray("[updatex\nnewverson=") << true;
    QTest::newRow("local file address") << Reply::Page << page("2", "file:///etc/passwd") << true;
    QTest::newRow("other scheme") << Reply::Page << page("2", "javascript:alert(1)") << true;
    QTest::newRow("address without host") << Reply::Page << page("2", "http:///t.zip") << true;
    QTest::newRow("HTTP error") << Reply::NotFound << QByteArray() << false;
    QTest::newRow("exactly 1 MB") << Reply::Page << limit << true;
    QTest::newRow("over 1 MB announced") << Reply::Page << huge << false;
    QTest::newRow("over 1 MB streamed") << Reply::StreamWithoutLength << huge << false;
    QTest::newRow("never answers") << Reply::Silent << QByteArray() << false;
}

void TestUpdateCheck::silentCheckShowsNothingElse()
{
    QFETCH(PageServer::Reply, reply);
    QFETCH(QByteArray, body);
    QFETCH(bool, stored);
    CheckRig rig;
    QVERIFY(rig.server.listen());
    rig.server.reply = reply;
    rig.server.body = body;

    // A short time-out stands in for the 30 s one where the server is silent;
    // elsewhere it must not be what ends the check.
    const auto timeout = reply == PageServer::Reply::Silent ? 500ms : 20000ms;
    const UpdateCheck::Outcome outcome = rig.run(UpdateCheck::Mode::Silent, timeout);
    QVERIFY(outcome != UpdateCheck::Outcome::Offered);
    QCOMPARE(rig.server.requests, 1);
    QVERIFY(rig.prompts.asked.isEmpty());
    QVERIFY(rig.launcher.openedUrls.isEmpty());
    QCOMPARE(QFile::exists(rig.storedPath()), stored);
    if (stored) {
        QFile file(rig.storedPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), body);
    }
}

void TestUpdateCheck::reportingCheckTellsTheOutcome()
{
    CheckRig rig;
    QVERIFY(rig.server.listen());
    rig.server.body = page("1.06");
    QCOMPARE(rig.run(UpdateCheck::Mode::Reporting), UpdateCheck::Outcome::UpToDate);
    QCOMPARE(rig.prompts.asked.size(), 1);
    QCOMPARE(rig.prompts.asked.at(0).text, u"已经是最新版本。"_s);
    QCOMPARE(rig.prompts.asked.at(0).icon, Prompts::Icon::Information);

    rig.server.reply = PageServer::Reply::Silent;
    QCOMPARE(rig.run(UpdateCheck::Mode::Reporting, 300ms), UpdateCheck::Outcome::Failed);
    QCOMPARE(rig.prompts.asked.size(), 2);
    QVERIFY2(rig.prompts.asked.at(1).text.startsWith(u"未能检查新版本。\n"_s),
        qPrintable(rig.prompts.asked.at(1).text));
    QCOMPARE(rig.prompts.asked.at(1).icon, Prompts::Icon::Warning);

    rig.server.reply = PageServer::Reply::Page;
    rig.server.body = page("1.07");
    QCOMPARE(rig.run(UpdateCheck::Mode::Reporting), UpdateCheck::Outcome::Offered);
    QCOMPARE(rig.prompts.asked.size(), 3); // the offer alone, no second box
    QCOMPARE(rig.prompts.asked.at(2).title, u"发现本程序的新版本"_s);
    QCOMPARE(rig.launcher.openedUrls, QStringList { u"http://dl.example/t.zip"_s });

    rig.server.reply = PageServer::Reply::NotFound;
    rig.run(UpdateCheck::Mode::Reporting);
    QCOMPARE(
        rig.prompts.asked.at(3).text, u"未能检查新版本。\n服务器回应了错误（HTTP 状态 404）。"_s);
    rig.server.reply = PageServer::Reply::CompressedBomb;
    rig.run(UpdateCheck::Mode::Reporting);
    QCOMPARE(rig.prompts.asked.at(4).text, u"未能检查新版本。\n服务器送来的数据无法解读或解压。"_s);
}

void TestUpdateCheck::failuresAreToldInChinese_data()
{
    QTest::addColumn<QNetworkReply::NetworkError>("error");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");
    using E = QNetworkReply;
    QTest::newRow("host") << E::HostNotFoundError << 0 << u"没有网络连接，或者找不到服务器。"_s;
    QTest::newRow("refused") << E::ConnectionRefusedError << 0 << u"服务器拒绝了连接。"_s;
    QTest::newRow("HTTP") << E::InternalServerError << 503
                          << u"服务器回应了错误（HTTP 状态 503）。"_s;
    QTest::newRow("TLS") << E::SslHandshakeFailedError << 0 << u"无法与服务器建立安全连接。"_s;
    QTest::newRow("gzip") << E::ProtocolFailure << 0 << u"服务器送来的数据无法解读或解压。"_s;
}

void TestUpdateCheck::failuresAreToldInChinese()
{
    QFETCH(QNetworkReply::NetworkError, error);
    QFETCH(int, status);
    QFETCH(QString, expected);
    QCOMPARE(UpdateFailure::transferText(error, status), expected);
}

// A quit ends the box's loop without an answer: the download is not opened.
void TestUpdateCheck::quitDuringTheOfferOpensNothing()
{
    CheckRig rig;
    QVERIFY(rig.server.listen());
    rig.server.body = page("2");
    QtPrompts boxes;
    AppContext context { rig.state, boxes, rig.launcher, rig.context.folder, rig.context.hosts };
    UpdateCheck check(context, UpdateCheck::Mode::Silent);
    check.setAddress(rig.server.address());
    QTimer quitOnceBoxIsUp;
    connect(&quitOnceBoxIsUp, &QTimer::timeout, [] {
        if (qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            QCoreApplication::exit(0); // as Program::quit does
    });
    quitOnceBoxIsUp.start(10);
    QTimer::singleShot(60000, [] { QCoreApplication::exit(1); }); // in case no box came
    QTimer::singleShot(0, &check, &UpdateCheck::start);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(rig.launcher.openedUrls.isEmpty());
}

void TestUpdateCheck::unwritableFolderEndsTheCheck()
{
    CheckRig rig;
    QVERIFY(rig.server.listen());
    rig.server.body = page("2");
    // A folder in the file's place cannot be replaced, even by root.
    QVERIFY(QDir(rig.dir.path()).mkdir(u"updatex.ini"_s));
    QCOMPARE(rig.run(UpdateCheck::Mode::Silent), UpdateCheck::Outcome::Failed);
    QVERIFY(rig.prompts.asked.isEmpty());
    QVERIFY(rig.launcher.openedUrls.isEmpty());

    QCOMPARE(rig.run(UpdateCheck::Mode::Reporting), UpdateCheck::Outcome::Failed);
    QCOMPARE(rig.prompts.asked.size(), 1);
    QVERIFY(rig.prompts.asked.at(0).text.contains(u"updatex.ini"_s));
}

void TestUpdateCheck::linkOthersCouldHavePlacedIsNotWrittenThrough()
{
    CheckRig rig;
    QVERIFY(rig.server.listen());
    rig.server.body = page("2");
    const QString victim = rig.dir.filePath(u"victim.txt"_s);
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("precious\n");
    file.close();
    // In a folder everybody may write to, anybody could have put the link there.
    QCOMPARE(::chmod(QFile::encodeName(rig.dir.path()).constData(), 01777), 0);
    QVERIFY(QFile::link(victim, rig.storedPath()));

    QCOMPARE(rig.run(UpdateCheck::Mode::Silent), UpdateCheck::Outcome::Failed);
    QVERIFY(rig.prompts.asked.isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious\n"));
    QVERIFY(QFileInfo(rig.storedPath()).isSymLink());
}

void TestUpdateCheck::addressComesFromHostOrEnvironment()
{
    const ServiceHosts hosts { u"music.example:8443"_s, u"video.example"_s };
    qunsetenv("TUNVIA_UPDATE_URL");
    QCOMPARE(UpdateCheck::pageAddress(hosts), u"https://music.example:8443/tunvia/updatex.htm"_s);
    qputenv("TUNVIA_UPDATE_URL", "http://127.0.0.1:1/x.ini");
    QCOMPARE(UpdateCheck::pageAddress(hosts), u"http://127.0.0.1:1/x.ini"_s);
    qunsetenv("TUNVIA_UPDATE_URL");
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
