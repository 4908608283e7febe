#include "core/playlist/playlistitem.h"
#include "support/testhub.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistgrid.h"
#include "ui/playlist/playlistwindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

// Counts the paint events a widget gets.
struct PaintCount : QObject
{
    explicit PaintCount(QWidget *widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

class TestPlayerWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHub> t;
    PlayerWindow *player = nullptr;

    template<typename T = QWidget> T *control(const char *name)
    {
        T *found = player->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    void tickActivity() { QMetaObject::invokeMethod(control<QTimer>("Timer1"), "timeout"); }

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestHub>();
        player = t->hub.player();
        QVERIFY(player);
        t->engine->calls.clear();
    }
    void cleanup() { t.reset(); }

    void windowHasItsShapeSizeAndPlace()
    {
        QCOMPARE(player->size(), QSize(442, 180));
        QCOMPARE(player->pos(), QPoint(0, 0));
        QVERIFY(player->isVisible());
        QVERIFY(player->windowFlags().testFlag(Qt::FramelessWindowHint));
        const QRegion mask = player->mask();
        QVERIFY(!mask.contains(QPoint(0, 0))); // bevelled tab corner
        QVERIFY(!mask.contains(QPoint(2, 100))); // left of the body below the tab
        QVERIFY(!mask.contains(QPoint(441, 178))); // bevelled bottom-right corner
        QVERIFY(mask.contains(QPoint(3, 12))); // the menu tab
        QVERIFY(mask.contains(QPoint(200, 100)));
        QVERIFY(mask.contains(QPoint(441, 1))); // square top-right corner
        QCOMPARE(control<QComboBox>("Combo1")->currentText(), QStringLiteral("歌曲名称"));
        QCOMPARE(control<QLabel>("Label7")->text(), QStringLiteral("Ver:1.06"));
        QCOMPARE(control("RealAudio1")->geometry(), QRect(111, 27, 258, 52));
    }

    void transportHotSpotsMakeExactlyTheirCall_data()
    {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("play") << "Label5"
                              << "startPlayback" << QStringLiteral("播放");
        QTest::newRow("pause") << "Label6"
                               << "pausePlayback" << QStringLiteral("暂停");
        QTest::newRow("stop") << "Label8"
                              << "stopPlayback" << QStringLiteral("停止");
        QTest::newRow("previous") << "Label3"
                                  << "skipToPreviousEntry" << QStringLiteral("向前跳一首");
        QTest::newRow("next") << "Label4"
                              << "skipToNextEntry" << QStringLiteral("向后跳一首");
    }
    void transportHotSpotsMakeExactlyTheirCall()
    {
        QFETCH(QString, spot);
        QFETCH(QString, call);
        QFETCH(QString, toolTip);
        QWidget *hotSpot = control(spot.toLatin1().constData());
        QCOMPARE(hotSpot->toolTip(), toolTip);
        QCOMPARE(hotSpot->accessibleName(), toolTip); // read out by assistive technology
        // A real click at the hot spot's place on the window, not on the widget.
        QWidget *target = player->childAt(hotSpot->geometry().center());
        QCOMPARE(target, hotSpot);
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(t->engine->calls, QStringList { call });
        QAccessible::queryAccessibleInterface(hotSpot)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction()); // as a screen reader would
        QCOMPARE(t->engine->calls, QStringList({ call, call }));
    }

    void activityBarStepsOnlyWhilePlaying()
    {
        auto *bar = control<QProgressBar>("ProgressBar1");
        QCOMPARE(bar->value(), 0);
        t->engine->state = MediaEngine::Paused;
        tickActivity();
        QCOMPARE(bar->value(), 0);
        t->engine->state = MediaEngine::Playing;
        QList<int> seen;
        for (int i = 0; i < 19; ++i) {
            tickActivity();
            seen << bar->value();
        }
        QCOMPARE(seen, (QList<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2, 3, 4, 5, 6, 7, 8, 9, 10 }));
        t->engine->state = MediaEngine::Stopped;
        tickActivity();
        QCOMPARE(bar->value(), 10); // frozen at its last value
        t->engine->state = MediaEngine::Playing;
        tickActivity();
        QCOMPARE(bar->value(), 2);
    }

    void delayedStepSyncsSliderWithoutChangingVolume_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("position");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("50") << 50 << 11;
        QTest::newRow("99") << 99 << 20;
        QTest::newRow("above 99") << 120 << 20;
    }
    void delayedStepSyncsSliderWithoutChangingVolume()
    {
        QFETCH(int, volume);
        QFETCH(int, position);
        t->engine->volume = qint16(volume);
        auto *start = control<QTimer>("Timer2");
        QVERIFY(start->isActive());
        QVERIFY(start->isSingleShot());
        QCOMPARE(start->interval(), 5000);
        QMetaObject::invokeMethod(start, "timeout");
        QCOMPARE(control<QSlider>("Slider1")->value(), position);
        QVERIFY(t->engine->calls.isEmpty());
    }

    void sliderSendsVolume()
    {
        auto *slider = control<QSlider>("Slider1");
        QCOMPARE(slider->minimum(), 1);
        QCOMPARE(slider->maximum(), 20);
        slider->setValue(1);
        slider->setValue(20);
        slider->setValue(11);
        QCOMPARE(t->engine->calls,
            (QStringList { QStringLiteral("setVolumeLevel:4"), QStringLiteral("setVolumeLevel:99"),
                QStringLiteral("setVolumeLevel:54") }));
    }

    void loopingFollowsCheck1OnlyAtNotices()
    {
        auto *loop = control<QCheckBox>("Check1");
        QVERIFY(loop->isChecked());
        QVERIFY(control<QCheckBox>("Check3")->isChecked());
        QVERIFY(!control<QCheckBox>("Check2")->isChecked());
        QTest::mouseClick(loop, Qt::LeftButton);
        QVERIFY(!loop->isChecked());
        QVERIFY(t->engine->calls.isEmpty());
        t->engine->raiseNotice();
        QTest::mouseClick(loop, Qt::LeftButton);
        t->engine->raiseNotice();
        QCOMPARE(t->engine->calls,
            (QStringList {
                QStringLiteral("setListLooping:false"), QStringLiteral("setListLooping:true") }));
    }

    void onTopBoxAffectsOnlyThePlayer()
    {
        PlaylistWindow *list = t->hub.playlist();
        list->show();
        auto *onTop = control<QCheckBox>("Check2");
        QTest::mouseClick(onTop, Qt::LeftButton);
        QVERIFY(player->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(player->isVisible());
        QCOMPARE(player->pos(), QPoint(0, 0));
        QVERIFY(!list->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTest::mouseClick(onTop, Qt::LeftButton);
        QVERIFY(!player->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void showPlaylistLabelDocksItWhateverTheLockMode()
    {
        t->state.lockMode = LockMode::Separate;
        PlaylistWindow *list = t->hub.playlist();
        list->move(300, 400);
        player->move(15, 30);
        QTest::mouseClick(control("Label14"), Qt::LeftButton);
        QCOMPARE(list->pos(), QPoint(15 + 442, 30));
        QVERIFY(list->isVisible());
        QCOMPARE(t->state.lockMode, LockMode::Separate);
    }

    void closeHotSpotSavesTheListAndEndsTheProgram()
    {
        PlaylistWindow *list = t->hub.playlist();
        QVERIFY(list);
        list->appendItem(
            PlaylistItem::Icon::Address, QStringLiteral("http://example.com/新歌.mp3"));
        t->state.lockMode = LockMode::Locked;
        QTimer::singleShot(
            0, this, [this] { QTest::mouseClick(control("Image3"), Qt::LeftButton); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); }); // a safety net only
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(t->state.lockMode, LockMode::Separate); // the playlist's unload ran
        QFile saved(t->context.folder.file(QStringLiteral("xlist.cfg")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(
            QString::fromUtf8(saved.readAll()), QStringLiteral("http://example.com/新歌.mp3\r\n"));
    }

    void closingThePlayerWindowEndsTheProgramToo()
    {
        QTimer::singleShot(0, this, [this] { player->close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void hotSpotsPopUpTheirMenus_data()
    {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<QString>("menu");
        QTest::newRow("main menu") << "Image4"
                                   << "mmain";
        QTest::newRow("open music") << "Label15"
                                    << "mopen";
        QTest::newRow("settings") << "Label16"
                                  << "mxtsz";
        QTest::newRow("navigation") << "Label2"
                                    << "dh_main";
    }
    void hotSpotsPopUpTheirMenus()
    {
        QFETCH(QString, spot);
        QFETCH(QString, menu);
        QString shown;
        QTimer::singleShot(200, this, [&shown] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                shown = popup->objectName();
                popup->close();
            }
        });
        QTest::mouseClick(control(spot.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(shown, menu);
        QVERIFY(t->engine->calls.isEmpty()); // dismissing a popup does nothing
        QVERIFY(t->launcher.openedUrls.isEmpty());
    }

    void enterInTheSearchTextSearches()
    {
        auto *text = control<QLineEdit>("Text1");
        QCOMPARE(text->toolTip(), QStringLiteral("在这里输入您要查询的内容"));
        QCOMPARE(control("Command1")->toolTip(), QStringLiteral("点这里开始搜索"));
        text->setText(QStringLiteral("   "));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(t->prompts.asked.size(), 1);
        QCOMPARE(t->prompts.asked.first().text, QStringLiteral("请输入您要查询的内容"));
        control<QComboBox>("Combo1")->setCurrentText(QStringLiteral("乐队/歌手"));
        text->setText(QStringLiteral("abc"));
        QTest::keyClick(text, Qt::Key_Enter);
        QCOMPARE(t->launcher.openedUrls,
            QStringList { QStringLiteral("http://svc.example/dgxt/dg1.asp?ll=2&cx=abc") });
    }

    void frameHotSpotsCarryTheirToolTips_data()
    {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QRect>("place");
        QTest::newRow("drag strip")
            << "Image1" << QStringLiteral("双击可以缩小放大") << QRect(27, 6, 340, 16);
        QTest::newRow("roll up") << "Image2" << QStringLiteral("最小化") << QRect(384, 9, 16, 10);
        QTest::newRow("restore") << "Image12" << QStringLiteral("还原大小")
                                 << QRect(399, 9, 16, 10);
        QTest::newRow("close") << "Image3" << QStringLiteral("关闭") << QRect(417, 9, 16, 10);
        QTest::newRow("menu") << "Image4" << QStringLiteral("打开 文件/网址")
                              << QRect(6, 3, 22, 16);
        QTest::newRow("help") << "Image5" << QStringLiteral("使用帮助") << QRect(369, 9, 16, 10);
        QTest::newRow("logo") << "Picture1" << QStringLiteral("Tunvia 版权信息")
                              << QRect(372, 27, 61, 76);
    }
    void frameHotSpotsCarryTheirToolTips()
    {
        QFETCH(QString, spot);
        QFETCH(QString, toolTip);
        QFETCH(QRect, place);
        QWidget *hotSpot = control(spot.toLatin1().constData());
        QCOMPARE(hotSpot->toolTip(), toolTip);
        QCOMPARE(hotSpot->accessibleName(), toolTip);
        QCOMPARE(hotSpot->geometry(), place);
    }

    void picturesAreRenderedAgainOnAnotherScreen()
    {
        auto *logo = control<QLabel>("Picture1");
        QCOMPARE(logo->pixmap().deviceIndependentSize().toSize(), QSize(58, 72));
        logo->setPixmap(QPixmap());
        QEvent screenChange(QEvent::ScreenChangeInternal);
        QCoreApplication::sendEvent(player, &screenChange);
        QCOMPARE(logo->pixmap().deviceIndependentSize().toSize(), QSize(58, 72));
        QCOMPARE(logo->pixmap().devicePixelRatio(), player->devicePixelRatioF());
    }

    void mixerHotSpotStartsTheDesktopsMixerOrSaysWhatToInstall()
    {
        QWidget *mixer = control("Label12");
        QCOMPARE(mixer->toolTip(), QStringLiteral("Windows音量控制"));
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir bin;
        qputenv("PATH", QFile::encodeName(bin.path()));
        QTest::mouseClick(mixer, Qt::LeftButton); // none installed
        QVERIFY(t->launcher.startedPrograms.isEmpty());
        QCOMPARE(t->prompts.asked.size(), 1);
        QVERIFY(t->prompts.asked.at(0).text.contains(QStringLiteral("pavucontrol")));

        // GNOME's settings come after the PulseAudio mixers but before KDE's.
        for (const char *name : { "kcmshell5", "gnome-control-center" }) {
            QFile program(bin.filePath(QString::fromLatin1(name)));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
        }
        QTest::mouseClick(mixer, Qt::LeftButton);
        qputenv("PATH", path);
        const QList<QStringList> started { { bin.filePath(QStringLiteral("gnome-control-center")),
            QStringLiteral("sound") } };
        QCOMPARE(t->launcher.startedPrograms, started);
        QCOMPARE(t->prompts.asked.size(), 1);
        QVERIFY(t->engine->calls.isEmpty());
    }

    // A step of the bar paints the bar alone, not the window under it.
    void activityBarStepPaintsNothingBeneath()
    {
        player->show();
        QVERIFY(QTest::qWaitForWindowExposed(player));
        QCoreApplication::processEvents();
        PaintCount window(player);
        PaintCount bar(control<QProgressBar>("ProgressBar1"));
        t->engine->state = MediaEngine::Playing;
        tickActivity();
        QTRY_VERIFY_WITH_TIMEOUT(bar.count > 0, 30000);
        QCOMPARE(window.count, 0);
    }

    void activityBarShowsEachValueAsItsOwnNumberOfSegments()
    {
        auto *bar = control<QProgressBar>("ProgressBar1");
        const auto litSegments = [bar] {
            const QImage image = bar->grab().toImage();
            const int y = image.height() / 2;
            int segments = 0;
            bool lit = false;
            for (int x = 0; x < image.width(); ++x) {
                const bool bright = qGray(image.pixel(x, y)) > 110;
                segments += bright && !lit;
                lit = bright;
            }
            return segments;
        };
        for (int value = 0; value <= bar->maximum(); ++value) {
            bar->setValue(value);
            QCOMPARE(litSegments(), value);
        }
    }

    void typedCategoryIsNotAddedToTheList()
    {
        auto *category = control<QComboBox>("Combo1");
        category->setFocus();
        category->lineEdit()->setText(QStringLiteral("新词"));
        QTest::keyClick(category->lineEdit(), Qt::Key_Return);
        QCOMPARE(category->count(), 3);
        QCOMPARE(category->currentText(), QStringLiteral("新词"));
    }

    // Walks every window as a screen reader does: each control the user can
    // act on has a name (the hidden helper buttons a Chinese one), and each
    // hot spot a press action.
    void assistiveTechnologyNamesEveryControl()
    {
        const QString item = QStringLiteral("http://a.example/歌.mp3");
        t->state.lockMode = LockMode::Locked;
        t->hub.playlist()->appendItem(PlaylistItem::Icon::Address, item);
        t->hub.showAbout(AboutTab::AsItIs);
        t->hub.showAddDirectory();
        control<QCheckBox>("Check3")->click(); // the drop window, hidden and shown again
        control<QCheckBox>("Check3")->click();
        QStringList windows, nameless;
        const QSet<QAccessible::Role> controls { QAccessible::Button, QAccessible::CheckBox,
            QAccessible::ComboBox, QAccessible::EditableText, QAccessible::Link,
            QAccessible::Slider, QAccessible::Table, QAccessible::Tree };
        const QRegularExpression chinese(QStringLiteral("\\p{Han}"));
        const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            const QString name = node->text(QAccessible::Name);
            // A hidden helper button is read in Chinese, not by its working caption.
            const bool helper
                = node->state().invisible && qobject_cast<QPushButton *>(node->object());
            if (controls.contains(node->role())
                && (helper ? !name.contains(chinese) : name.isEmpty()))
                nameless << node->object()->objectName();
            for (int i = 0; !controls.contains(node->role()) && i < node->childCount(); ++i)
                walk(node->child(i)); // the cells of lists are the lists' own
        };
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                windows << QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name);
            if (window->isVisible())
                walk(QAccessible::queryAccessibleInterface(window));
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u' ')));
        windows.sort();
        QCOMPARE(windows.join(u','), QStringLiteral("Tunvia,关于本软件,增加目录,拖放口,播放列表"));
        QAccessibleTableInterface *grid
            = QAccessible::queryAccessibleInterface(t->hub.playlist()->grid())->tableInterface();
        QCOMPARE(grid->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("网址"));
        QCOMPARE(grid->cellAt(1, 1)->text(QAccessible::Name), item);
        QAccessible::queryAccessibleInterface(control("Image1"))
            ->actionInterface()
            ->doAction(
                QAccessibleActionInterface::pressAction()); // a drag strip's press: a double click
        QVERIFY(player->height() < 30);
    }

    void toolTipsShowOnInactiveWindows()
    {
        PlaylistWindow *list = t->hub.playlist();
        player->show();
        QVERIFY(QTest::qWaitForWindowExposed(player));
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QApplication::setActiveWindow(list);
        QTRY_VERIFY(list->isActiveWindow());
        QVERIFY(!player->isActiveWindow());
        const auto tipShownFor = [](QWidget *spot) {
            QToolTip::hideText();
            QTest::mouseMove(spot->window(), spot->mapTo(spot->window(), QPoint(3, 3)));
            QTest::mouseMove(spot, spot->rect().center());
            return QTest::qWaitFor(
                [spot] { return QToolTip::isVisible() && QToolTip::text() == spot->toolTip(); },
                10000);
        };
        QVERIFY(tipShownFor(control("Label5")));
        QApplication::setActiveWindow(player);
        QTRY_VERIFY(player->isActiveWindow());
        QVERIFY(tipShownFor(list->findChild<QWidget *>(QStringLiteral("Image11"))));
    }
};

QTEST_MAIN(TestPlayerWindow)
#include "tst_playerwindow.moc"
