#pragma once

#include <QPoint>
#include <QRect>
#include <QVector>

// The player window's geometry in twips (15 to a logical pixel) and its outline.
namespace PlayerLayout {

inline constexpr int kWidthTwips = 6630;
inline constexpr int kFullHeightTwips = 2700;
inline constexpr int kCompactHeightTwips = 390;

// The 11-point outline, in pixels from the window's top-left corner.
QVector<QPoint> outline();

// A control's rectangle from its twips, in logical pixels.
QRect pixels(int left, int top, int width, int height);

} // namespace PlayerLayout
