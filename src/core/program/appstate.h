#pragma once

#include "core/geometry/lockmode.h"

// State shared by all windows for the whole run.
struct AppState
{
    LockMode lockMode = LockMode::None;
    // The user was told that the application folder cannot hold the list.
    bool toldListCannotBeSaved = false;
};
