#pragma once

#include "core/geometry/layoutrow.h"

#include <QPoint>

// The drop window's places in twips; its size is its skin picture's.
namespace DropLayout {

// Where it comes up, until it is placed at a screen's corner.
inline constexpr QPoint kStartTwips { 7245, 1800 };
// Its top-left corner's distance from a screen's right and top edges.
inline constexpr int kFromRightTwips = 1300;
inline constexpr int kFromTopTwips = 500;

// The blinking marker, over the picture's well.
inline constexpr ControlRow kMarker { "Image2", { 45, 45, 270, 375 } };

} // namespace DropLayout
