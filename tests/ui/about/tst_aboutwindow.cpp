#include "support/recordinglauncher.h"
#include "ui/about/aboutwindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAboutWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsShapedOnTheFirstTabWithItsTexts();
    void showTabSelectsOnlyExistingTabs();
    void linksMailTheAuthorAndAskForTheUpdateCheck();
    void dragStripMovesWithTheLeftButtonOnly();
    void closeHotSpotUnloadsTheWindow();
};

static QStringList lines(const AboutWindow &window, const QString &name)
{
    auto *text = window.findChild<QPlainTextEdit *>(name);
    return text ? text->toPlainText().split(u'\n') : QStringList();
}

void TestAboutWindow::loadsShapedOnTheFirstTabWithItsTexts()
{
    RecordingLauncher launcher;
    AboutWindow window(launcher);
    QCOMPARE(window.windowTitle(), u"关于本软件"_s);
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!window.mask().contains(QPoint(0, 0))); // corners cut
    QVERIFY(window.mask().contains(QPoint(230, 130)));

    auto *tabs = window.findChild<QTabWidget *>(u"SSTab1"_s);
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), u"关于Tunvia"_s);
    QCOMPARE(tabs->tabText(1), u"使用说明"_s);
    QCOMPARE(tabs->tabText(2), u"更新历史"_s);
    QCOMPARE(window.currentTab(), 0);

    // Tabs, indents and empty lines as written; the site and the mail address
    // of our own in lines 29 and 31.
    const QStringList introduction = lines(window, u"Text2"_s);
    QVERIFY(introduction.size() >= 31);
    QVERIFY(introduction.at(0).startsWith(u"   Tunvia是一款外挂式的"_s));
    QCOMPARE(introduction.at(1), QString());
    QCOMPARE(introduction.at(19), u"MP3\tMPEG Layer 3(音频格式)"_s);
    QCOMPARE(introduction.at(17), u"RP\tRealPix 信号流 GIF 和 JPG "_s);
    QVERIFY(introduction.at(28).startsWith(u"   "_s)
        && introduction.at(28).contains(u"www.tunvia.net"_s));
    QVERIFY(introduction.at(30).startsWith(u"   "_s)
        && introduction.at(30).contains(u"tunvia@tunvia.net"_s));
    const QStringList history = lines(window, u"Text1"_s);
    QVERIFY(history.size() >= 26);
    QCOMPARE(history.at(0), u"1.01版本"_s);
    QCOMPARE(history.at(5), u"  修改了开始菜单中的找不到文件错误。"_s);
    QCOMPARE(history.at(25), u"拖放窗口支持拖放本地文件列表。加入了Windows音量调节按钮。"_s);
    for (const char *name : { "Text1", "Text2" }) {
        auto *text = window.findChild<QPlainTextEdit *>(QLatin1String(name));
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->font().family(), u"宋体"_s);
        QCOMPARE(text->font().pointSize(), 9);
    }
}

void TestAboutWindow::showTabSelectsOnlyExistingTabs()
{
    RecordingLauncher launcher;
    AboutWindow window(launcher);
    window.show();
    window.showTab(AboutWindow::InstructionsTab);
    QCOMPARE(window.currentTab(), 1);
    window.showTab(-1); // "as it is"
    QCOMPARE(window.currentTab(), 1);
    window.showTab(3);
    QCOMPARE(window.currentTab(), 1);
    window.showTab(AboutWindow::HistoryTab);
    QCOMPARE(window.currentTab(), 2);
}

void TestAboutWindow::linksMailTheAuthorAndAskForTheUpdateCheck()
{
    RecordingLauncher launcher;
    AboutWindow window(launcher);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy checkRequested(&window, &AboutWindow::updateCheckRequested);
    auto *author = window.findChild<QLabel *>(u"Label1"_s);
    auto *check = window.findChild<QLabel *>(u"Label5"_s);
    QVERIFY(author && check);
    QVERIFY(author->text().startsWith(u"作者："_s));
    QCOMPARE(check->text(), u"检查新版本"_s);

    QTest::mouseClick(author, Qt::RightButton);
    QVERIFY(launcher.openedUrls.isEmpty());
    QTest::mouseClick(author, Qt::LeftButton);
    QCOMPARE(launcher.openedUrls, QStringList { u"mailto:tunvia@tunvia.net"_s });
    QCOMPARE(checkRequested.size(), 0);

    QTest::mouseClick(check, Qt::LeftButton);
    QCOMPARE(checkRequested.size(), 1);
    QCOMPARE(launcher.openedUrls.size(), 1);
}

void TestAboutWindow::dragStripMovesWithTheLeftButtonOnly()
{
    RecordingLauncher launcher;
    AboutWindow window(launcher);
    window.move(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *strip = window.findChild<QWidget *>(u"Image2"_s);
    QVERIFY(strip);
    const QPoint start = window.pos();

    QTest::mousePress(strip, Qt::RightButton, {}, QPoint(20, 10));
    QTest::mouseMove(strip, QPoint(60, 40));
    QTest::mouseRelease(strip, Qt::RightButton, {}, QPoint(60, 40));
    QCOMPARE(window.pos(), start);

    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseMove(strip, QPoint(60, 40));
    QTRY_COMPARE_WITH_TIMEOUT(window.pos(), start + QPoint(40, 30), 20000);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(20, 10));
}

void TestAboutWindow::closeHotSpotUnloadsTheWindow()
{
    RecordingLauncher launcher;
    QPointer<AboutWindow> window = new AboutWindow(launcher);
    window->show();
    auto *close = window->findChild<QLabel *>(u"Label10"_s);
    QVERIFY(close);
    QCOMPARE(close->toolTip(), u"关闭这个窗口"_s);
    QTest::mouseClick(close, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
