#include "ui/frame/windowroutines.h"

#include <QGuiApplication>
#include <QPolygon>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#ifdef TUNVIA_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace WindowRoutines {

#ifdef TUNVIA_HAVE_X11
// Sends _NET_WM_STATE add/remove _NET_WM_STATE_ABOVE to the root window, as
// the EWMH asks for mapped windows. Returns false when X11 is not in use.
static bool requestAboveState(QWidget *window, bool on)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display() || !window->windowHandle())
        return false;
    Display *display = x11->display();
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window->winId());
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = on ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_ABOVE", False));
    event.xclient.data.l[2] = 0;
    event.xclient.data.l[3] = 1; // normal application
    XSendEvent(display, DefaultRootWindow(display), False,
        SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
    return true;
}
#endif

void setAlwaysOnTop(QWidget *window, bool on)
{
    if (!window)
        return;
    if (window->isVisible()) {
#ifdef TUNVIA_HAVE_X11
        if (requestAboveState(window, on))
            return;
#endif
        if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
            return;
        window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        window->show(); // changing the flags hides the window
        return;
    }
    // Not mapped yet: the flag is read when the window is first shown.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
}

void applyShape(QWidget *window, const QVector<QPoint> &points)
{
    if (!window || points.size() < 3)
        return;
    window->setMask(QRegion(QPolygon(points), Qt::OddEvenFill));
}

} // namespace WindowRoutines
