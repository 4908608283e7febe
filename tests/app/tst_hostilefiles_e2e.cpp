#include "support/requiretool.h"
#include "support/xsession.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The real program under Xvfb with something other than a list where
// xlist.cfg should be: it starts, says it cannot read the list, and leaves
// the thing in place.
class TestHostileFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void specialFilesAsTheListDoNotStopTheStart_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << QStringLiteral("fifo");
        QTest::newRow("link to /dev/zero") << QStringLiteral("zero");
    }
    void specialFilesAsTheListDoNotStopTheStart()
    {
        QFETCH(QString, kind);
        TUNVIA_REQUIRE_TOOLS(XSession::toolsAvailable(), "Xvfb or xdotool");
        XSession x;
        QVERIFY(x.start());
        QTemporaryDir folder;
        const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), folder.path());
        QVERIFY(!program.isEmpty());
        const QString list = folder.filePath(QStringLiteral("xlist.cfg"));
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(list).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), list));

        QProcess tunvia;
        QVERIFY(x.launch(tunvia, program, folder.path()));
        QVERIFY2(!x.waitForWindow(QStringLiteral("playmain"), 20000).isEmpty(), "no player window");
        QVERIFY2(!x.waitForWindow(QStringLiteral("playlist"), 20000).isEmpty(), "no playlist");
        const QString box = x.waitForWindow(QStringLiteral("播放列表"), 20000);
        QVERIFY2(!box.isEmpty(), "the unreadable list was not reported");
        x.xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), box });
        x.xdotool({ QStringLiteral("key"), QStringLiteral("Return") });

        x.click(QPoint(425, 14)); // the player's close hot spot
        QVERIFY(tunvia.waitForFinished(20000));
        QCOMPARE(tunvia.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tunvia.exitCode(), 0);
        const QFileInfo after(list);
        QVERIFY(after.exists() || after.isSymLink());
        QVERIFY(!after.isFile()); // never replaced by a list
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles_e2e.moc"
