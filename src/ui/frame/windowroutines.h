#pragma once

#include <QPoint>
#include <QVector>

class QWidget;

// Routines shared by the skinned, borderless windows.
namespace WindowRoutines {

// Keeps the window above ordinary windows (or not). The window keeps its
// place, size and visibility; on X11 this asks the window manager instead of
// re-creating the window.
void setAlwaysOnTop(QWidget *window, bool on);

// Gives the window a polygon outline (points in logical pixels from the
// window's top-left corner, alternate fill). The list may close on its first
// point. The outline does not change when the window's height does.
void applyShape(QWidget *window, const QVector<QPoint> &points);

} // namespace WindowRoutines
