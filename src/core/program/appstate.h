#pragma once

#include <QtGlobal>

// The window lock mode shared by the player and playlist windows. It stays a
// plain number: any other value (0 before start-up) means neither mode.
namespace LockMode {
inline constexpr qint32 Locked = 1; // docked: they move and change height together
inline constexpr qint32 Separate = 2; // each window moves and changes height alone
} // namespace LockMode

// State shared by all windows for the whole run.
struct AppState
{
    qint32 lockMode = 0;
    // The user was told that the application folder cannot hold the list.
    bool toldListCannotBeSaved = false;
};
