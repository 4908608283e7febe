// The command menu: its tree, its popups and where each item leads.
#include "app/windowset.h"
#include "core/media/filefilter.h"
#include "core/playlist/playlistmodel.h"
#include "support/testhub.h"
#include "ui/common/appcontext.h"
#include "ui/menu/commandmenu.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Fixture : TestHub
{
    QAction *action(const char *name)
    {
        return hub.commandMenu()->findChild<QAction *>(QString::fromLatin1(name));
    }
};

QStringList captionsOf(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *item : menu->actions())
        captions << item->text();
    return captions;
}

// Runs body on the popup that `show` opens and closes it if body did not.
void whilePoppedUp(const std::function<void()> &show, const std::function<void(QMenu *)> &body)
{
    bool ran = false;
    QTimer::singleShot(100, [&] {
        if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            ran = true;
            body(popup);
            if (QApplication::activePopupWidget() == popup)
                popup->close();
        }
    });
    show();
    QVERIFY(ran);
}

} // namespace

class TestCommandMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<Fixture>(); }
    void cleanup() { m_fixture.reset(); }

    void menuWindowStaysHidden();
    void menuTree();
    void submenusPopUpAlone();
    void chosenCommandRunsBeforePopupReturns();
    void dismissedPopupDoesNothing();
    void onlyTheLeftButtonChoosesAnItem();
    void navigationItemsOpenPages();
    void settingsItemsCallTheEngine();
    void openItemsRunThePlayersCommands();
    void listItemsRunThePlaylistsCommands();
    void showPlaylistDocksInLockModeTwo();
    void showPlaylistRecreatesClosedWindow();

private:
    std::unique_ptr<Fixture> m_fixture;
};

void TestCommandMenu::menuWindowStaysHidden()
{
    CommandMenu *menu = m_fixture->hub.commandMenu();
    QCOMPARE(menu->objectName(), QStringLiteral("mmenu"));
    QCOMPARE(menu->windowTitle(), QStringLiteral("mmenu"));
    QVERIFY(!menu->isVisible());
    QCOMPARE(m_fixture->hub.commandMenu(), menu);
}

void TestCommandMenu::menuTree()
{
    CommandMenu *menus = m_fixture->hub.commandMenu();
    using Menu = PopupMenu;
    const QList<QPair<Menu, QStringList>> expected = {
        { PopupMenu::Main, { u"打开音乐"_s, u"显示播放列表"_s, u"系统设置"_s, u"关于Tunvia"_s } },
        { PopupMenu::Open, { u"打开一个文件"_s, u"打开一个网址"_s } },
        { PopupMenu::Settings, { u"统计信息"_s, u"性能/连接"_s } },
        { PopupMenu::Add, { u"增加一个文件"_s, u"增加一个网址"_s, u"增加一个目录"_s } },
        { PopupMenu::Delete, { u"删除这条"_s, u"删除所有"_s } },
        { PopupMenu::Navigation,
            { u"点歌送友"_s, u"星星挡案"_s, u"在线音乐"_s, u"在线电影"_s, u"MTV欣赏"_s,
                u"在线动画"_s, u"在线电视"_s } },
    };
    for (const auto &[which, captions] : expected) {
        QMenu *menu = menus->menu(which);
        QCOMPARE(captionsOf(menu), captions);
        for (const QAction *item : menu->actions()) {
            QVERIFY(!item->isSeparator() && !item->isCheckable());
            QVERIFY(item->isVisible() && item->isEnabled());
            QVERIFY(item->shortcut().isEmpty());
        }
    }
    QCOMPARE(menus->menu(PopupMenu::Main)->actions().at(0)->menu(), menus->menu(PopupMenu::Open));
    QCOMPARE(
        menus->menu(PopupMenu::Main)->actions().at(2)->menu(), menus->menu(PopupMenu::Settings));
    QCOMPARE(menus->findChild<QMenu *>(u"dh_main"_s)->title(), u"daohang"_s);
    for (const char *name : { "mopenfile", "mopenurl", "mopelist", "stjxx", "sxtcs", "about_x",
             "addfile", "addurl", "adddir", "delone", "delall", "dh_zxdg", "dh_xxda", "dh_zxyy",
             "dg_zxdy", "dg_mtvxs", "dg_zxdh", "dg_zxds" })
        QVERIFY2(m_fixture->action(name), name);
}

void TestCommandMenu::submenusPopUpAlone()
{
    CommandMenu *menus = m_fixture->hub.commandMenu();
    QStringList shown;
    whilePoppedUp([&] { menus->popup(PopupMenu::Open, nullptr); },
        [&](QMenu *popup) { shown = captionsOf(popup); });
    QCOMPARE(shown, QStringList({ u"打开一个文件"_s, u"打开一个网址"_s }));
    whilePoppedUp([&] { menus->popup(PopupMenu::Settings, nullptr); },
        [&](QMenu *popup) { shown = captionsOf(popup); });
    QCOMPARE(shown, QStringList({ u"统计信息"_s, u"性能/连接"_s }));
}

void TestCommandMenu::chosenCommandRunsBeforePopupReturns()
{
    whilePoppedUp([&] { m_fixture->hub.commandMenu()->popup(PopupMenu::Navigation, nullptr); },
        [](QMenu *popup) {
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
        });
    QCOMPARE(m_fixture->launcher.openedUrls,
        QStringList { u"http://svc.example/dgxt/htmmain/mxxda_all.htm"_s });
}

void TestCommandMenu::dismissedPopupDoesNothing()
{
    for (PopupMenu which :
        { PopupMenu::Main, PopupMenu::Add, PopupMenu::Delete, PopupMenu::Navigation }) {
        whilePoppedUp([&] { m_fixture->hub.commandMenu()->popup(which, nullptr); },
            [](QMenu *popup) { QTest::keyClick(popup, Qt::Key_Escape); });
    }
    QVERIFY(m_fixture->launcher.openedUrls.isEmpty());
    QVERIFY(m_fixture->prompts.asked.isEmpty());
    QVERIFY(!m_fixture->hub.existingPlayer());
    QVERIFY(!m_fixture->hub.existingPlaylist());
}

void TestCommandMenu::onlyTheLeftButtonChoosesAnItem()
{
    bool stillOpen = false;
    whilePoppedUp([&] { m_fixture->hub.commandMenu()->popup(PopupMenu::Navigation, nullptr); },
        [&](QMenu *popup) {
            const QPoint item = popup->actionGeometry(popup->actions().at(1)).center();
            QTest::mouseClick(popup, Qt::RightButton, {}, item);
            QTest::mouseClick(popup, Qt::MiddleButton, {}, item);
            stillOpen = popup->isVisible();
            QTest::mouseClick(popup, Qt::LeftButton, {}, item);
        });
    QVERIFY(stillOpen);
    QCOMPARE(m_fixture->launcher.openedUrls,
        QStringList { u"http://svc.example/dgxt/htmmain/mxxda_all.htm"_s });
}

void TestCommandMenu::navigationItemsOpenPages()
{
    for (const char *name :
        { "dh_zxdg", "dh_xxda", "dh_zxyy", "dg_zxdy", "dg_mtvxs", "dg_zxdh", "dg_zxds" })
        m_fixture->action(name)->trigger();
    QCOMPARE(m_fixture->launcher.openedUrls,
        QStringList(
            { u"http://svc.example/dgxt"_s, u"http://svc.example/dgxt/htmmain/mxxda_all.htm"_s,
                u"http://svc.example/dgxt/zxyymain.htm"_s, u"http://partner.example/z_movie.asp"_s,
                u"http://partner.example/z_mtv.asp"_s, u"http://partner.example/z_cartoon.asp"_s,
                u"http://partner.example/z_tv.asp"_s }));
    // A browser that cannot be started is not reported.
    m_fixture->launcher.succeed = false;
    m_fixture->action("dh_zxdg")->trigger();
    QCOMPARE(m_fixture->launcher.openedUrls.size(), 8);
    QVERIFY(m_fixture->prompts.asked.isEmpty());
}

void TestCommandMenu::settingsItemsCallTheEngine()
{
    m_fixture->action("stjxx")->trigger();
    QVERIFY(m_fixture->engine); // the player window and its engine were created
    m_fixture->action("sxtcs")->trigger();
    m_fixture->action("stjxx")->trigger();
    QCOMPARE(m_fixture->engine->calls,
        QStringList({ u"showStatisticsView:true"_s, u"showPerformanceSettings"_s,
            u"showStatisticsView:true"_s }));
}

void TestCommandMenu::openItemsRunThePlayersCommands()
{
    QVERIFY(!m_fixture->hub.existingPlayer());
    m_fixture->prompts.texts << u"/music/a b.mp3"_s;
    m_fixture->action("mopenfile")->trigger(); // creates the player window first
    QVERIFY(m_fixture->hub.existingPlayer());
    m_fixture->prompts.texts << u"http://127.0.0.1/x.mp3"_s;
    m_fixture->action("mopenurl")->trigger();
    m_fixture->action("mopenfile")->trigger(); // cancelled: nothing plays

    QCOMPARE(m_fixture->prompts.asked.size(), 3);
    QCOMPARE(m_fixture->prompts.asked.at(0).kind, u"openFile"_s);
    QCOMPARE(m_fixture->prompts.asked.at(0).filter, mediaFileFilter());
    QCOMPARE(m_fixture->prompts.asked.at(1).kind, u"input"_s);
    QCOMPARE(m_fixture->prompts.asked.at(2).kind, u"openFile"_s);
    QCOMPARE(m_fixture->engine->calls,
        QStringList({ u"setSource:file:///music/a b.mp3"_s, u"startPlayback"_s,
            u"setSource:http://127.0.0.1/x.mp3"_s, u"startPlayback"_s }));
}

void TestCommandMenu::listItemsRunThePlaylistsCommands()
{
    QVERIFY(!m_fixture->hub.existingPlaylist());
    m_fixture->prompts.texts << u"http://127.0.0.1/one.mp3"_s;
    m_fixture->action("addurl")->trigger(); // creates the playlist window first
    PlaylistWindow *list = m_fixture->hub.existingPlaylist();
    QVERIFY(list && list->isVisible());
    m_fixture->prompts.texts << u"/music/two.mp3"_s;
    m_fixture->action("addfile")->trigger();
    QCOMPARE(list->model()->texts(),
        QStringList({ u"http://127.0.0.1/one.mp3"_s, u"file:///music/two.mp3"_s }));

    list->model()->setCurrentCell(1, PlaylistModel::TextColumn);
    m_fixture->action("delone")->trigger();
    QCOMPARE(list->model()->texts(), QStringList { u"file:///music/two.mp3"_s });
    m_fixture->prompts.answers << Prompts::Answer::Ok;
    m_fixture->action("delall")->trigger();
    QVERIFY(list->model()->texts().isEmpty());
    QCOMPARE(m_fixture->hub.existingPlaylist(), list);
}

void TestCommandMenu::showPlaylistDocksInLockModeTwo()
{
    m_fixture->state.lockMode = LockMode::Separate;
    PlayerWindow *player = m_fixture->hub.player();
    PlaylistWindow *list = m_fixture->hub.playlist();
    player->move(120, 90);
    player->show();
    list->move(600, 400);
    m_fixture->action("mopelist")->trigger();
    QVERIFY(list->isVisible());
    QCOMPARE(list->pos(), QPoint(player->x() + player->width(), player->y()));
    QCOMPARE(m_fixture->state.lockMode, LockMode::Separate);
}

void TestCommandMenu::showPlaylistRecreatesClosedWindow()
{
    PlayerWindow *player = m_fixture->hub.player();
    player->move(40, 30);
    QPointer<PlaylistWindow> first = m_fixture->hub.playlist();
    first->show();
    first->appendItem(PlaylistItem::Icon::Address, u"http://127.0.0.1/kept.mp3"_s);
    m_fixture->hub.unloadPlaylist(); // saves the list
    QTRY_VERIFY(first.isNull());
    m_fixture->action("mopelist")->trigger();
    PlaylistWindow *second = m_fixture->hub.existingPlaylist();
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->pos(), QPoint(player->x() + player->width(), player->y()));
    QCOMPARE(second->model()->texts(), QStringList { u"http://127.0.0.1/kept.mp3"_s });
}

QTEST_MAIN(TestCommandMenu)
#include "tst_commandmenu.moc"
