// The command menu: its tree, its popups and where each item leads.
#include "app/appcontext.h"
#include "app/filefilter.h"
#include "app/windowhub.h"
#include "menu/commandmenu.h"
#include "player/playerwindow.h"
#include "playlist/playlistmodel.h"
#include "playlist/playlistwindow.h"
#include "support/testhub.h"

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
        return hub.mmenu()->findChild<QAction *>(QString::fromLatin1(name));
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
    void navigationItemsOpenPages();
    void settingsItemsCallTheEngine();
    void openItemsPressPlayerButtons();
    void listItemsPressPlaylistButtons_data();
    void listItemsPressPlaylistButtons();
    void showPlaylistDocksInLockModeTwo();
    void showPlaylistRecreatesClosedWindow();

private:
    std::unique_ptr<Fixture> m_fixture;
};

void TestCommandMenu::menuWindowStaysHidden()
{
    CommandMenu *menu = m_fixture->hub.mmenu();
    QCOMPARE(menu->objectName(), QStringLiteral("mmenu"));
    QCOMPARE(menu->windowTitle(), QStringLiteral("mmenu"));
    QVERIFY(!menu->isVisible());
    QCOMPARE(m_fixture->hub.mmenu(), menu);
}

void TestCommandMenu::menuTree()
{
    CommandMenu *menus = m_fixture->hub.mmenu();
    using Menu = CommandMenu::Menu;
    const QList<QPair<Menu, QStringList>> expected = {
        { Menu::mmain, { u"打开音乐"_s, u"显示播放列表"_s, u"系统设置"_s, u"关于Tunvia"_s } },
        { Menu::mopen, { u"打开一个文件"_s, u"打开一个网址"_s } },
        { Menu::mxtsz, { u"统计信息"_s, u"性能/连接"_s } },
        { Menu::add, { u"增加一个文件"_s, u"增加一个网址"_s, u"增加一个目录"_s } },
        { Menu::del, { u"删除这条"_s, u"删除所有"_s } },
        { Menu::dh_main,
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
    QCOMPARE(menus->menu(Menu::mmain)->actions().at(0)->menu(), menus->menu(Menu::mopen));
    QCOMPARE(menus->menu(Menu::mmain)->actions().at(2)->menu(), menus->menu(Menu::mxtsz));
    QCOMPARE(menus->findChild<QMenu *>(u"dh_main"_s)->title(), u"daohang"_s);
    for (const char *name : { "mopenfile", "mopenurl", "mopelist", "stjxx", "sxtcs", "about_x",
             "addfile", "addurl", "adddir", "delone", "delall", "dh_zxdg", "dh_xxda", "dh_zxyy",
             "dg_zxdy", "dg_mtvxs", "dg_zxdh", "dg_zxds" })
        QVERIFY2(m_fixture->action(name), name);
}

void TestCommandMenu::submenusPopUpAlone()
{
    CommandMenu *menus = m_fixture->hub.mmenu();
    QStringList shown;
    whilePoppedUp([&] { menus->popup(CommandMenu::Menu::mopen, nullptr); },
        [&](QMenu *popup) { shown = captionsOf(popup); });
    QCOMPARE(shown, QStringList({ u"打开一个文件"_s, u"打开一个网址"_s }));
    whilePoppedUp([&] { menus->popup(CommandMenu::Menu::mxtsz, nullptr); },
        [&](QMenu *popup) { shown = captionsOf(popup); });
    QCOMPARE(shown, QStringList({ u"统计信息"_s, u"性能/连接"_s }));
}

void TestCommandMenu::chosenCommandRunsBeforePopupReturns()
{
    whilePoppedUp([&] { m_fixture->hub.mmenu()->popup(CommandMenu::Menu::dh_main, nullptr); },
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
    for (CommandMenu::Menu which : { CommandMenu::Menu::mmain, CommandMenu::Menu::add,
             CommandMenu::Menu::del, CommandMenu::Menu::dh_main }) {
        whilePoppedUp([&] { m_fixture->hub.mmenu()->popup(which, nullptr); },
            [](QMenu *popup) { QTest::keyClick(popup, Qt::Key_Escape); });
    }
    QVERIFY(m_fixture->launcher.openedUrls.isEmpty());
    QVERIFY(m_fixture->prompts.asked.isEmpty());
    QVERIFY(!m_fixture->hub.existingPlaymain());
    QVERIFY(!m_fixture->hub.existingPlaylist());
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
        QStringList({ u"ShowStatisticsView:true"_s, u"ShowPerformanceSettings"_s,
            u"ShowStatisticsView:true"_s }));
}

void TestCommandMenu::openItemsPressPlayerButtons()
{
    QVERIFY(!m_fixture->hub.existingPlaymain());
    m_fixture->prompts.texts << u"/music/a b.mp3"_s;
    m_fixture->action("mopenfile")->trigger();
    PlayerWindow *player = m_fixture->hub.existingPlaymain();
    QVERIFY(player);
    QSignalSpy fileClicks(player->command2(), &QAbstractButton::clicked);
    QSignalSpy addressClicks(player->command3(), &QAbstractButton::clicked);

    m_fixture->prompts.texts << u"http://127.0.0.1/x.mp3"_s;
    m_fixture->action("mopenurl")->trigger();
    QCOMPARE(fileClicks.size(), 0);
    QCOMPARE(addressClicks.size(), 1);
    m_fixture->action("mopenfile")->trigger(); // cancelled: nothing plays
    QCOMPARE(fileClicks.size(), 1);

    QCOMPARE(m_fixture->prompts.asked.size(), 3);
    QCOMPARE(m_fixture->prompts.asked.at(0).kind, u"openFile"_s);
    QCOMPARE(m_fixture->prompts.asked.at(0).filter, mediaFileFilter());
    QCOMPARE(m_fixture->prompts.asked.at(1).kind, u"input"_s);
    QCOMPARE(m_fixture->engine->calls,
        QStringList({ u"ClipSource:file:///music/a b.mp3"_s, u"StartPlayback"_s,
            u"ClipSource:http://127.0.0.1/x.mp3"_s, u"StartPlayback"_s }));
}

void TestCommandMenu::listItemsPressPlaylistButtons_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    QTest::newRow("addfile") << u"addfile"_s << u"Command6"_s;
    QTest::newRow("addurl") << u"addurl"_s << u"Command5"_s;
    QTest::newRow("delone") << u"delone"_s << u"Command8"_s;
    QTest::newRow("delall") << u"delall"_s << u"Command7"_s;
}

void TestCommandMenu::listItemsPressPlaylistButtons()
{
    QFETCH(QString, item);
    QFETCH(QString, button);
    QAction *action = m_fixture->hub.mmenu()->findChild<QAction *>(item);
    QVERIFY(!m_fixture->hub.existingPlaylist());
    action->trigger(); // creates the playlist window, then presses its button
    PlaylistWindow *list = m_fixture->hub.existingPlaylist();
    QVERIFY(list);
    QList<std::shared_ptr<QSignalSpy>> spies;
    for (const QString &name : { u"Command5"_s, u"Command6"_s, u"Command7"_s, u"Command8"_s }) {
        auto *pressable = list->findChild<QAbstractButton *>(name);
        QVERIFY2(pressable, qPrintable(name));
        spies << std::make_shared<QSignalSpy>(pressable, &QAbstractButton::clicked);
    }
    action->trigger();
    for (int i = 0; i < spies.size(); ++i)
        QCOMPARE(spies.at(i)->size(), QStringLiteral("Command%1").arg(i + 5) == button ? 1 : 0);
}

void TestCommandMenu::showPlaylistDocksInLockModeTwo()
{
    m_fixture->state.lockMode = 2;
    PlayerWindow *player = m_fixture->hub.playmain();
    PlaylistWindow *list = m_fixture->hub.playlist();
    player->move(120, 90);
    player->show();
    list->move(600, 400);
    m_fixture->action("mopelist")->trigger();
    QVERIFY(list->isVisible());
    QCOMPARE(list->pos(), QPoint(player->x() + player->width(), player->y()));
    QCOMPARE(m_fixture->state.lockMode, 2);
}

void TestCommandMenu::showPlaylistRecreatesClosedWindow()
{
    PlayerWindow *player = m_fixture->hub.playmain();
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
