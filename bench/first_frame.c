/* Starts a program and prints how many milliseconds pass until its first
 * top-level window is mapped and first drawn into (an X DAMAGE report), then
 * kills it. Used by startup_bench.sh under Xvfb.
 *
 *   orvane-first-frame PROGRAM [ARGS...]
 */
#define _DEFAULT_SOURCE

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

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
            printf("%.1f\n", now_ms() - start);
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
