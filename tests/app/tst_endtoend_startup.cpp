#include "support/requiretool.h"
#include "support/testfiles.h"
#include "support/xsession.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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
        TUNVIA_REQUIRE_TOOLS(XSession::toolsAvailable(), "Xvfb or xdotool");
        XSession x;
        QVERIFY(x.start());
        QTemporaryDir folder;
        const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), folder.path());
        QVERIFY(!program.isEmpty());

        QProcess tunvia;
        QVERIFY(x.launch(tunvia, program, folder.path()));

        const QString player = x.waitForWindow(QStringLiteral("playmain"));
        const QString playlist = x.waitForWindow(QStringLiteral("playlist"));
        QVERIFY2(!player.isEmpty() && !playlist.isEmpty(), "both windows are mapped");
        QCOMPARE(x.geometry(player), QRect(0, 0, 442, 180));
        QCOMPARE(x.geometry(playlist).topLeft(), QPoint(442, 0));

        // The list is read, and a missing one made, once the windows are up.
        const QString list = folder.filePath(QStringLiteral("xlist.cfg"));
        QTRY_COMPARE_WITH_TIMEOUT(TestFiles::readBytes(list), QByteArray("#\r\n"), 10000);

        // The close hot spot at the top right of the player window.
        x.click(QPoint(425, 14));
        QVERIFY(tunvia.waitForFinished(10000));
        QCOMPARE(tunvia.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tunvia.exitCode(), 0);
        QCOMPARE(QFile(list).size(), qint64(0)); // an empty list saves as an empty file
    }

    void withoutTheEngineOnlyTheMessageShowsAndNothingIsSaved_data()
    {
        // With a file to play, libmpv starts loading before the windows exist.
        QTest::addColumn<bool>("withFile");
        QTest::newRow("plain start") << false;
        QTest::newRow("start with a file") << true;
    }

    void withoutTheEngineOnlyTheMessageShowsAndNothingIsSaved()
    {
        QFETCH(bool, withFile);
        TUNVIA_REQUIRE_TOOLS(XSession::toolsAvailable()
                && !QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty(),
            "Xvfb, xdotool or unshare");
        const QString library = installedLibmpv();
        if (library.isEmpty())
            QSKIP("libmpv is not in the loader's cache");
        if (!canHideInNamespace(library))
            QSKIP("private mount namespaces are not permitted here");
        XSession x;
        QVERIFY(x.start());
        QTemporaryDir folder;
        const QString program = installProgramCopy(QStringLiteral(TUNVIA_BINARY), folder.path());
        const QString list = folder.filePath(QStringLiteral("xlist.cfg"));
        QFile seeded(list);
        QVERIFY(seeded.open(QIODevice::WriteOnly));
        seeded.write("#\nfile:///kept.mp3\n");
        seeded.close();

        // In a mount namespace of its own, the program finds an empty file
        // where libmpv should be: the engine cannot be created.
        QProcess tunvia;
        tunvia.setProcessEnvironment(x.environment(folder.path()));
        tunvia.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList command { QStringLiteral("--mount"), QStringLiteral("--propagation"),
            QStringLiteral("private"), QStringLiteral("sh"), QStringLiteral("-c"),
            QStringLiteral("mount --bind /dev/null \"$1\" && shift && exec \"$@\""),
            QStringLiteral("sh"), library, program };
        if (withFile) {
            const QString song = folder.filePath(QStringLiteral("song.mp3"));
            QFile file(song);
            QVERIFY(file.open(QIODevice::WriteOnly));
            command << song;
        }
        tunvia.start(QStringLiteral("unshare"), command);
        QVERIFY(tunvia.waitForStarted());
        const QString box = x.waitForWindow(QStringLiteral("不能运行喔……"));
        QVERIFY2(!box.isEmpty(), "the failure message never showed");
        QVERIFY(x.waitForWindow(QStringLiteral("playmain"), 300).isEmpty());
        QVERIFY(x.waitForWindow(QStringLiteral("playlist"), 300).isEmpty());

        x.xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), box });
        x.xdotool({ QStringLiteral("key"), QStringLiteral("Return") });
        QVERIFY(tunvia.waitForFinished(10000));
        QVERIFY(tunvia.exitCode() != 0);
        QFile after(list);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), QByteArray("#\nfile:///kept.mp3\n"));
    }

private:
    // True when a private mount namespace can put an empty file over `file`
    // (not in every container or chroot).
    static bool canHideInNamespace(const QString &file)
    {
        QProcess probe;
        probe.start(QStringLiteral("unshare"),
            { QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                QStringLiteral("sh"), QStringLiteral("-c"),
                QStringLiteral("mount --bind /dev/null \"$1\" && test ! -s \"$1\""),
                QStringLiteral("sh"), file });
        return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit
            && probe.exitCode() == 0;
    }

    // The real file behind libmpv's name in the loader's cache.
    static QString installedLibmpv()
    {
        QProcess ldconfig;
        ldconfig.start(QStringLiteral("ldconfig"), { QStringLiteral("-p") });
        ldconfig.waitForFinished(10000);
        for (const QByteArray &line : ldconfig.readAllStandardOutput().split('\n')) {
            if (line.trimmed().startsWith("libmpv.so.2 ") && line.contains("=>"))
                return QFileInfo(QString::fromLocal8Bit(line.mid(line.indexOf("=>") + 2).trimmed()))
                    .canonicalFilePath();
        }
        return {};
    }
};

QTEST_GUILESS_MAIN(TestEndToEndStartup)
#include "tst_endtoend_startup.moc"
