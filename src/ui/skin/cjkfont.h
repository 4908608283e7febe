#pragma once

#include <QFont>

// Maps the "宋体"/"SimSun" family onto the Song/Ming faces installed here and
// makes 宋体 9 pt the application font.
void installSongFont();

// 宋体 9 pt, for controls that keep it under a style of their own.
QFont songFont();
