/* Presses keys in a window as a user does (through the XTest extension) and
 * prints how many milliseconds pass from the last press until the window's
 * last paint that answers it: the end of the last damage report larger than
 * a text cursor, once QUIET milliseconds pass without another. Used by
 * ui_bench.sh under Xvfb.
 *
 *   orvane-ui-wait WINDOW QUIET KEY...
 *
 * WINDOW is a window id (as xdotool prints it); each KEY is a key sym name,
 * with "ctrl+", "shift+" or "alt+" before it as needed ("ctrl+f", "h",
 * "ctrl+shift+s", "Escape", "Right").
 */
#define _DEFAULT_SOURCE

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void press(Display *dpy, const char *keys)
{
    char copy[128];
    snprintf(copy, sizeof copy, "%s", keys);
    KeyCode modifiers[3];
    int held = 0;
    char *key = copy;
    for (char *plus; (plus = strchr(key, '+')) && plus[1];) {
        *plus = '\0';
        const char *name = strcmp(key, "ctrl") == 0 ? "Control_L"
                : strcmp(key, "shift") == 0     ? "Shift_L"
                : strcmp(key, "alt") == 0       ? "Alt_L"
                                                : key;
        if (held < 3)
            modifiers[held++] = XKeysymToKeycode(dpy, XStringToKeysym(name));
        key = plus + 1;
    }
    const KeyCode code = XKeysymToKeycode(dpy, XStringToKeysym(key));
    if (!code) {
        fprintf(stderr, "no key %s\n", key);
        exit(2);
    }
    for (int i = 0; i < held; ++i)
        XTestFakeKeyEvent(dpy, modifiers[i], True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    for (int i = held - 1; i >= 0; --i)
        XTestFakeKeyEvent(dpy, modifiers[i], False, CurrentTime);
    XFlush(dpy);
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s WINDOW QUIET KEY...\n", argv[0]);
        return 2;
    }
    Display *dpy = XOpenDisplay(NULL);
    int damage_event, damage_error, xtest_event, xtest_error, major, minor;
    if (!dpy || !XDamageQueryExtension(dpy, &damage_event, &damage_error)
        || !XTestQueryExtension(dpy, &xtest_event, &xtest_error, &major, &minor)) {
        fprintf(stderr, "no X server with DAMAGE and XTEST\n");
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const double quiet = atof(argv[2]);
    Damage damage = XDamageCreate(dpy, window, XDamageReportRawRectangles);
    XSync(dpy, False);

    double pressed = 0;
    for (int i = 3; i < argc; ++i) {
        press(dpy, argv[i]);
        pressed = now_ms();
        /* A user types no faster. */
        if (i + 1 < argc) {
            struct timespec pause = {0, 40 * 1000 * 1000};
            nanosleep(&pause, NULL);
        }
    }

    double last = pressed;
    const int fd = ConnectionNumber(dpy);
    for (;;) {
        while (XPending(dpy)) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type != damage_event + XDamageNotify)
                continue;
            const XDamageNotifyEvent *report = (const XDamageNotifyEvent *)&event;
            /* The text cursor's blink repaints a sliver: not an answer. */
            if (report->area.width > 12 && report->area.height > 4)
                last = now_ms();
        }
        const double wait = last + quiet - now_ms();
        if (wait <= 0)
            break;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        struct timeval timeout = {(long)(wait / 1000), (long)((long)wait % 1000) * 1000};
        select(fd + 1, &readable, NULL, NULL, &timeout);
    }
    printf("%.1f\n", last - pressed);
    XDamageDestroy(dpy, damage);
    XCloseDisplay(dpy);
    return 0;
}
