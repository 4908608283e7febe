#pragma once

#include "core/geometry/layoutrow.h"
#include "core/program/texts.h"

#include <QPoint>
#include <QSize>
#include <QVector>

// The About window's controls in twips. Controls of a tab page are placed
// relative to the whole tab control, as the skin is drawn.
namespace AboutLayout {

inline constexpr QSize kWindowSize { 461, 267 }; // 6915 x 4005 twips

// The outline in pixels: every corner cut.
inline QVector<QPoint> outline()
{
    return { { 7, 0 }, { 0, 10 }, { 0, 257 }, { 11, 266 }, { 448, 267 }, { 458, 257 }, { 458, 9 },
        { 452, 0 }, { 7, 0 } };
}

inline constexpr ControlRow kDragStrip { "Image2", { 540, 135, 5820, 330 } };
inline constexpr ControlRow kClose { "Label10", { 6390, 225, 285, 150 }, u"关闭这个窗口" };

// The box of links, and its links placed within it.
inline constexpr ControlRow kLinkBox { "Picture1", { 4275, 495, 2310, 330 } };
inline constexpr ControlRow kUpdateCheckLink { "Label5", { 45, 45, 960, 195 }, {},
    Texts::kCheckForUpdate };
// Keeps its right edge and grows leftwards when its text needs more room.
inline constexpr ControlRow kAuthorLink { "Label1", { 1350, 45, 915, 195 }, {}, u"作者：" };

inline constexpr ControlRow kTabs { "SSTab1", { 225, 540, 6450, 3345 } };
inline constexpr QStringView kHistoryTitle = u"更新历史";
inline constexpr QStringView kTabTitles[] = { Texts::kAboutTunvia, u"使用说明", kHistoryTitle };

inline constexpr ControlRow kPicture { "Image1", { 90, 585, 1800, 2550 } };
// A line two pixels high whose upper pixel lies one pixel above this row's top.
inline constexpr ControlRow kLine { "Line1", { 90, 540, 6345 - 90, 30 } };
inline constexpr ControlRow kIntroduction { "Text2", { 1935, 675, 4380, 2490 }, {}, {},
    u"软件介绍" };
inline constexpr ControlRow kInstructions { "Image3", { 135, 450, 6120, 2745 } };
inline constexpr ControlRow kHistoryFrame { "Frame1", { 180, 405, 6135, 2760 } };
// Placed within the frame.
inline constexpr ControlRow kHistory { "Text1", { 180, 360, 5775, 2310 }, {}, {}, kHistoryTitle };

} // namespace AboutLayout
