#include "app/windowset.h"
#include "core/playlist/playlistmodel.h"
#include "engine/mpvengine.h"
#include "support/recordinglauncher.h"
#include "support/scriptedprompts.h"
#include "support/testmedia.h"
#include "ui/common/appcontext.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistgrid.h"
#include "ui/playlist/playlistwindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The real windows and the libmpv engine on a folder's xlist.cfg, with
// "循环播放列表" set.
struct LoopingPlayer
{
    explicit LoopingPlayer(const QString &folder)
        : context { state, prompts, launcher, AppFolder(folder), ServiceHosts {} }
        , hub(context,
              std::make_unique<EngineFactory>([this] { return MpvEngine::create(context.folder); }))
    {
        if (PlayerWindow *player = hub.player()) {
            player->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true);
            engine = qobject_cast<MpvEngine *>(hub.engine());
        }
    }
    AppState state;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    AppContext context;
    WindowSet hub;
    MpvEngine *engine = nullptr;
};

} // namespace

// The playlist with the real libmpv engine: a double click on a generated
// list plays on through looptemp.ram from the clicked item, and random order
// plays its picks.
class PlaylistEngineTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loopingDoubleClickPlaysTheListFromTheClickedItem()
    {
        QTemporaryDir dir;
        const QString media = dir.filePath(QStringLiteral(u"我的 歌曲"));
        QVERIFY(QDir().mkpath(media));
        const QString first = media + QStringLiteral(u"/一 first.mp3");
        const QString second = media + QStringLiteral(u"/二 second.mp3");
        QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, first, 2));
        QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, second, 2));
        QFile list(dir.filePath(QStringLiteral("xlist.cfg")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QString(QStringLiteral("file://") + first + QStringLiteral("\r\nfile://")
            + second + QStringLiteral("\r\n"))
                       .toUtf8());
        list.close();

        LoopingPlayer rig(dir.path());
        QVERIFY2(rig.engine, "the engine could not be created");
        MpvEngine *engine = rig.engine;
        QVERIFY(engine);

        PlaylistWindow *window = rig.hub.playlist();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        PlaylistGrid *grid = window->grid();
        const QModelIndex secondItem = grid->model()->index(2, PlaylistModel::TextColumn);
        QTest::mouseDClick(
            grid->viewport(), Qt::LeftButton, {}, grid->visualRect(secondItem).center());

        QTRY_COMPARE_WITH_TIMEOUT(engine->playbackState(), MediaEngine::Playing, 10000);
        QCOMPARE(engine->status().entries, 2);
        QCOMPARE(engine->status().entry, 0);
        QVERIFY2(engine->status().title.contains(QStringLiteral("second")),
            qPrintable(engine->status().title));
        // The list plays on: after the clicked item comes the first one.
        QTRY_COMPARE_WITH_TIMEOUT(engine->status().entry, 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(engine->playbackState(), MediaEngine::Playing, 5000);
        QVERIFY2(engine->status().title.contains(QStringLiteral("first")),
            qPrintable(engine->status().title));
        QCOMPARE(window->model()->currentRow(), 2);
        engine->stopPlayback();
    }

    // Random order on a list long enough to reach the engine in parts: after
    // "是" the engine plays the picks in the order drawn, every one of them.
    void randomOrderPlaysTheDrawnOrder()
    {
        QTemporaryDir dir;
        const QString tone = dir.filePath(QStringLiteral("tone.mp3"));
        QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, tone, 30));
        const int count = 300;
        QStringList paths;
        QByteArray saved;
        for (int i = 1; i <= count; ++i) {
            paths << dir.filePath(QStringLiteral(u"曲 %1.mp3").arg(i));
            QVERIFY(QFile::link(tone, paths.last()));
            saved += (QStringLiteral("file://") + paths.last()).toUtf8() + "\r\n";
        }
        QFile list(dir.filePath(QStringLiteral("xlist.cfg")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(saved);
        list.close();

        LoopingPlayer rig(dir.path());
        QVERIFY2(rig.engine, "the engine could not be created");
        MpvEngine *engine = rig.engine;
        PlaylistWindow *window = rig.hub.playlist();
        // Every row once, in an order unlike the list's (7 and 300 share no factor).
        auto picks = std::make_shared<int>(0);
        window->setRandomPick([picks](int n) { return (++*picks * 7) % n + 1; });
        const auto picked = [&](int k) { return paths.at((k * 7) % count); };
        rig.prompts.answers.enqueue(Prompts::Answer::Yes);
        window->findChild<QPushButton *>(QStringLiteral("Command9"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.prompts.asked.isEmpty(), 20000);
        QCOMPARE(rig.prompts.asked.last().title, QStringLiteral(u"您看这顺序怎样？"));

        QTRY_VERIFY_WITH_TIMEOUT(engine->playbackState() == MediaEngine::Playing
                && engine->currentLocation() == picked(1),
            20000);
        QTRY_COMPARE_WITH_TIMEOUT(engine->status().entries, count, 20000);
        QCOMPARE(engine->status().entry, 0);
        engine->skipToNextEntry();
        QTRY_COMPARE_WITH_TIMEOUT(engine->currentLocation(), picked(2), 20000);
        engine->skipToPreviousEntry();
        engine->skipToPreviousEntry(); // wraps round to the last pick
        QTRY_COMPARE_WITH_TIMEOUT(engine->currentLocation(), picked(count), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(engine->playbackState(), MediaEngine::Playing, 20000);
        engine->stopPlayback();
    }
};

QTEST_MAIN(PlaylistEngineTest)
#include "tst_playlistengine.moc"
