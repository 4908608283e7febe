// The composition root with real windows: every entry point reaches the one
// About window on the right tab, and the update check starts where it should.
#include "support/pageserver.h"
#include "support/testhub.h"
#include "ui/about/aboutwindow.h"
#include "ui/menu/commandmenu.h"
#include "ui/player/playerwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAboutEntryPoints : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyEntryPointShowsTheOneWindowOnTheRightTab();
    void updateChecksStartFromTheDelayedStepAndTheLink();
};

static QList<AboutWindow *> aboutWindows()
{
    QList<AboutWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *about = qobject_cast<AboutWindow *>(widget))
            found << about;
    }
    return found;
}

static void click(QWidget *window, const QString &name)
{
    auto *spot = window->findChild<QLabel *>(name);
    QVERIFY2(spot, qPrintable(name));
    QTest::mouseClick(spot, Qt::LeftButton);
}

// The only About window, shown, on the given tab.
static bool oneWindowOnTab(int tab)
{
    const QList<AboutWindow *> windows = aboutWindows();
    return windows.size() == 1 && windows.first()->isVisible()
        && windows.first()->currentTab() == tab;
}

void TestAboutEntryPoints::everyEntryPointShowsTheOneWindowOnTheRightTab()
{
    TestHub t;
    PlayerWindow *player = t.hub.player();
    QVERIFY(player);
    QAction *menuItem = t.hub.commandMenu()->findChild<QAction *>(u"about_x"_s);
    QVERIFY(menuItem);

    click(player, u"Label13"_s); // "关于本软件"
    QVERIFY(oneWindowOnTab(0));
    AboutWindow *about = aboutWindows().first();
    about->showTab(AboutWindow::HistoryTab); // the user looks at the history
    click(player, u"Picture1"_s); // the logo keeps the tab
    QVERIFY(oneWindowOnTab(2));
    click(player, u"Image5"_s); // "使用帮助" switches to the instructions
    QVERIFY(oneWindowOnTab(1));
    menuItem->trigger(); // "关于Tunvia" keeps the tab
    QVERIFY(oneWindowOnTab(1));
    QCOMPARE(aboutWindows().first(), about);

    // Closed, it is gone; the next one starts afresh.
    click(about, u"Label10"_s);
    QTRY_VERIFY_WITH_TIMEOUT(aboutWindows().isEmpty(), 20000);
    menuItem->trigger();
    QVERIFY(oneWindowOnTab(0));
    click(aboutWindows().first(), u"Label10"_s);
    QTRY_VERIFY_WITH_TIMEOUT(aboutWindows().isEmpty(), 20000);
    click(player, u"Image5"_s);
    QVERIFY(oneWindowOnTab(1));
}

void TestAboutEntryPoints::updateChecksStartFromTheDelayedStepAndTheLink()
{
    PageServer server;
    QVERIFY(server.listen());
    server.body = "[updatex]\r\nnewverson=1.07\r\nnewurl=http://dl.example/t.zip\r\n";
    server.reply = PageServer::Reply::Held;
    const QByteArray previousPage = qgetenv("TUNVIA_UPDATE_URL");
    qputenv("TUNVIA_UPDATE_URL", server.address().toUtf8());
    const auto restore = qScopeGuard([&] { qputenv("TUNVIA_UPDATE_URL", previousPage); });
    TestHub t;
    PlayerWindow *player = t.hub.player();
    int startupChecks = 0;
#ifdef TUNVIA_UPDATE_CHECK
    // The player's delayed start step (5 s after it loaded) starts the check;
    // "检查新版本" during it joins it: one request, one box, the link busy.
    QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, 30000);
    click(player, u"Label13"_s);
    auto *link = aboutWindows().first()->findChild<QLabel *>(u"Label5"_s);
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY(link->text() == u"正在检查……"_s && !link->isEnabled());
    server.release();
    QTRY_COMPARE_WITH_TIMEOUT(
        t.launcher.openedUrls, QStringList { u"http://dl.example/t.zip"_s }, 30000);
    QTRY_COMPARE(link->text(), u"检查新版本"_s);
    QCOMPARE(server.requests, 1);
    QCOMPARE(t.prompts.asked.size(), 1);
    QCOMPARE(t.prompts.asked.first().title, u"发现本程序的新版本"_s);
    startupChecks = 1;
#else
    server.reply = PageServer::Reply::Page;
    click(player, u"Label13"_s);
    auto *link = aboutWindows().first()->findChild<QLabel *>(u"Label5"_s);
#endif

    // "检查新版本" checks at once, also in a build without the check at
    // start-up, and says when there is nothing new.
    server.body = "[updatex]\r\nnewverson=1.06\r\nnewurl=http://dl.example/t.zip\r\n";
    QTest::mouseClick(link, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(t.prompts.asked.size(), startupChecks + 1, 20000);
    QCOMPARE(t.prompts.asked.last().text, u"已经是最新版本。"_s);
    QCOMPARE(server.requests, startupChecks + 1);
    QCOMPARE(t.launcher.openedUrls.size(), startupChecks);
}

QTEST_MAIN(TestAboutEntryPoints)
#include "tst_aboutentrypoints.moc"
