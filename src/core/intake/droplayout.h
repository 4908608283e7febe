#pragma once

#include "core/geometry/layoutrow.h"

#include <QPoint>
#include <QVector>

// The drop window's places in twips; its size is its skin picture's.
namespace DropLayout {

// The picture's outline in pixels: every corner cut, as on the other skinned
// windows.
inline QVector<QPoint> outline()
{
    return { { 3, 0 }, { 38, 0 }, { 41, 3 }, { 41, 33 }, { 38, 36 }, { 3, 36 }, { 0, 33 },
        { 0, 3 } };
}

// Where it comes up, until it is placed at a screen's corner.
inline constexpr QPoint kStartTwips { 7245, 1800 };
// Its top-left corner's distance from a screen's right and top edges.
inline constexpr int kFromRightTwips = 1300;
inline constexpr int kFromTopTwips = 500;

// The blinking marker, over the picture's well.
inline constexpr ControlRow kMarker { "Image2", { 45, 45, 270, 375 } };

} // namespace DropLayout
