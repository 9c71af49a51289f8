/* Starts a program and prints how many milliseconds pass until its first
 * top-level window is mapped and shows a frame the program painted, then
 * kills it. Used by startup_bench.sh under Xvfb.
 *
 * The X server reports a first DAMAGE on a freshly mapped window before the
 * program has painted anything (the window is filled with one colour), so a
 * damage report counts only once the window holds more than one colour.
 *
 *   orvane-first-frame PROGRAM [ARGS...]
 */
#define _DEFAULT_SOURCE

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/* True when the window shows more than a single flat colour. Seven rows
 * across it are read, not the whole window: reading megabytes from the X
 * server would hold up the drawing being measured. */
static int painted(Display *dpy, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy, window, &attributes) || attributes.map_state != IsViewable)
        return 0;
    int result = 0;
    int have_first = 0;
    unsigned long first = 0;
    for (int k = 1; k <= 7 && !result; ++k) {
        const int y = attributes.height * k / 8;
        XImage *row = XGetImage(dpy, window, 0, y, attributes.width, 1, AllPlanes, ZPixmap);
        if (!row)
            continue;
        if (!have_first) {
            first = XGetPixel(row, 0, 0);
            have_first = 1;
        }
        for (int x = 0; x < row->width; ++x) {
            if (XGetPixel(row, x, 0) != first) {
                result = 1;
                break;
            }
        }
        XDestroyImage(row);
    }
    return result;
}

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: orvane-first-frame PROGRAM [ARGS...]\n");
        return 2;
    }
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "no X display\n");
        return 2;
    }
    int damage_event, damage_error;
    if (!XDamageQueryExtension(dpy, &damage_event, &damage_error)) {
        fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    double start = now_ms();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    int result = 1;
    double deadline = start + 20000;
    while (now_ms() < deadline) {
        if (!XPending(dpy)) {
            int status;
            if (waitpid(child, &status, WNOHANG) == child) {
                fprintf(stderr, "the program ended before it drew a window\n");
                return 1;
            }
            usleep(200);
            continue;
        }
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (ev.type == MapNotify && ev.xmap.event == root && !ev.xmap.override_redirect) {
            XDamageCreate(dpy, ev.xmap.window, XDamageReportNonEmpty);
            XSync(dpy, False);
        } else if (ev.type == damage_event + XDamageNotify) {
            const double at = now_ms() - start;
            const XDamageNotifyEvent *damage = (const XDamageNotifyEvent *)&ev;
            XDamageSubtract(dpy, damage->damage, None, None);
            if (!painted(dpy, damage->drawable))
                continue;
            printf("%.1f\n", at);
            result = 0;
            break;
        }
    }
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    XCloseDisplay(dpy);
    if (result)
        fprintf(stderr, "no frame within 20 s\n");
    return result;
}
