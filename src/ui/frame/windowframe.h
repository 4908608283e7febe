#pragma once

#include "core/geometry/dockgeometry.h"
#include "ui/skin/skin.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

struct AppState;
class HotSpot;
class QWidget;

// Gives a borderless window what a system frame would: snapping to the screen
// edges, docking with its partner window, the full and compact heights and,
// for the playlist, the lock button. The rules live in DockGeometry; this
// class reads the windows in twips, applies the results and nothing more.
//
// Coordinates are taken relative to the top-left corner of the screen the
// window is on, so on a second screen the window snaps to that screen's edges
// and the partner docks in the same frame of reference.
class WindowFrame : public QObject
{
    Q_OBJECT
public:
    WindowFrame(QWidget *window, DockGeometry::Side side, AppState &state);

    // The window this one docks with; none until it is set, and none again
    // once that window is destroyed.
    void setPartner(QWidget *partner) { m_partner = partner; }

    void snapAndDock();
    void restoreHeight();
    void rollUp();
    void toggleHeight();

    // Switches between locked and separate; on the playlist frame only.
    // Returns false when the lock mode is neither and nothing changed.
    bool toggleLock();

    // Makes the button toggle the lock and show the matching picture.
    void attachLockButton(HotSpot *button);

    // The lock button's picture for a lock mode ("lock-locked" or "lock-separate").
    static Skin::Picture lockPicture(LockMode lockMode);

private:
    QRect screenArea() const;
    DockGeometry::Box read(const QWidget *window, QPoint origin) const;
    void apply(QWidget *window, const DockGeometry::Box &before, const DockGeometry::Box &after,
        QPoint origin) const;
    void setHeight(int height);
    void showLockPicture(HotSpot *button) const;

    QWidget *m_window;
    DockGeometry::Side m_side;
    AppState &m_state;
    QPointer<QWidget> m_partner;
};
