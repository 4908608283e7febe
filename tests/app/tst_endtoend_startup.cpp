#include "support/xsession.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program under Xvfb: first start in an empty application folder,
// then the close hot spot.
class TestEndToEndStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartShowsBothWindowsAndClosesCleanly()
    {
        if (!XSession::toolsAvailable())
            QSKIP("Xvfb or xdotool is not installed");
        XSession x;
        QVERIFY(x.start());
        QTemporaryDir folder;
        const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), folder.path());
        QVERIFY(!program.isEmpty());

        QProcess tunvia;
        tunvia.setProcessEnvironment(x.environment(folder.path()));
        tunvia.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tunvia.start(program, {});
        QVERIFY(tunvia.waitForStarted());

        const QString player = x.waitForWindow(QStringLiteral("playmain"));
        const QString playlist = x.waitForWindow(QStringLiteral("playlist"));
        QVERIFY2(!player.isEmpty() && !playlist.isEmpty(), "both windows are mapped");
        QCOMPARE(x.geometry(player), QRect(0, 0, 442, 180));
        QCOMPARE(x.geometry(playlist).topLeft(), QPoint(442, 0));

        const QString list = folder.filePath(QStringLiteral("xlist.cfg"));
        QFile created(list);
        QVERIFY(created.open(QIODevice::ReadOnly));
        QCOMPARE(created.readAll(), QByteArray("#\r\n"));
        created.close();

        // The close hot spot at the top right of the player window.
        x.click(QPoint(425, 14));
        QVERIFY(tunvia.waitForFinished(10000));
        QCOMPARE(tunvia.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tunvia.exitCode(), 0);
        QCOMPARE(QFile(list).size(), qint64(0)); // an empty list saves as an empty file
    }
};

QTEST_GUILESS_MAIN(TestEndToEndStartup)
#include "tst_endtoend_startup.moc"
