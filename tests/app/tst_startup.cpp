#include "support/testhub.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"

#include <QFile>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void normalStartDocksThePlaylistAndLocks()
    {
        TestHub t;
        t.program.start();
        QCOMPARE(t.state.lockMode, LockMode::Locked);
        PlayerWindow *player = t.hub.existingPlayer();
        PlaylistWindow *list = t.hub.existingPlaylist();
        QVERIFY(player && list);
        QVERIFY(player->isVisible() && list->isVisible());
        QCOMPARE(player->pos(), QPoint(0, 0));
        QCOMPARE(list->pos(), QPoint(player->x() + player->width(), 0));
        QCOMPARE(list->x(), 442);
        QVERIFY(t.prompts.asked.isEmpty());
    }

    void missingEngineShowsTheOneMessageAndStartsNothing()
    {
        TestHub t;
        t.engineAvailable = false;
        const QString list = t.context.folder.file(QStringLiteral("xlist.cfg"));
        // LF endings and a comment: any save would rewrite them.
        const QByteArray saved("#\nfile:///a.mp3\nhttp://example.com/b.rm\n");
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(saved);
        file.close();
        t.program.start();
        QCOMPARE(t.prompts.asked.size(), 1);
        const ScriptedPrompts::Asked &asked = t.prompts.asked.first();
        QCOMPARE(asked.kind, QStringLiteral("message"));
        QCOMPARE(asked.text,
            QStringLiteral("您的系统没有安装RealPlay，或者是有文件注册不成功。\r"
                           "请您安装新版的RealPlay，安装完成后再运行此软件。\r"
                           "各大软件站均有下载。"));
        QCOMPARE(asked.title, QStringLiteral("不能运行喔……"));
        QCOMPARE(asked.icon, Prompts::Icon::Information);
        QCOMPARE(asked.buttons, Prompts::Buttons::Ok);
        QVERIFY(!t.hub.existingPlayer());
        QVERIFY(!t.hub.existingPlaylist()->isVisible());
        QCOMPARE(t.state.lockMode, LockMode::None);
        // The process now ends: the playlist window is destroyed without
        // closing, so nothing is saved on the way.
        delete t.hub.existingPlaylist();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
