#pragma once

// How the player and playlist windows move together: docked, they move and
// change height together; separate, each alone. Before start-up has ended
// the windows are in neither mode.
enum class LockMode { None, Locked, Separate };
