#pragma once

#include <QFont>

// Maps the "宋体"/"SimSun" family onto the Song/Ming faces installed here and
// makes 宋体 9 pt the application font. Waits for the reading of the font
// configuration, if one was started.
void installSongFont();

// 宋体 9 pt, for controls that keep it under a style of their own.
QFont songFont();

// Starts reading the font configuration on a worker thread. The first control
// with text otherwise reads it on the window thread before any window shows
// (about a quarter of the work of a start); begun before the application
// object, it is done by then. Later calls do nothing.
void startReadingFontConfiguration();
