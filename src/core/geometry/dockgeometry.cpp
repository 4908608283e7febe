#include "core/geometry/dockgeometry.h"

#include "core/geometry/twips.h"

namespace DockGeometry {

// The right-edge bounds are compared as single-precision values, so on very
// wide coordinates they round the same way every time.
static double singlePrecision(double value)
{
    return static_cast<double>(static_cast<float>(value));
}

Box snapToEdges(Box window, int screenWidth)
{
    if (window.top < kSnapMargin)
        window.top = 0;
    if (-kSnapMargin < window.left && window.left < kSnapMargin)
        window.left = 0;
    const double right = double(screenWidth) - double(window.width);
    const double low = singlePrecision(right - kSnapMargin);
    const double high = singlePrecision(right + kSnapMargin);
    if (low < window.left && window.left < high)
        window.left = static_cast<int>(right);
    return window;
}

Box docked(Side side, const Box &self, Box partner)
{
    partner.left = side == Side::Player ? self.left + self.width : self.left - partner.width;
    partner.top = self.top;
    return partner;
}

Windows snapAndDock(Windows windows, Side side, int screenWidth, LockMode lockMode)
{
    windows.self = snapToEdges(windows.self, screenWidth);
    if (lockMode == LockMode::Locked && windows.partner)
        windows.partner = docked(side, windows.self, *windows.partner);
    return windows;
}

Windows setHeight(Windows windows, int height, LockMode lockMode)
{
    if (lockMode != LockMode::Locked && lockMode != LockMode::Separate)
        return windows;
    windows.self.height = height;
    if (lockMode == LockMode::Locked && windows.partner)
        windows.partner->height = height;
    return windows;
}

std::optional<int> toggledHeight(int height)
{
    if (height == kFullHeight)
        return kCompactHeight;
    if (height == kCompactHeight)
        return kFullHeight;
    return std::nullopt;
}

LockToggle toggleLock(const Box &player, const Box &playlist, LockMode lockMode)
{
    LockToggle result { player, playlist, lockMode, false, false };
    if (lockMode == LockMode::Locked) {
        result.lockMode = LockMode::Separate;
        result.playlist.top = playlist.top + kCascadeDrop;
        result.player.left = playlist.left - kCascadeShift;
        // Measured from the playlist's new top: the player stays level with
        // where the playlist was, so it only slides sideways.
        result.player.top = result.playlist.top - kCascadeDrop;
        result.playerToFront = true;
        result.changed = true;
    } else if (lockMode == LockMode::Separate) {
        result.lockMode = LockMode::Locked;
        result.player = docked(Side::Playlist, playlist, player);
        result.changed = true;
    }
    return result;
}

} // namespace DockGeometry
