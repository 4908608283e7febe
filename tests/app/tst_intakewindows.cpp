// The add-directory dialog and the drop window as real widgets: navigating
// and confirming the dialog, its error box, and the drop window's hover
// marker and drops.
#include "core/playlist/playlistmodel.h"
#include "support/itemtexts.h"
#include "support/scriptedprompts.h"
#include "support/testhub.h"
#include "ui/intake/adddirectorydialog.h"
#include "ui/intake/directorylist.h"
#include "ui/intake/dropwindow.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWait = 20000;

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// The row of the directory list that stands for `path`.
QModelIndex rowFor(DirectoryList *list, const QString &path)
{
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0),
        DirectoryList::PathRole, path, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

void openByKeyboard(DirectoryList *list, const QString &path)
{
    QTRY_VERIFY_WITH_TIMEOUT(rowFor(list, path).isValid(), kWait);
    list->setCurrentIndex(rowFor(list, path));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(list->path(), path, kWait);
}

QList<QWidget *> visibleWindows(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            found.append(widget);
    }
    return found;
}

void dropOn(QWidget *window, QMimeData *data)
{
    QDragEnterEvent enter(QPoint(20, 18), Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(20, 18), Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &drop);
}

} // namespace

class IntakeWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dialogOpensAtCurrentDirectoryAndAddsTheOpenOne();
    void directoryWithoutFilesShowsTheBoxAndStaysOpen_data();
    void directoryWithoutFilesShowsTheBoxAndStaysOpen();
    void cancelAndCloseAddNothing();
    void driveChangeOpensTheVolumeTop();
    void deepFolderScrollsSidewaysAndShowsItsPath();
    void markerBlinksOnlyWhilePointerIsOver();
    void dropCopiesTextThenFiles();
    void programRoutesIntakeToTheListEvenWhenItIsClosed();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_music;
    QString m_startDirectory;
    ScriptedPrompts m_prompts;
};

void IntakeWindowsTest::init()
{
    m_startDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    m_music = m_dir->path() + u"/music"_s;
    QVERIFY(QDir(m_dir->path()).mkpath(u"music/album"_s));
    QVERIFY(QDir(m_dir->path()).mkpath(u"music/empty/inner"_s));
    touch(m_music + u"/loose.mp3"_s);
    touch(m_music + u"/empty/.hidden.mp3"_s);
    for (const QString &name : { u"b.rm"_s, u"a.mp3"_s, u"z.ra"_s })
        touch(m_music + u"/album/"_s + name);
    QVERIFY(QDir(m_dir->path()).mkpath(u"music/two\nlines"_s));
    touch(m_music + u"/two\nlines/a.mp3"_s);
    QVERIFY(QDir(m_dir->path()).mkpath(u"music/odd"_s));
    touch(m_music + u"/odd/line\nbreak.mp3"_s);
    m_prompts.asked.clear();
}

void IntakeWindowsTest::cleanup()
{
    QDir::setCurrent(m_startDirectory);
}

void IntakeWindowsTest::dialogOpensAtCurrentDirectoryAndAddsTheOpenOne()
{
    QVERIFY(QDir::setCurrent(m_music));
    QPointer<AddDirectoryDialog> dialog = new AddDirectoryDialog(m_prompts);
    dialog->show();
    DirectoryList *list = dialog->directoryList();
    QTRY_COMPARE_WITH_TIMEOUT(list->path(), m_music, kWait);
    QCOMPARE(dialog->windowTitle(), u"增加目录"_s);
    QVERIFY(m_music.startsWith(dialog->driveList()->currentData().toString()));

    // Into the album, up to the music folder and back: the list follows.
    openByKeyboard(list, m_music + u"/album"_s);
    QVERIFY(!rowFor(list, m_music + u"/empty"_s).isValid()); // siblings are not shown
    openByKeyboard(list, m_music);
    openByKeyboard(list, m_music + u"/album"_s);
    // A highlighted folder is not the open one.
    QTRY_VERIFY(rowFor(list, m_music).isValid());
    list->setCurrentIndex(rowFor(list, m_music));

    QSignalSpy chosen(dialog.data(), &AddDirectoryDialog::itemsChosen);
    dialog->findChild<QPushButton *>(u"Command1"_s)->click();
    QTRY_COMPARE_WITH_TIMEOUT(chosen.size(), 1, kWait);
    const auto items = chosen.first().first().value<QList<PlaylistItem>>();
    const QString prefix = u"file://"_s + m_music + u"/album/"_s;
    QCOMPARE(itemTexts(items),
        QStringList({ prefix + u"a.mp3"_s, prefix + u"b.rm"_s, prefix + u"z.ra"_s }));
    QVERIFY(items.first().icon == PlaylistItem::Icon::File);
    QTRY_VERIFY(dialog.isNull()); // closed and gone
    QVERIFY(m_prompts.asked.isEmpty());
}

void IntakeWindowsTest::directoryWithoutFilesShowsTheBoxAndStaysOpen_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("text"); // the start of the box's text
    QTest::newRow("no files") << u"empty"_s << u"没有发现文件呀，请确保目录中有文件。"_s;
    QTest::newRow("path with a line break") << u"two\nlines"_s << u"这个目录的路径里有换行符"_s;
    QTest::newRow("names no item can hold") << u"odd"_s << u"有 1 个文件没有加入"_s;
}

void IntakeWindowsTest::directoryWithoutFilesShowsTheBoxAndStaysOpen()
{
    QFETCH(QString, directory);
    QFETCH(QString, text);
    QVERIFY(QDir::setCurrent(m_music + u'/' + directory));
    auto *dialog = new AddDirectoryDialog(m_prompts);
    dialog->show();
    QTRY_COMPARE_WITH_TIMEOUT(dialog->directoryList()->path(), m_music + u'/' + directory, kWait);
    QSignalSpy chosen(dialog, &AddDirectoryDialog::itemsChosen);
    auto *confirm = dialog->findChild<QPushButton *>(u"Command1"_s);
    confirm->click();
    QTRY_COMPARE_WITH_TIMEOUT(m_prompts.asked.size(), 1, kWait);
    const ScriptedPrompts::Asked box = m_prompts.asked.first();
    QVERIFY2(box.text.startsWith(text), qPrintable(box.text));
    QVERIFY(box.title == (directory == u"empty" ? u"错误！"_s : u"增加目录"_s));
    QVERIFY(box.buttons == Prompts::Buttons::Ok);
    QVERIFY(dialog->isVisible());
    QVERIFY(confirm->isEnabled()); // the user may pick another directory
    QCOMPARE(chosen.size(), 0);
    delete dialog;
}

void IntakeWindowsTest::cancelAndCloseAddNothing()
{
    QVERIFY(QDir::setCurrent(m_music + u"/album"_s));
    for (const bool byButton : { true, false }) {
        QPointer<AddDirectoryDialog> dialog = new AddDirectoryDialog(m_prompts);
        QSignalSpy chosen(dialog.data(), &AddDirectoryDialog::itemsChosen);
        dialog->show();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->directoryList()->path().isEmpty(), kWait);
        if (byButton)
            dialog->findChild<QPushButton *>(u"Command2"_s)->click();
        else
            dialog->close();
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(chosen.size(), 0);
    }
}

// A mount that hangs holds the drive list, not the window or the folders.
void IntakeWindowsTest::driveChangeOpensTheVolumeTop()
{
    static QSemaphore mountsAnswer;
    QThreadPool::globalInstance()->setMaxThreadCount(4); // one waits, one reads the folder
    QVERIFY(QDir::setCurrent(m_music));
    auto *dialog = new AddDirectoryDialog(m_prompts, nullptr, [] {
        mountsAnswer.acquire();
        return Volumes::mounted();
    });
    dialog->show();
    QTRY_COMPARE_WITH_TIMEOUT(dialog->directoryList()->path(), m_music, kWait);
    QComboBox *drives = dialog->driveList();
    QCOMPARE(drives->count(), 0);
    mountsAnswer.release();
    QTRY_VERIFY_WITH_TIMEOUT(drives->count() > 0, kWait);
    QCOMPARE(drives->itemData(0).toString(), u"/"_s);
    const int home = drives->findData(QDir::cleanPath(QDir::homePath()));
    QVERIFY(home > 0);
    drives->setCurrentIndex(home);
    QTRY_COMPARE_WITH_TIMEOUT(
        dialog->directoryList()->path(), QDir::cleanPath(QDir::homePath()), kWait);
    drives->setCurrentIndex(0);
    QTRY_COMPARE_WITH_TIMEOUT(dialog->directoryList()->path(), u"/"_s, kWait);
    delete dialog;
}

void IntakeWindowsTest::deepFolderScrollsSidewaysAndShowsItsPath()
{
    QString deep = m_music;
    for (int level = 1; level <= 45; ++level)
        deep += u"/level%1"_s.arg(level);
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QDir::setCurrent(deep));
    auto *dialog = new AddDirectoryDialog(m_prompts);
    dialog->show();
    DirectoryList *list = dialog->directoryList();
    QTRY_COMPARE_WITH_TIMEOUT(list->path(), deep, kWait);
    QCOMPARE(rowFor(list, deep).data(Qt::ToolTipRole).toString(), deep);
    QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
    QVERIFY(list->viewport()->rect().intersects(list->visualRect(rowFor(list, deep))));
    delete dialog;
}

void IntakeWindowsTest::markerBlinksOnlyWhilePointerIsOver()
{
    DropWindow window(m_prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QLabel *marker = window.marker();
    QVERIFY(marker->isHidden());

    QEnterEvent enter(QPointF(40, 35), QPointF(40, 35), window.mapToGlobal(QPointF(40, 35)));
    QApplication::sendEvent(&window, &enter);
    QVERIFY(window.isBlinking());
    QTRY_VERIFY_WITH_TIMEOUT(marker->isVisible(), kWait); // on first
    QTRY_VERIFY_WITH_TIMEOUT(marker->isHidden(), kWait);
    QTRY_VERIFY_WITH_TIMEOUT(marker->isVisible(), kWait);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&window, &leave);
    QVERIFY(!window.isBlinking());
    QVERIFY(marker->isHidden()); // at once

    QApplication::sendEvent(&window, &enter);
    window.hide();
    window.show();
    QVERIFY(!window.isBlinking()); // a new showing starts idle
}

void IntakeWindowsTest::dropCopiesTextThenFiles()
{
    DropWindow window(m_prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy dropped(&window, &DropWindow::itemsDropped);

    QMimeData data;
    data.setText(u"http://radio.example.net/live.mp3"_s);
    data.setUrls(
        { QUrl::fromLocalFile(m_music + u"/album/a.mp3"_s), QUrl::fromLocalFile(m_music) });
    const QPoint at(20, 18);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction); // the source keeps its files
    QCOMPARE(dropped.size(), 1);
    // Text first, then the files (the rules' tests cover the content).
    const auto items = dropped.first().first().value<QList<PlaylistItem>>();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.first().text, u"http://radio.example.net/live.mp3"_s);

    // Something that is neither text nor a file is refused.
    QMimeData picture;
    picture.setData(u"image/png"_s, QByteArray("\x89PNG", 4));
    QDragEnterEvent refused(at, Qt::CopyAction, &picture, Qt::LeftButton, {});
    refused.ignore();
    QApplication::sendEvent(&window, &refused);
    QVERIFY(!refused.isAccepted());

    // Lines of words add nothing, and the user is told why.
    QMimeData words;
    words.setText(u"Songs of the week:\nhttp://radio.example.net/a.mp3"_s);
    dropOn(&window, &words);
    QCOMPARE(dropped.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_prompts.asked.size(), 1, kWait);
    QVERIFY(m_prompts.asked.first().text.startsWith(u"拖来的文字有好几行"_s));
}

void IntakeWindowsTest::programRoutesIntakeToTheListEvenWhenItIsClosed()
{
    TestHub t;
    t.program.start();
    PlayerWindow *player = t.hub.existingPlayer();
    QVERIFY(player);
    // The delayed start step shows the drop window whatever "显示拖放口" says.
    auto *dropBox = player->findChild<QCheckBox *>(u"Check3"_s);
    dropBox->setChecked(false);
    player->findChild<QTimer *>(u"Timer2"_s)->start(0);
    QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(u"tuofang"_s).size(), 1, kWait);
    dropBox->click(); // set again by the user: still the one window
    QCOMPARE(visibleWindows(u"tuofang"_s).size(), 1);

    // A drop while the playlist window is closed loads it again, unseen.
    t.hub.unloadPlaylist();
    QTRY_VERIFY(!t.hub.existingPlaylist());
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(m_music + u"/loose.mp3"_s) });
    dropOn(visibleWindows(u"tuofang"_s).first(), &data);
    PlaylistWindow *list = t.hub.existingPlaylist();
    QVERIFY(list && !list->isVisible());
    QCOMPARE(list->model()->texts(), QStringList { m_music + u"/loose.mp3"_s });

    // One add-directory dialog however often it is asked for; its files follow.
    QVERIFY(QDir::setCurrent(m_music + u"/album"_s));
    t.hub.showAddDirectory();
    t.hub.showAddDirectory();
    QCOMPARE(visibleWindows(u"opdir"_s).size(), 1);
    auto *dialog = static_cast<AddDirectoryDialog *>(visibleWindows(u"opdir"_s).first());
    dialog->showMinimized(); // asked for again, it comes back
    QTRY_VERIFY(dialog->isMinimized());
    t.hub.showAddDirectory();
    QVERIFY(!dialog->isMinimized() && dialog->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->directoryList()->path().isEmpty(), kWait);
    dialog->findChild<QPushButton *>(u"Command1"_s)->click();
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->itemCount(), 4, kWait);
    QCOMPARE(list->model()->currentRow(), 4);

    // The add-file command refuses a name xlist.cfg could not keep.
    t.prompts.texts.enqueue(m_music + u"/two\nlines.mp3"_s);
    list->addFile();
    QCOMPARE(list->model()->itemCount(), 4);

    dropBox->click(); // cleared: the drop window closes
    QTRY_VERIFY(visibleWindows(u"tuofang"_s).isEmpty());
    t.hub.unloadPlaylist();
    QFile saved(t.context.folder.file(u"xlist.cfg"_s));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().count("\r\n"), 4);
}

QTEST_MAIN(IntakeWindowsTest)
#include "tst_intakewindows.moc"
