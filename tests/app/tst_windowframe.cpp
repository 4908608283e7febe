#include "support/testhub.h"
#include "ui/common/hotspot.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"
#include "ui/skin/skin.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

// Two offscreen screens side by side: 800 × 600 at 0, 1024 × 768 at 800.
static const char kScreens[] = R"({
    "synchronousWindowSystemEvents": true,
    "screens": [
        { "name": "left", "x": 0, "y": 0, "width": 800, "height": 600, "logicalDpi": 96, "dpr": 1 },
        { "name": "right", "x": 800, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "dpr": 1 }
    ]
})";

namespace {

constexpr int kPlayerWidth = 442;
constexpr int kListWidth = 359;

void sendMouse(QWidget *handle, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
    QPoint global)
{
    QMouseEvent event(type, handle->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(handle, &event);
}

QPoint centreOf(QWidget *widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

} // namespace

class WindowFrameTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void otherButtonSnapsAndRedocksWithoutMoving_data();
    void otherButtonSnapsAndRedocksWithoutMoving();
    void leftDragMovesAndRedocksAfterRelease_data();
    void leftDragMovesAndRedocksAfterRelease();
    void lostReleaseEndsTheDrag();
    void secondScreenSnapsToItsOwnEdges();
    void heightButtonsFollowTheLockMode();
    void doubleClickTogglesOnlyExactHeights();
    void lockButtonCascadesAndRedocks();

private:
    QWidget *window(const QString &side) const;
    QWidget *partnerOf(const QString &side) const;

    std::unique_ptr<TestHub> m_hub;
    PlayerWindow *m_player = nullptr;
    PlaylistWindow *m_list = nullptr;
};

void WindowFrameTest::init()
{
    m_hub = std::make_unique<TestHub>();
    m_hub->state.lockMode = LockMode::Locked;
    m_player = m_hub->hub.player();
    m_list = m_hub->hub.playlist();
    QVERIFY(m_player && m_list);
    m_player->move(100, 100);
    m_list->move(100 + kPlayerWidth, 100);
    m_player->show();
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_player));
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void WindowFrameTest::cleanup()
{
    m_hub.reset();
}

QWidget *WindowFrameTest::window(const QString &side) const
{
    return side == u"player" ? static_cast<QWidget *>(m_player) : m_list;
}

QWidget *WindowFrameTest::partnerOf(const QString &side) const
{
    return side == u"player" ? static_cast<QWidget *>(m_list) : m_player;
}

void WindowFrameTest::otherButtonSnapsAndRedocksWithoutMoving_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("handle");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<LockMode>("lockMode");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("expected");
    QTest::addColumn<QPoint>("expectedPartner");

    const QPoint partnerStart(300, 350);
    QTest::newRow("player strip, right button, locked")
        << u"player"_qs << u"Image1"_qs << Qt::RightButton << LockMode::Locked << QPoint(20, 25)
        << QPoint(0, 0) << QPoint(kPlayerWidth, 0);
    QTest::newRow("player strip, middle button, separate")
        << u"player"_qs << u"Image1"_qs << Qt::MiddleButton << LockMode::Separate << QPoint(20, 25)
        << QPoint(0, 0) << partnerStart;
    QTest::newRow("activity bar, right button, locked")
        << u"player"_qs << u"ProgressBar1"_qs << Qt::RightButton << LockMode::Locked
        << QPoint(120, 150) << QPoint(120, 150) << QPoint(120 + kPlayerWidth, 150);
    QTest::newRow("list strip, right button, locked")
        << u"list"_qs << u"Image1"_qs << Qt::RightButton << LockMode::Locked << QPoint(30, 300)
        << QPoint(0, 300) << QPoint(-kPlayerWidth, 300);
    QTest::newRow("list strip, right button, separate")
        << u"list"_qs << u"Image1"_qs << Qt::RightButton << LockMode::Separate
        << QPoint(800 - kListWidth - 20, 10) << QPoint(800 - kListWidth, 0) << partnerStart;
}

void WindowFrameTest::otherButtonSnapsAndRedocksWithoutMoving()
{
    QFETCH(QString, side);
    QFETCH(QString, handle);
    QFETCH(Qt::MouseButton, button);
    QFETCH(LockMode, lockMode);
    QFETCH(QPoint, start);
    QFETCH(QPoint, expected);
    QFETCH(QPoint, expectedPartner);

    m_hub->state.lockMode = lockMode;
    window(side)->move(start);
    partnerOf(side)->move(300, 350);
    auto *target = window(side)->findChild<QWidget *>(handle);
    QVERIFY(target);
    const QPoint at = centreOf(target);
    sendMouse(target, QEvent::MouseButtonPress, button, button, at);
    QCOMPARE(window(side)->pos(), expected);
    QCOMPARE(partnerOf(side)->pos(), expectedPartner);
    sendMouse(target, QEvent::MouseButtonRelease, button, Qt::NoButton, at);
    QCOMPARE(window(side)->pos(), expected);
}

void WindowFrameTest::leftDragMovesAndRedocksAfterRelease_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QPoint>("partnerOffset"); // partner's place relative to the window, docked
    QTest::newRow("player") << u"player"_qs << QPoint(kPlayerWidth, 0);
    QTest::newRow("list") << u"list"_qs << QPoint(-kPlayerWidth, 0);
}

void WindowFrameTest::leftDragMovesAndRedocksAfterRelease()
{
    QFETCH(QString, side);
    QFETCH(QPoint, partnerOffset);
    QWidget *self = window(side);
    QWidget *partner = partnerOf(side);
    self->move(200, 200);
    partner->move(200 + partnerOffset.x(), 200);

    auto *strip = self->findChild<HotSpot *>(u"Image1"_qs);
    const QPoint press = centreOf(strip);
    sendMouse(strip, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, press);
    for (int step = 1; step <= 4; ++step)
        sendMouse(
            strip, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, press + QPoint(15, 10) * step);
    QCOMPARE(self->pos(), QPoint(260, 240));
    QCOMPARE(partner->pos(), QPoint(200 + partnerOffset.x(), 200)); // waits for the release
    sendMouse(
        strip, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, press + QPoint(60, 40));
    QCOMPARE(self->pos(), QPoint(260, 240));
    QCOMPARE(partner->pos(), QPoint(260, 240) + partnerOffset);

    // A drag that ends near the top-left corner snaps there on release.
    const QPoint second = centreOf(strip);
    sendMouse(strip, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, second);
    sendMouse(strip, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, second - QPoint(255, 210));
    QCOMPARE(self->pos(), QPoint(5, 30));
    sendMouse(
        strip, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, second - QPoint(255, 210));
    QCOMPARE(self->pos(), QPoint(0, 0));
    QCOMPARE(partner->pos(), partnerOffset);
}

void WindowFrameTest::lostReleaseEndsTheDrag()
{
    auto *strip = m_player->findChild<HotSpot *>(u"Image1"_qs);
    const QPoint press = centreOf(strip);
    sendMouse(strip, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, press);
    sendMouse(strip, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, press + QPoint(50, 50));
    QCOMPARE(m_player->pos(), QPoint(150, 150));
    // The release went to another program; a right-button press still snaps
    // and re-docks, and ends the move.
    sendMouse(
        strip, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, press + QPoint(60, 60));
    QCOMPARE(m_list->pos(), QPoint(150 + kPlayerWidth, 150));
    sendMouse(strip, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, press + QPoint(90, 90));
    QCOMPARE(m_player->pos(), QPoint(150, 150));
}

void WindowFrameTest::secondScreenSnapsToItsOwnEdges()
{
    QCOMPARE(QGuiApplication::screens().size(), 2);
    auto *strip = m_player->findChild<HotSpot *>(u"Image1"_qs);

    m_player->move(810, 12);
    sendMouse(strip, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, centreOf(strip));
    QCOMPARE(m_player->pos(), QPoint(800, 0));
    QCOMPARE(m_list->pos(), QPoint(800 + kPlayerWidth, 0));

    // Near the right edge of the right-hand screen, not of the left one.
    m_player->move(800 + 1024 - kPlayerWidth - 25, 300);
    sendMouse(strip, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, centreOf(strip));
    QCOMPARE(m_player->pos(), QPoint(800 + 1024 - kPlayerWidth, 300));
    QCOMPARE(m_list->pos(), QPoint(800 + 1024, 300));
}

void WindowFrameTest::heightButtonsFollowTheLockMode()
{
    const QRegion playerMask = m_player->mask();
    const QRegion listMask = m_list->mask();
    QTest::mouseClick(m_player->findChild<HotSpot *>(u"Image2"_qs), Qt::LeftButton);
    QCOMPARE(m_player->size(), QSize(kPlayerWidth, 26));
    QCOMPARE(m_list->size(), QSize(kListWidth, 26));
    QCOMPARE(m_player->mask(), playerMask);
    QCOMPARE(m_list->mask(), listMask);
    QTest::mouseClick(m_list->findChild<HotSpot *>(u"Image7"_qs), Qt::LeftButton);
    QCOMPARE(m_player->height(), 180);
    QCOMPARE(m_list->height(), 180);

    m_hub->state.lockMode = LockMode::Separate;
    QTest::mouseClick(m_list->findChild<HotSpot *>(u"Image6"_qs), Qt::LeftButton);
    QCOMPARE(m_list->height(), 26);
    QCOMPARE(m_player->height(), 180);
    QTest::mouseClick(m_player->findChild<HotSpot *>(u"Image2"_qs), Qt::LeftButton);
    QCOMPARE(m_player->height(), 26);
    QTest::mouseClick(m_player->findChild<HotSpot *>(u"Image12"_qs), Qt::LeftButton);
    QCOMPARE(m_player->height(), 180);
    QCOMPARE(m_list->height(), 26);

    m_hub->state.lockMode = LockMode::None;
    QTest::mouseClick(m_player->findChild<HotSpot *>(u"Image2"_qs), Qt::LeftButton);
    QCOMPARE(m_player->height(), 180);
}

void WindowFrameTest::doubleClickTogglesOnlyExactHeights()
{
    auto *playerStrip = m_player->findChild<HotSpot *>(u"Image1"_qs);
    auto *listStrip = m_list->findChild<HotSpot *>(u"Image1"_qs);
    QTest::mouseDClick(playerStrip, Qt::LeftButton);
    QCOMPARE(m_player->height(), 26);
    QCOMPARE(m_list->height(), 26);
    QTest::mouseDClick(listStrip, Qt::LeftButton);
    QCOMPARE(m_player->height(), 180);
    QCOMPARE(m_list->height(), 180);

    m_player->setFixedHeight(100); // a height set from elsewhere
    QTest::mouseDClick(playerStrip, Qt::LeftButton);
    QCOMPARE(m_player->height(), 100);
    QCOMPARE(m_list->height(), 180);
}

void WindowFrameTest::lockButtonCascadesAndRedocks()
{
    auto *lock = m_list->findChild<HotSpot *>(u"Image11"_qs);
    QVERIFY(lock);
    const qreal ratio = lock->devicePixelRatioF();
    const QImage locked = Skin::pixmap(Skin::Picture::LockLocked, ratio).toImage();
    const QImage separate = Skin::pixmap(Skin::Picture::LockSeparate, ratio).toImage();
    QVERIFY(locked != separate);
    QCOMPARE(lock->pixmap().toImage(), locked);
    m_list->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), m_list);

    QTest::mouseClick(lock, Qt::LeftButton);
    QCOMPARE(m_hub->state.lockMode, LockMode::Separate);
    // 1000 twips down (66.7 px, shown as 67); the player 2500 twips left of
    // the list, level with the list's old top.
    QCOMPARE(m_list->pos(), QPoint(100 + kPlayerWidth, 167));
    QCOMPARE(m_player->pos(), QPoint(100 + kPlayerWidth - 167, 100));
    QCOMPARE(lock->pixmap().toImage(), separate);
    QTRY_COMPARE(QApplication::activeWindow(), m_player);

    QTest::mouseClick(lock, Qt::LeftButton);
    QCOMPARE(m_hub->state.lockMode, LockMode::Locked);
    QCOMPARE(m_list->pos(), QPoint(100 + kPlayerWidth, 167));
    QCOMPARE(m_player->pos(), QPoint(100, 167));
    QCOMPARE(lock->pixmap().toImage(), locked);
}

int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    const QString config = dir.filePath(u"screens.json"_qs);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(kScreens) < 0)
        return 2;
    file.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.toLocal8Bit());
    QApplication app(argc, argv);
    WindowFrameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowframe.moc"
