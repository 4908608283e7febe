#include "core/geometry/dockgeometry.h"
#include "core/geometry/twips.h"

#include <QTest>

using namespace DockGeometry;

Q_DECLARE_METATYPE(DockGeometry::Box)
Q_DECLARE_METATYPE(DockGeometry::Side)
Q_DECLARE_METATYPE(std::optional<int>)

namespace QTest {
template<> char *toString(const DockGeometry::Box &box)
{
    return qstrdup(QByteArray("Box(%1, %2, %3 x %4)")
                       .replace("%1", QByteArray::number(box.left))
                       .replace("%2", QByteArray::number(box.top))
                       .replace("%3", QByteArray::number(box.width))
                       .replace("%4", QByteArray::number(box.height)));
}
} // namespace QTest

namespace {
constexpr int kPlayerWidth = 6630;
constexpr int kPlaylistWidth = 5385;
constexpr int kScreen = 19200; // 1280 px
constexpr int kRight = kScreen - kPlayerWidth;
constexpr int kHuge = 16777217; // 2^24 + 1: the first integer a float cannot hold

Box player(int left, int top, int height = kFullHeight)
{
    return { left, top, kPlayerWidth, height };
}

Box playlist(int left, int top, int height = kFullHeight)
{
    return { left, top, kPlaylistWidth, height };
}
} // namespace

class DockGeometryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void snapsToScreenEdges_data();
    void snapsToScreenEdges();
    void dingweiDocksThePartnerOnlyWhenLocked_data();
    void dingweiDocksThePartnerOnlyWhenLocked();
    void heightsFollowTheLockMode_data();
    void heightsFollowTheLockMode();
    void doubleClickTogglesOnlyExactHeights_data();
    void doubleClickTogglesOnlyExactHeights();
    void lockButtonCascadesAndRedocks();
    void lockButtonIgnoresOtherModes();
    void twipsRoundToNearestPixel_data();
    void twipsRoundToNearestPixel();
};

void DockGeometryTest::snapsToScreenEdges_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("expectedLeft");
    QTest::addColumn<int>("expectedTop");

    const int mid = 6000;
    QTest::newRow("top 499 snaps") << kScreen << kPlayerWidth << mid << 499 << mid << 0;
    QTest::newRow("top 500 stays") << kScreen << kPlayerWidth << mid << 500 << mid << 500;
    QTest::newRow("top above the screen returns")
        << kScreen << kPlayerWidth << mid << -2000 << mid << 0;
    QTest::newRow("no snap at the bottom")
        << kScreen << kPlayerWidth << mid << 99999 << mid << 99999;
    QTest::newRow("left 499 snaps") << kScreen << kPlayerWidth << 499 << 3000 << 0 << 3000;
    QTest::newRow("left -499 snaps") << kScreen << kPlayerWidth << -499 << 3000 << 0 << 3000;
    QTest::newRow("left 500 stays") << kScreen << kPlayerWidth << 500 << 3000 << 500 << 3000;
    QTest::newRow("left -500 stays") << kScreen << kPlayerWidth << -500 << 3000 << -500 << 3000;
    QTest::newRow("R - 499 snaps")
        << kScreen << kPlayerWidth << kRight - 499 << 3000 << kRight << 3000;
    QTest::newRow("R + 499 snaps")
        << kScreen << kPlayerWidth << kRight + 499 << 3000 << kRight << 3000;
    QTest::newRow("R - 500 stays")
        << kScreen << kPlayerWidth << kRight - 500 << 3000 << kRight - 500 << 3000;
    QTest::newRow("R + 500 stays")
        << kScreen << kPlayerWidth << kRight + 500 << 3000 << kRight + 500 << 3000;
    QTest::newRow("both corners at once")
        << kScreen << kPlayerWidth << kRight + 30 << 15 << kRight << 0;
    // A screen barely wider than the window: the left snap puts the window at
    // 0, which lies within the right margin too, so the right edge wins.
    QTest::newRow("narrow screen, near left")
        << kPlayerWidth + 300 << kPlayerWidth << 450 << 3000 << 300 << 3000;
    QTest::newRow("narrow screen, left of it")
        << kPlayerWidth + 300 << kPlayerWidth << -400 << 3000 << 300 << 3000;
    // The right snap looks at the left edge the left snap has just set.
    QTest::newRow("right snap sees the snapped left")
        << kPlayerWidth + 900 << kPlayerWidth << 450 << 3000 << 0 << 3000;
    // The right-edge bounds are single-precision values: R - 500 = 2^24 + 1
    // rounds down, so 2^24 + 1 lies inside; R + 500 rounds down too.
    const int wideScreen = kHuge + 500 + kPlayerWidth;
    QTest::newRow("low bound rounded")
        << wideScreen << kPlayerWidth << kHuge << 3000 << kHuge + 500 << 3000;
    QTest::newRow("high bound rounded")
        << wideScreen << kPlayerWidth << kHuge + 999 << 3000 << kHuge + 999 << 3000;
}

void DockGeometryTest::snapsToScreenEdges()
{
    QFETCH(int, screenWidth);
    QFETCH(int, width);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, expectedLeft);
    QFETCH(int, expectedTop);
    const Box snapped = snapToEdges({ left, top, width, 1234 }, screenWidth);
    QCOMPARE(snapped, (Box { expectedLeft, expectedTop, width, 1234 }));
}

void DockGeometryTest::dingweiDocksThePartnerOnlyWhenLocked_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<LockMode>("lockMode");
    QTest::addColumn<Box>("self");
    QTest::addColumn<Box>("partner");
    QTest::addColumn<Box>("expectedSelf");
    QTest::addColumn<Box>("expectedPartner");

    const Box farList = playlist(900, 7000);
    QTest::newRow("player locked: list at its right edge, off screen")
        << Side::Player << LockMode::Locked << player(kRight + 200, 3000) << farList
        << player(kRight, 3000) << playlist(kScreen, 3000);
    QTest::newRow("player locked, snapped to the top first")
        << Side::Player << LockMode::Locked << player(4000, 300) << farList << player(4000, 0)
        << playlist(10630, 0);
    QTest::newRow("player separate: list stays")
        << Side::Player << LockMode::Separate << player(4000, 300) << farList << player(4000, 0)
        << farList;
    QTest::newRow("player in neither mode: list stays")
        << Side::Player << LockMode::None << player(200, 300) << farList << player(0, 0) << farList;
    QTest::newRow("list locked: player at its left edge, off screen")
        << Side::Playlist << LockMode::Locked << playlist(300, 4000) << player(9000, 0)
        << playlist(0, 4000) << player(-kPlayerWidth, 4000);
    QTest::newRow("list separate: player stays")
        << Side::Playlist << LockMode::Separate << playlist(300, 4000) << player(9000, 0)
        << playlist(0, 4000) << player(9000, 0);
    QTest::newRow("list keeps the partner's height")
        << Side::Playlist << LockMode::Locked << playlist(3000, 4000)
        << player(9000, 0, kCompactHeight) << playlist(3000, 4000)
        << player(3000 - kPlayerWidth, 4000, kCompactHeight);
}

void DockGeometryTest::dingweiDocksThePartnerOnlyWhenLocked()
{
    QFETCH(Side, side);
    QFETCH(LockMode, lockMode);
    QFETCH(Box, self);
    QFETCH(Box, partner);
    QFETCH(Box, expectedSelf);
    QFETCH(Box, expectedPartner);

    const Windows moved = snapAndDock({ self, partner }, side, kScreen, lockMode);
    QCOMPARE(moved.self, expectedSelf);
    QVERIFY(moved.partner);
    QCOMPARE(*moved.partner, expectedPartner);

    // Without a partner the window still snaps.
    const Windows alone = snapAndDock({ self, std::nullopt }, side, kScreen, lockMode);
    QCOMPARE(alone.self, expectedSelf);
    QVERIFY(!alone.partner);
}

void DockGeometryTest::heightsFollowTheLockMode_data()
{
    QTest::addColumn<LockMode>("lockMode");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("expectedSelf");
    QTest::addColumn<int>("expectedPartner");

    QTest::newRow("locked: both compact")
        << LockMode::Locked << kCompactHeight << kCompactHeight << kCompactHeight;
    QTest::newRow("locked: both full")
        << LockMode::Locked << kFullHeight << kFullHeight << kFullHeight;
    QTest::newRow("separate: only this one")
        << LockMode::Separate << kCompactHeight << kCompactHeight << 1500;
    QTest::newRow("neither mode: nothing") << LockMode::None << kCompactHeight << 2000 << 1500;
    QTest::newRow("neither mode, full: nothing") << LockMode::None << kFullHeight << 2000 << 1500;
}

void DockGeometryTest::heightsFollowTheLockMode()
{
    QFETCH(LockMode, lockMode);
    QFETCH(int, height);
    QFETCH(int, expectedSelf);
    QFETCH(int, expectedPartner);

    const Windows before { playlist(100, 200, 2000), player(300, 400, 1500) };
    const Windows after = setHeight(before, height, lockMode);
    QCOMPARE(after.self, (playlist(100, 200, expectedSelf)));
    QCOMPARE(*after.partner, (player(300, 400, expectedPartner)));
}

void DockGeometryTest::doubleClickTogglesOnlyExactHeights_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<std::optional<int>>("expected");

    QTest::newRow("full to compact") << kFullHeight << std::optional<int>(kCompactHeight);
    QTest::newRow("compact to full") << kCompactHeight << std::optional<int>(kFullHeight);
    QTest::newRow("one pixel short of full") << kFullHeight - 15 << std::optional<int>();
    QTest::newRow("one twip over compact") << kCompactHeight + 1 << std::optional<int>();
    QTest::newRow("a height set elsewhere") << 1500 << std::optional<int>();
}

void DockGeometryTest::doubleClickTogglesOnlyExactHeights()
{
    QFETCH(int, height);
    QFETCH(std::optional<int>, expected);
    QCOMPARE(toggledHeight(height), expected);
}

void DockGeometryTest::lockButtonCascadesAndRedocks()
{
    const Box dockedPlayer = player(1500, 3000);
    const Box dockedList = playlist(1500 + kPlayerWidth, 3000);

    const LockToggle cascade = toggleLock(dockedPlayer, dockedList, LockMode::Locked);
    QVERIFY(cascade.changed);
    QCOMPARE(cascade.lockMode, LockMode::Separate);
    QVERIFY(cascade.playerToFront);
    QCOMPARE(cascade.playlist, playlist(dockedList.left, 4000));
    // The player slides 6630 - 2500 twips right and keeps its height on the screen.
    QCOMPARE(cascade.player, player(dockedPlayer.left + 4130, 3000));

    const LockToggle redock = toggleLock(cascade.player, cascade.playlist, cascade.lockMode);
    QVERIFY(redock.changed);
    QCOMPARE(redock.lockMode, LockMode::Locked);
    QVERIFY(!redock.playerToFront);
    QCOMPARE(redock.playlist, cascade.playlist);
    QCOMPARE(redock.player, player(dockedList.left - kPlayerWidth, 4000));
}

void DockGeometryTest::lockButtonIgnoresOtherModes()
{
    const LockToggle result = toggleLock(player(10, 20), playlist(30, 40), LockMode::None);
    QVERIFY(!result.changed);
    QCOMPARE(result.lockMode, LockMode::None);
    QCOMPARE(result.player, player(10, 20));
    QCOMPARE(result.playlist, playlist(30, 40));
}

void DockGeometryTest::twipsRoundToNearestPixel_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("full height") << kFullHeight << 180;
    QTest::newRow("cascade drop") << kCascadeDrop << 67;
    QTest::newRow("cascade shift, negative") << -kCascadeShift << -167;
    QTest::newRow("just under half") << 7 << 0;
    QTest::newRow("just over half") << 8 << 1;
    QTest::newRow("negative, under half") << -7 << 0;
    QTest::newRow("negative, over half") << -8 << -1;
}

void DockGeometryTest::twipsRoundToNearestPixel()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips), pixels);
}

QTEST_APPLESS_MAIN(DockGeometryTest)
#include "tst_dockgeometry.moc"
