/* xpaint: start a command and report when each of its top-level windows is
 * mapped and when something is first drawn into it.
 *
 * usage: xpaint -o OUTFILE -- CMD [ARGS...]
 *
 * Needs $DISPLAY and the DAMAGE extension. Watches the root window's children
 * from before the fork: each new top-level window gets a damage object as it
 * is created, so its first drawing is seen however soon it comes. Qt windows
 * have no background for the server to paint, so their first damage is the
 * program's own first paint. Lines, flushed at once, times in ms since just
 * before the fork (CLOCK_MONOTONIC):
 *   map t_ms=<ms> win=0x... w=.. h=..
 *   paint t_ms=<ms> win=0x...
 * Only windows of at least 2x2 pixels are reported. Ends when the command's
 * process does; the harness ends the command.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { kMaxWindows = 64 };

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static int ignore_errors(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0; /* a window may go before it is looked at */
}

struct watched
{
    Window window;
    Damage damage;
    int painted;
};

int main(int argc, char **argv)
{
    const char *outpath = NULL;
    int i = 1;
    for (; i < argc; i++) {
        if (!strcmp(argv[i], "-o") && i + 1 < argc)
            outpath = argv[++i];
        else if (!strcmp(argv[i], "--")) {
            i++;
            break;
        } else
            break;
    }
    if (!outpath || i >= argc) {
        fprintf(stderr, "usage: xpaint -o OUTFILE -- CMD [ARGS...]\n");
        return 2;
    }
    FILE *out = fopen(outpath, "w");
    Display *dpy = XOpenDisplay(NULL);
    if (!out || !dpy) {
        fprintf(stderr, "xpaint: cannot open %s\n", out ? "the display" : outpath);
        return 2;
    }
    int damage_event, damage_error;
    if (!XDamageQueryExtension(dpy, &damage_event, &damage_error)) {
        fprintf(stderr, "xpaint: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);
    fcntl(ConnectionNumber(dpy), F_SETFD, FD_CLOEXEC);

    double t0 = now_ms();
    pid_t child = fork();
    if (child < 0) {
        perror("xpaint: fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[i], &argv[i]);
        fprintf(stderr, "xpaint: exec %s: %s\n", argv[i], strerror(errno));
        _exit(127);
    }
    signal(SIGTERM, SIG_IGN); /* the harness ends the command, not this */

    struct watched windows[kMaxWindows];
    int count = 0;
    for (;;) {
        int status;
        if (waitpid(child, &status, WNOHANG) == child)
            break;
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            double t = now_ms() - t0;
            if (ev.type == CreateNotify && ev.xcreatewindow.parent == root && count < kMaxWindows) {
                windows[count].window = ev.xcreatewindow.window;
                windows[count].damage
                    = XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportNonEmpty);
                windows[count].painted = 0;
                count++;
            } else if (ev.type == MapNotify && ev.xmap.event == root) {
                XWindowAttributes wa;
                if (XGetWindowAttributes(dpy, ev.xmap.window, &wa) && wa.width >= 2
                    && wa.height >= 2)
                    fprintf(out, "map t_ms=%.1f win=0x%lx w=%d h=%d\n", t, ev.xmap.window, wa.width,
                        wa.height);
            } else if (ev.type == damage_event + XDamageNotify) {
                XDamageNotifyEvent *damage = (XDamageNotifyEvent *)&ev;
                for (int w = 0; w < count; w++) {
                    if (windows[w].window != damage->drawable || windows[w].painted)
                        continue;
                    windows[w].painted = 1;
                    XDamageSubtract(dpy, windows[w].damage, None, None);
                    XWindowAttributes wa;
                    if (XGetWindowAttributes(dpy, damage->drawable, &wa) && wa.width >= 2
                        && wa.height >= 2)
                        fprintf(out, "paint t_ms=%.1f win=0x%lx\n", t, damage->drawable);
                }
            }
            fflush(out);
        }
        struct pollfd pfd = { .fd = ConnectionNumber(dpy), .events = POLLIN };
        poll(&pfd, 1, 50); /* the cap only matters for noticing the command's end */
    }
    fclose(out);
    return 0;
}
