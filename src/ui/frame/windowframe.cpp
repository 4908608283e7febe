#include "ui/frame/windowframe.h"

#include "core/geometry/twips.h"
#include "core/program/appstate.h"
#include "ui/common/hotspot.h"
#include "ui/skin/skin.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

using namespace DockGeometry;

namespace {

// The screen under the window's centre; while a move is still on its way to
// the window system that is more current than the screen Qt last reported.
QScreen *screenOf(const QWidget *window)
{
    if (QScreen *screen = QGuiApplication::screenAt(window->frameGeometry().center()))
        return screen;
    return window->screen();
}

void setWindowHeight(QWidget *window, int pixels)
{
    // Skinned windows are fixed in size; the width stays, and the mask stays
    // too, so a compact window shows the top of the same outline.
    if (window->minimumHeight() == window->maximumHeight())
        window->setFixedHeight(pixels);
    else
        window->resize(window->width(), pixels);
}

} // namespace

WindowFrame::WindowFrame(QWidget *window, Side side, AppState &state)
    : QObject(window)
    , m_window(window)
    , m_side(side)
    , m_state(state)
{
}

void WindowFrame::snapAndDock()
{
    const QRect screen = screenArea();
    const QPoint origin = screen.topLeft();
    QWidget *other = m_partner;
    Windows before { read(m_window, origin), std::nullopt };
    if (other)
        before.partner = read(other, origin);
    const Windows after = DockGeometry::snapAndDock(
        before, m_side, pixelsToTwips(screen.width()), m_state.lockMode);
    apply(m_window, before.self, after.self, origin);
    if (other)
        apply(other, *before.partner, *after.partner, origin);
}

void WindowFrame::restoreHeight()
{
    setHeight(kFullHeight);
}

void WindowFrame::rollUp()
{
    setHeight(kCompactHeight);
}

void WindowFrame::toggleHeight()
{
    if (const std::optional<int> height = toggledHeight(pixelsToTwips(m_window->height())))
        setHeight(*height);
}

void WindowFrame::setHeight(int height)
{
    const QPoint origin = screenArea().topLeft();
    QWidget *other = m_partner;
    Windows before { read(m_window, origin), std::nullopt };
    if (other)
        before.partner = read(other, origin);
    const Windows after = DockGeometry::setHeight(before, height, m_state.lockMode);
    // The player window changes first, then the playlist.
    if (other && m_side == Side::Playlist)
        apply(other, *before.partner, *after.partner, origin);
    apply(m_window, before.self, after.self, origin);
    if (other && m_side == Side::Player)
        apply(other, *before.partner, *after.partner, origin);
}

bool WindowFrame::toggleLock()
{
    const QPoint origin = screenArea().topLeft();
    QWidget *player = m_partner;
    const Box list = read(m_window, origin);
    const Box playerBox = player ? read(player, origin) : Box {};
    const LockToggle result = DockGeometry::toggleLock(playerBox, list, m_state.lockMode);
    if (!result.changed)
        return false;
    m_state.lockMode = result.lockMode;
    apply(m_window, list, result.playlist, origin);
    if (!player)
        return true;
    apply(player, playerBox, result.player, origin);
    if (result.playerToFront) {
        player->raise();
        player->activateWindow();
    }
    return true;
}

void WindowFrame::attachLockButton(HotSpot *button)
{
    connect(button, &HotSpot::clicked, this, [this, button] {
        if (toggleLock())
            showLockPicture(button);
    });
}

Skin::Picture WindowFrame::lockPicture(LockMode lockMode)
{
    return lockMode == LockMode::Locked ? Skin::Picture::LockLocked : Skin::Picture::LockSeparate;
}

void WindowFrame::showLockPicture(HotSpot *button) const
{
    Skin::showPicture(button, lockPicture(m_state.lockMode));
}

QRect WindowFrame::screenArea() const
{
    const QScreen *screen = screenOf(m_window);
    return screen ? screen->geometry() : QRect();
}

Box WindowFrame::read(const QWidget *window, QPoint origin) const
{
    const QPoint at = window->pos() - origin;
    return { pixelsToTwips(at.x()), pixelsToTwips(at.y()), pixelsToTwips(window->width()),
        pixelsToTwips(window->height()) };
}

void WindowFrame::apply(QWidget *window, const Box &before, const Box &after, QPoint origin) const
{
    if (after.height != before.height)
        setWindowHeight(window, twipsToPixels(after.height));
    if (after.left != before.left || after.top != before.top)
        window->move(origin + QPoint(twipsToPixels(after.left), twipsToPixels(after.top)));
}
