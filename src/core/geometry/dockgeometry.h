#pragma once

#include "core/geometry/lockmode.h"

#include <QtGlobal>

#include <optional>

// Snapping, docking, heights and the lock toggle of the player and playlist
// windows, on plain values in twips (15 to a logical pixel). Positions are
// relative to the top-left corner of the screen the moving window is on.
namespace DockGeometry {

inline constexpr int kSnapMargin = 500;
inline constexpr int kFullHeight = 2700;
inline constexpr int kCompactHeight = 390;
inline constexpr int kCascadeDrop = 1000;
inline constexpr int kCascadeShift = 2500;

struct Box
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Box &, const Box &) = default;
};

// Which window a frame belongs to; the other one is its partner.
enum class Side { Player, Playlist };

// A window and its partner, if the partner exists.
struct Windows
{
    Box self;
    std::optional<Box> partner;

    friend bool operator==(const Windows &, const Windows &) = default;
};

// Pulls a window to the top edge and to the left or right edge when it is
// within the snap margin; the right edge wins on a narrow screen.
Box snapToEdges(Box window, int screenWidth);

// The partner moved against the window: the playlist stands at the player's
// right edge, tops level.
Box docked(Side side, const Box &self, Box partner);

// Snaps the window and, when locked, brings the partner to the docked place.
Windows snapAndDock(Windows windows, Side side, int screenWidth, LockMode lockMode);

// Sets the height of both windows when locked, of this one when separate,
// and of none in any other mode.
Windows setHeight(Windows windows, int height, LockMode lockMode);

// The height a double click switches to: full and compact swap, any other
// height stays.
std::optional<int> toggledHeight(int height);

struct LockToggle
{
    Box player;
    Box playlist;
    LockMode lockMode = LockMode::None;
    bool changed = false;
    bool playerToFront = false;
};

// The lock button: locked → separate cascades the windows (playlist one step
// down, player over it, in front); separate → locked docks the player to the
// playlist where it stands. Any other mode changes nothing.
LockToggle toggleLock(const Box &player, const Box &playlist, LockMode lockMode);

} // namespace DockGeometry
