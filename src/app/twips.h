#pragma once

// Window geometry is kept in twips; 15 twips make one logical pixel at every
// scale factor. Convert only where a widget is moved or read.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
