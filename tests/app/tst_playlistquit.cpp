#include "support/testfiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program ended the ways a desktop session or a terminal ends it:
// it quits cleanly and the playlist is saved.
class PlaylistQuitTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theListIsSavedWhenTheSystemEndsTheProgram_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void theListIsSavedWhenTheSystemEndsTheProgram()
    {
        QFETCH(int, signalNumber);
        // The program's own folder is its application folder: run a copy.
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("tunvia"));
        QVERIFY(QFile::copy(QStringLiteral(TUNVIA_BINARY), program));
        QFile list(folder.filePath(QStringLiteral("xlist.cfg")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QStringLiteral(u"file:///音乐/a b.mp3\nhttp://h/b.mp3\n").toUtf8());
        list.close();

        QProcess tunvia;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TUNVIA_AUDIO_OUTPUT"), QStringLiteral("null"));
        tunvia.setProcessEnvironment(environment);
        tunvia.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tunvia.start(program, {});
        QVERIFY(tunvia.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(TestFiles::catchesSignal(tunvia.processId(), signalNumber), 15000);
        ::kill(pid_t(tunvia.processId()), signalNumber);
        QVERIFY(tunvia.waitForFinished(15000));
        QCOMPARE(tunvia.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tunvia.exitCode(), 0);
        QVERIFY(list.open(QIODevice::ReadOnly));
        // Saved: the same items, now with CR LF endings.
        QCOMPARE(
            list.readAll(), QStringLiteral(u"file:///音乐/a b.mp3\r\nhttp://h/b.mp3\r\n").toUtf8());
    }
};

QTEST_GUILESS_MAIN(PlaylistQuitTest)
#include "tst_playlistquit.moc"
