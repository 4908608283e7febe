#pragma once

#include "core/geometry/layoutrow.h"
#include "core/program/texts.h"

#include <QPoint>
#include <QVector>

// The playlist window's geometry in twips, its outline and its controls.
namespace PlaylistLayout {

// What assistive technology calls the window; its title stays the skin's name.
inline constexpr QStringView kAccessibleName = Texts::kPlaylist;

inline constexpr int kWidthTwips = 5385;
inline constexpr int kFullHeightTwips = 2700; // the frame changes only the height

// The outline in pixels: square top-left, cut other corners.
inline QVector<QPoint> outline()
{
    return { { 0, 0 }, { 0, 167 }, { 9, 175 }, { 350, 176 }, { 358, 170 }, { 358, 7 }, { 347, 0 },
        { 8, 0 }, { 0, 0 } };
}

// What the playlist window's hot spots and buttons ask for.
enum class Command {
    AddAddress,
    AddFile,
    DeleteAll,
    DeleteCurrent,
    RandomOrder,
    ImportList,
    ExportList,
    AddMenu,
    DeleteMenu,
    ChooseOtherPlayer,
    MoveOrResize, // drag to move, double-click for the other height
    Lock,
    RollUp,
    RestoreHeight,
    Close,
};

using Row = HotSpotRow<Command>;

inline constexpr ControlRow kGrid { "MSFlexGrid1", { 90, 360, 5190, 1815 }, {}, {}, u"列表项目" };
inline constexpr int kIconColumnTwips = 380;
inline constexpr int kTextColumnTwips = 4300;

// Its caption is the hint it shows while no other player is chosen.
inline constexpr ControlRow kOtherPlayers { "Combo1", { 1125, 2205, 915, 300 }, {},
    u"使用您系统中的其他播放器播放", u"其他播放器" };

// Pressed by the command menu's add and delete menus; never shown. Assistive
// technology reads them as the menu items that press them.
inline constexpr Row kMenuButtons[] = {
    { { "Command5", {}, {}, u"c5 addurl", Texts::kAddAddress }, Command::AddAddress },
    { { "Command6", {}, {}, u"c6 addfile", Texts::kAddFile }, Command::AddFile },
    { { "Command7", {}, {}, u"c7 del all", Texts::kDeleteAll }, Command::DeleteAll },
    { { "Command8", {}, {}, u"c8 del one", Texts::kDeleteCurrent }, Command::DeleteCurrent },
};
inline constexpr Row kRandomButton { { "Command9", { 4005, 1845, 960, 270 }, {}, u"随机播放" },
    Command::RandomOrder };

inline constexpr Row kToolbar[] = {
    { { "Label3", { 3420, 2205, 870, 240 }, u"打开TUNVIA列表文件" }, Command::ImportList },
    { { "Label4", { 4320, 2205, 870, 240 }, u"把当前列表保存成列表文件。" }, Command::ExportList },
    { { "Label1", { 2250, 2205, 555, 240 }, u"增加一个文件或网址或一个目录。" }, Command::AddMenu },
    { { "Label2", { 2835, 2205, 555, 240 }, u"删除当前选择的或删除全部。" }, Command::DeleteMenu },
    { { "Label5", { 180, 2160, 780, 330 }, u"选择您系统上其他的播放器。" },
        Command::ChooseOtherPlayer },
};

// The frame's hot spots: drag strip, lock button, compact, full, close. The
// last three show no tool tip; they are named as the player's are.
inline constexpr Row kFrameHotSpots[] = {
    { { "Image1", { 90, 45, 4425, 285 }, Texts::kDoubleClickToResize }, Command::MoveOrResize },
    { { "Image11", { 135, 135, 405, 165 }, u"锁定或分开两个窗口" }, Command::Lock },
    { { "Image6", { 4545, 90, 195, 195 }, {}, {}, Texts::kRollUp }, Command::RollUp },
    { { "Image7", { 4770, 135, 195, 150 }, {}, {}, Texts::kRestoreHeight },
        Command::RestoreHeight },
    { { "Image2", { 4995, 90, 150, 195 }, {}, {}, Texts::kClose }, Command::Close },
};

} // namespace PlaylistLayout
