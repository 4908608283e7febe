#pragma once

#include <QRect>
#include <QSize>

// Window geometry is kept in twips; 15 twips make one logical pixel at every
// scale factor. Convert only where a widget is moved or read.
inline constexpr int kTwipsPerPixel = 15;

// To the nearest pixel, halves away from zero, so that a position and its
// mirror image round alike.
constexpr int twipsToPixels(int twips)
{
    const int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}

constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// A control's place as a layout gives it, in twips.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The place in logical pixels, each edge and length rounded on its own.
constexpr QRect twipsRect(TwipsRect twips)
{
    return { twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
        twipsToPixels(twips.height) };
}

constexpr QSize twipsSize(int width, int height)
{
    return { twipsToPixels(width), twipsToPixels(height) };
}
