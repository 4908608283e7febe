#include "playlistfixture.h"
#include "support/ordinaryuser.h"

#include "core/media/filefilter.h"
#include "core/playlist/playlistmodel.h"
#include "ui/common/hotspot.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistcommands.h"
#include "ui/playlist/playlistgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QSemaphore>
#include <QTest>
#include <QThreadPool>

#include <atomic>

#include <unistd.h>

using Icon = PlaylistItem::Icon;

static const QString kXlist = QStringLiteral("xlist.cfg");
static const QString kLoop = QStringLiteral("looptemp.ram");

// The playlist window on the offscreen platform with a fake engine and
// scripted dialogs.
class PlaylistWindowTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlaylistFixture> m_fx;

    PlaylistWindow *shown(const QByteArray &list = {})
    {
        if (!list.isNull())
            m_fx->writeFile(kXlist, list);
        PlaylistWindow *window = m_fx->playlist();
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("playlist window not exposed");
        return window;
    }
    static void doubleClick(PlaylistWindow *window, int row)
    {
        PlaylistGrid *grid = window->grid();
        const QModelIndex index = grid->model()->index(row, PlaylistModel::TextColumn);
        grid->scrollTo(index);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    void press(PlaylistWindow *window, const char *button)
    {
        window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
    }
    QStringList engineCalls(const QString &source) const
    {
        return { QStringLiteral("stopPlayback"), QStringLiteral("setSource:") + source,
            QStringLiteral("startPlayback") };
    }

private Q_SLOTS:
    void init() { m_fx = std::make_unique<PlaylistFixture>(); }
    void cleanup() { m_fx.reset(); }

    void windowIsBuiltAsDesigned()
    {
        PlaylistWindow *window = shown();
        QCOMPARE(window->size(), QSize(359, 180));
        QCOMPARE(window->windowFlags() & (Qt::WindowType_Mask | Qt::FramelessWindowHint),
            Qt::Window | Qt::FramelessWindowHint);
        QVERIFY(!window->mask().contains(QPoint(357, 1))); // cut top-right corner
        QCOMPARE(window->grid()->geometry(), QRect(6, 24, 346, 121));
        QCOMPARE(window->grid()->columnWidth(0), 25);
        // The text column, and the title strip of the header row, reach the grid's edge.
        QCOMPARE(window->grid()->columnWidth(0) + window->grid()->columnWidth(1),
            window->grid()->viewport()->width());
        // Rolled up, no sliver of the grid shows below the title strip.
        window->rollUp();
        QVERIFY(window->height() < 30);
        QVERIFY(!window->grid()->isVisible());
        window->restoreHeight();
        QVERIFY(window->grid()->isVisible());
        QCOMPARE(window->otherPlayers()->itemText(0), QStringLiteral("Tunvia"));
        QCOMPARE(window->otherPlayers()->currentText(), QString());
        QCOMPARE(window->otherPlayers()->placeholderText(),
            QStringLiteral(u"使用您系统中的其他播放器播放"));
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("Command9"))->geometry(),
            QRect(267, 123, 64, 18));
        QVERIFY(!window->findChild<QPushButton *>(QStringLiteral("Command7"))->isVisible());
        QVERIFY(!window->findChild<HotSpot *>(QStringLiteral("Image11"))->pixmap().isNull());
        window->findChild<HotSpot *>(QStringLiteral("Label5"))->clicked();
        QCOMPARE(window->focusWidget(), window->otherPlayers());
    }

    void loadingAndClosingGoThroughTheFile()
    {
        // Never shown: Qt then delivers every close to the window.
        QPointer<PlaylistWindow> window = m_fx->playlist();
        QCOMPARE(m_fx->readFile(kXlist), QByteArray("#\r\n")); // first start
        QCOMPARE(window->grid()->currentIndex(), window->model()->index(0, 1));
        window->appendItem(Icon::Address, QStringLiteral(u"http://h/歌 1.mp3"));
        window->appendItem(Icon::File, QStringLiteral("/dropped/bare.mp3"));
        window->findChild<HotSpot *>(QStringLiteral("Image2"))->clicked();
        QCOMPARE(m_fx->state.lockMode, LockMode::Separate);
        QCOMPARE(m_fx->readFile(kXlist),
            QStringLiteral(u"http://h/歌 1.mp3\r\n/dropped/bare.mp3\r\n").toUtf8());

        // The program's end may close it again before it is gone: no second save.
        m_fx->writeFile(kXlist, "#\r\nchanged\r\nFILE://C:\\b.mp3\r\n");
        m_fx->hub.unloadPlaylist();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        PlaylistModel *model = m_fx->playlist()->model(); // a fresh window reads the file again
        QCOMPARE(model->texts(),
            (QStringList { QStringLiteral("changed"), QStringLiteral("FILE://C:\\b.mp3") }));
        QCOMPARE(model->item(2).icon, Icon::Address);
        QCOMPARE(m_fx->playlist()->grid()->currentIndex(), model->index(2, 1));
    }

    void anUnreadableListIsReportedAndNeverOverwritten()
    {
        m_fx->writeFile(kXlist, "file:///kept.mp3\r\n");
        QFile::setPermissions(m_fx->file(kXlist), QFileDevice::Permissions());
        OrdinaryUser::openToEveryone(m_fx->dir.path());
        {
            OrdinaryUser user;
            if (!user.active())
                QSKIP("cannot drop root rights here");
            PlaylistWindow *window = m_fx->playlist();
            QVERIFY(m_fx->prompts.asked.isEmpty()); // told once the window is up
            QTRY_COMPARE(m_fx->prompts.asked.size(), 1);
            QCOMPARE(m_fx->prompts.asked.at(0).icon, Prompts::Icon::Warning);
            window->appendItem(Icon::Address, QStringLiteral("http://h/new.mp3"));
            m_fx->hub.unloadPlaylist(); // the folder is writable: only the window holds back
            QCOMPARE(m_fx->state.lockMode, LockMode::Separate);
        }
        QFile::setPermissions(m_fx->file(kXlist), QFileDevice::ReadOwner);
        QCOMPARE(m_fx->readFile(kXlist), QByteArray("file:///kept.mp3\r\n"));
    }

    void doubleClickPlaysInTheEngine()
    {
        PlaylistWindow *window = shown(
            "  file://D:\\a.mp3 \r\nhttp://h/2.mp3\r\nfile:///m/3 三.mp3\r\npnm://h/4.rm\r\n");
        doubleClick(window, 0); // the header row
        QVERIFY(!m_fx->hub.existingPlayer());

        m_fx->hub.player()->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(false);
        doubleClick(window, 1);
        QCOMPARE(m_fx->engine->calls, engineCalls(QStringLiteral("file://D:\\a.mp3")));

        m_fx->hub.player()->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true);
        m_fx->engine->calls.clear();
        doubleClick(window, 3);
        QTRY_COMPARE(
            m_fx->engine->calls, engineCalls(QStringLiteral("file://") + m_fx->file(kLoop)));
        QCOMPARE(m_fx->readFile(kLoop),
            QStringLiteral(
                u"file:///m/3 三.mp3\r\npnm://h/4.rm\r\n  file://D:\\a.mp3 \r\nhttp://h/2.mp3\r\n")
                .toUtf8());
        QCOMPARE(window->grid()->currentIndex().row(), 3);
    }

    void otherPlayersGetTheLocationAsOneArgument()
    {
        PlaylistWindow *window = shown("FILE://C:\\My Music\\a.mp3\r\npnm://h/b.rm\r\n");
        m_fx->writeFile(QStringLiteral("realplay"), {});
        m_fx->writeFile(QStringLiteral("audacious"), {});
        window->useExternalPlayers(
            { { QStringLiteral("RealPlay"), m_fx->file(QStringLiteral("realplay")) },
                { QStringLiteral("WinAmp"), m_fx->file(QStringLiteral("audacious")) },
                { QStringLiteral("MediaPlay"), m_fx->file(QStringLiteral("vlc")) } });
        QCOMPARE(window->otherPlayers()->count(), 3);
        window->otherPlayers()->setCurrentText(QStringLiteral("WinAmp"));
        doubleClick(window, 1);
        window->otherPlayers()->setCurrentText(QStringLiteral("RealPlay"));
        doubleClick(window, 2);
        QCOMPARE(m_fx->launcher.startedPrograms,
            (QList<QStringList> {
                { m_fx->file(QStringLiteral("audacious")), QStringLiteral("C:\\My Music\\a.mp3") },
                { m_fx->file(QStringLiteral("realplay")), QStringLiteral("pnm://h/b.rm") } }));
        QVERIFY(!m_fx->hub.existingPlayer());
        m_fx->launcher.succeed = false; // removed since the list was filled
        doubleClick(window, 2);
        QVERIFY(m_fx->prompts.asked.at(0).text.contains(m_fx->file(QStringLiteral("realplay"))));
    }

    void noItemReachesAnotherPlayerAsAnOption()
    {
        PlaylistWindow *window = shown("-I\r\nfile://--sout=#file{dst=x}\r\n");
        m_fx->writeFile(QStringLiteral("vlc"), {});
        window->useExternalPlayers(
            { { QStringLiteral("MediaPlay"), m_fx->file(QStringLiteral("vlc")) } });
        window->otherPlayers()->setCurrentText(QStringLiteral("MediaPlay"));
        doubleClick(window, 1);
        doubleClick(window, 2);
        QCOMPARE(m_fx->launcher.startedPrograms,
            (QList<QStringList> { { m_fx->file(QStringLiteral("vlc")), QStringLiteral("./-I") },
                { m_fx->file(QStringLiteral("vlc")), QStringLiteral("./--sout=#file{dst=x}") } }));
    }

    void aListLinkOthersCouldHavePlacedIsToldAndNotWrittenThrough()
    {
        if (::geteuid() != 0)
            QSKIP("making a link that belongs to another user needs root");
        const QString elsewhere = m_fx->dir.filePath(QStringLiteral("elsewhere.txt"));
        QFile target(elsewhere);
        QVERIFY(target.open(QIODevice::WriteOnly));
        target.write("http://h/elsewhere.mp3\r\n");
        target.close();
        QVERIFY(QFile::link(elsewhere, m_fx->file(kXlist)));
        QCOMPARE(::lchown(QFile::encodeName(m_fx->file(kXlist)).constData(), 65534, 65534), 0);
        PlaylistWindow *window = m_fx->playlist();
        QCOMPARE(
            window->model()->texts(), QStringList { QStringLiteral("http://h/elsewhere.mp3") });
        QTRY_COMPARE(m_fx->prompts.asked.size(), 1);
        QVERIFY(m_fx->prompts.asked.at(0).text.contains(m_fx->file(kXlist)));
        window->appendItem(Icon::Address, QStringLiteral("http://h/new.mp3"));
        m_fx->hub.unloadPlaylist();
        QVERIFY(target.open(QIODevice::ReadOnly));
        QCOMPARE(target.readAll(), QByteArray("http://h/elsewhere.mp3\r\n"));
        QCOMPARE(m_fx->prompts.asked.size(), 1); // told once
    }

    void mouseMoveShowsTheSelectedText()
    {
        PlaylistGrid *grid = shown("http://h/a.mp3\r\nhttp://h/b.mp3\r\n")->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
            grid->visualRect(grid->model()->index(1, 1)).center());
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 40),
            grid->viewport()->mapToGlobal(QPointF(5, 40)), Qt::NoButton, Qt::NoButton,
            Qt::NoModifier);
        QCoreApplication::sendEvent(grid->viewport(), &move);
        QCOMPARE(grid->toolTip(), QStringLiteral(u"当前选定:http://h/a.mp3|双击将开始播放"));
    }

    void theIconColumnIsFixed()
    {
        PlaylistWindow *window = m_fx->playlist();
        QVERIFY(window->isVisible()); // loading the window shows it
        QVERIFY(QTest::qWaitForWindowExposed(window));
        m_fx->writeFile(kXlist, "");
        window->appendItem(Icon::Address, QStringLiteral("http://h/a.mp3"));
        window->appendItem(Icon::Address, QStringLiteral("http://h/b.mp3"));
        PlaylistGrid *grid = window->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
            grid->visualRect(grid->model()->index(1, PlaylistModel::IconColumn)).center());
        QCOMPARE(grid->currentIndex(), grid->model()->index(1, PlaylistModel::TextColumn));
        QCOMPARE(window->model()->currentColumn(), int(PlaylistModel::TextColumn));
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(grid->currentIndex().column(), int(PlaylistModel::TextColumn));
    }

    void editingCommands()
    {
        PlaylistWindow *window = shown();
        PlaylistModel *model = window->model();
        m_fx->prompts.texts << QStringLiteral("http://") << QStringLiteral("http://abc")
                            << QStringLiteral("pnm://h/12345.rm") << QString()
                            << QStringLiteral(u"/m/My Music/歌.mp3");
        for (int i = 0; i < 3; ++i)
            press(window, "Command5");
        QVERIFY(m_fx->prompts.asked.at(0).text.contains(
            QStringLiteral("\r     pnm://svc.example/xxxx.rm\r")));
        press(window, "Command6"); // cancelled
        press(window, "Command6");
        QCOMPARE(m_fx->prompts.asked.at(4).filter, mediaFileFilter());
        QCOMPARE(model->texts(),
            (QStringList { QStringLiteral("pnm://h/12345.rm"),
                QStringLiteral(u"file:///m/My Music/歌.mp3") }));
        QCOMPARE(model->item(2).icon, Icon::File);

        model->setCurrentCell(0, 1);
        press(window, "Command8"); // the header row: nothing
        model->setCurrentCell(1, 1);
        press(window, "Command8");
        QCOMPARE(model->itemCount(), 1);
        QCOMPARE(window->grid()->currentIndex(), model->index(1, 1));

        press(window, "Command7"); // cancelled
        QCOMPARE(model->itemCount(), 1);
        QCOMPARE(m_fx->prompts.asked.last().text,
            QStringLiteral(u"清除现在的列表吗？清除列表将不会影响您的文件。"));
        m_fx->prompts.answers << Prompts::Answer::Ok;
        press(window, "Command7");
        QCOMPARE(model->rowCount(), 1);
    }

    void randomOrder()
    {
        PlaylistWindow *window = shown("a\r\nb\r\nc\r\n");
        press(window, "Command9");
        QCOMPARE(m_fx->prompts.asked.at(0).text,
            QStringLiteral(u"只有3首歌曲，没有办法随机，至少也要5首嘛……"));
        QVERIFY(!QFile::exists(m_fx->file(kLoop)));

        QStringList texts;
        for (int i = 1; i <= 25; ++i)
            texts << QStringLiteral("http://h/%1.mp3").arg(i);
        window->model()->removeAllItems();
        for (const QString &text : texts)
            window->appendItem(Icon::Address, text);
        QList<int> picks;
        window->setRandomPick(
            [&picks](int count) { return picks.emplace_back((picks.size() * 11) % count + 1); });
        press(window, "Command9"); // answered No
        QTRY_COMPARE(m_fx->prompts.asked.size(), 2);
        QStringList lines;
        for (int row : picks)
            lines << texts.at(row - 1);
        QCOMPARE(m_fx->readFile(kLoop),
            (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        QCOMPARE(m_fx->prompts.asked.last().text,
            lines.mid(0, 20).join(u'\r') + QStringLiteral(u"\r\r后面的省略…………"));
        QCOMPARE(m_fx->prompts.asked.last().title, QStringLiteral(u"您看这顺序怎样？"));
        QCOMPARE(window->model()->currentRow(), picks.last());
        QVERIFY(!m_fx->hub.existingPlayer());

        m_fx->prompts.answers << Prompts::Answer::Yes;
        press(window, "Command9");
        QTRY_VERIFY(m_fx->engine);
        QTRY_COMPARE(m_fx->engine->calls, engineCalls(m_fx->file(kLoop)));
        QCOMPARE(window->model()->texts(), texts); // the list keeps its order
    }

    // The order is drawn on a worker: a list changed meanwhile is drawn
    // again, a press while a draw runs starts none, and a window closed
    // meanwhile shows no box, plays nothing and leaves looptemp.ram unwritten.
    void randomOrderFollowUpAfterTheListChangedOrTheWindowClosed()
    {
        PlaylistWindow *window = shown();
        for (int i = 1; i <= 25; ++i)
            window->appendItem(Icon::Address, QStringLiteral("http://h/%1.mp3").arg(i));
        QSemaphore gate;
        std::atomic_bool held = false;
        // Every pick is the last row; the first pick waits for the gate.
        window->setRandomPick([&](int count) {
            if (!held.exchange(true))
                gate.acquire();
            return count;
        });
        press(window, "Command9");
        window->appendItem(Icon::Address, QStringLiteral("http://h/new.mp3"));
        press(window, "Command9");
        gate.release();
        QTRY_COMPARE(m_fx->prompts.asked.size(), 1);
        QVERIFY(m_fx->prompts.asked.at(0).text.startsWith(QStringLiteral("http://h/new.mp3\r")));
        QCOMPARE(m_fx->readFile(kLoop).count("http://h/new.mp3\r\n"), 26);
        QCOMPARE(window->model()->currentRow(), 26);

        QFile::remove(m_fx->file(kLoop));
        held = false;
        m_fx->prompts.answers << Prompts::Answer::Yes;
        press(window, "Command9");
        window->close();
        gate.release();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(m_fx->prompts.asked.size(), 1);
        QVERIFY(!m_fx->hub.existingPlayer()); // nothing was played
        QVERIFY(!QFile::exists(m_fx->file(kLoop)));
    }

    void exportThenImportAppendsTheSameItems()
    {
        PlaylistWindow *window
            = shown("file:///m/My Music/一.mp3\r\nFILE:///m/b.rm\r\npnm://h/c.rm\r\n");
        const QString exported = m_fx->dir.filePath(QStringLiteral("TUNVIA_01.ram"));
        m_fx->prompts.texts << exported << exported << m_fx->dir.path();
        window->findChild<HotSpot *>(QStringLiteral("Label4"))->clicked();
        const ScriptedPrompts::Asked save = m_fx->prompts.asked.at(0);
        QCOMPARE(save.filter, QStringLiteral(u"列表文件(m3u,ram,pls)|*.m3u;*.ram;*.pls|"));
        QCOMPARE(save.startFolder, m_fx->context.folder.path());
        QCOMPARE(save.defaultText, QStringLiteral("TUNVIA_01.ram"));
        window->findChild<HotSpot *>(QStringLiteral("Label3"))->clicked();
        QTRY_COMPARE(window->model()->itemCount(), 6);
        const QStringList texts = window->model()->texts();
        QCOMPARE(texts.mid(3), texts.mid(0, 3));
        QCOMPARE(window->model()->item(5).icon, Icon::File); // imported: the prefix in any case
        QCOMPARE(window->model()->currentRow(), 6);
        window->importList(); // a folder: nothing, no message
        QCOMPARE(window->model()->itemCount(), 6);
        QCOMPARE(m_fx->prompts.asked.size(), 3);
        QCOMPARE(m_fx->prompts.asked.at(1).filter,
            QStringLiteral(u"列表文件(m3u,ram,pls)|*.m3u;*.m3u8;*.ram;*.pls|"));
    }

    void exportThatCannotBeWrittenIsReported()
    {
        PlaylistWindow *window = shown("http://h/a.mp3\r\n");
        const QString nowhere = m_fx->dir.filePath(QStringLiteral("gone/TUNVIA_01.ram"));
        m_fx->prompts.texts << nowhere;
        window->exportList();
        QTRY_COMPARE(m_fx->prompts.asked.size(), 2);
        QCOMPARE(m_fx->prompts.asked.at(1).text, QStringLiteral(u"无法写入列表文件：") + nowhere);
        QCOMPARE(m_fx->prompts.asked.at(1).icon, Prompts::Icon::Warning);
    }
};

QTEST_MAIN(PlaylistWindowTest)
#include "tst_playlistwindow.moc"
