#pragma once

#include <QtGlobal>

// State shared by all windows for the whole run.
struct AppState
{
    // Signed 64-bit count of ten-thousandths: 10600 is version 1.06.
    qint64 programVersion = 0;
    // 1: player and playlist windows are docked and act together; 2: separate.
    qint32 lockMode = 0;
};

inline constexpr qint64 kProgramVersion = 10600;
