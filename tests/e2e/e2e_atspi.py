#!/usr/bin/python3
"""Enters and saves one dowsing record in the real program through the
accessibility interface only (AT-SPI, as a screen reader or another
assistive tool would): the program is found on the accessibility bus, its
buttons are pressed by their accessible action, the boxes are found by the
names a screen reader reads out and filled through the editable-text
interface (the six date and time lists are called by their captions, never
by the entry they show), the confirmation is read from the tree and
answered; the list's find bar then announces its count on the bus as it
changes, the focus staying in its box; and the program is left through its
exit screen.

Run with Debian's /usr/bin/python3 (python3-pyatspi) inside dbus-run-session,
in an X server:

    e2e_atspi.py PROGRAM PID_FILE

Prints one line per step; exits 0 when every step passed, 1 on the first
failure, saying what was expected and what was found.
"""

import os
import signal
import subprocess
import sys
import time

FRAME = "Orvane Dowsing v1.55"
EXIT_SCREEN = "Thank You For Using Orvane Dowsing"
TITLE = "Orvane Dowsing"
SAVED = "Record Saved Succesfully !"
HINT = "Click On Add New Record To Enter New Customer Details"

# What is put into each box, by the name a screen reader reads for it.
CUSTOMER = [
    ("Name:-", "JANE DOE"),
    ("Address:-", "12 Mill Lane\nUpper Green"),
    ("City:-", "BATH"),
    ("State:-", "SOMERSET"),
    ("Pin Number:-", "BA1 2XY"),
    ("Phone Number:-", "01225.555"),
    ("Email Address:-", "jane@example.org"),
    ("Location:-", "NORTH FIELD"),
]
TOOLS = [("Dowsing Tool", "Hazel Fork"), ("Dowsing Item", "Old Well")]
# The date and time lists by the names a screen reader reads, with the entry
# each shows at first.
LISTS = [("Hour", "00"), ("Minute", "00"), ("AM or PM", "AM"), ("Month", "January"),
         ("Date", "1"), ("Year", "1900")]
FIND_COUNT = "1 of 1 records"
NOTES = [("Notes", "Water at 3 m; strong pull.")]

STARTED = time.monotonic()


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr, flush=True)
    sys.exit(1)


def ok(message):
    print(f"ok: {message} ({time.monotonic() - STARTED:.1f} s)", flush=True)


def on_alarm(signum, frame):
    fail("the accessibility test did not finish within its time limit")


try:
    import pyatspi
    from gi.repository import GLib
except ImportError as error:
    fail(f"python3-pyatspi cannot be imported ({error}): install python3-pyatspi and run "
         "this with /usr/bin/python3")


def check_bus():
    """Says why AT-SPI cannot work here, before anything waits for it."""
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        fail("no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set): run this inside "
             "dbus-run-session")
    if not os.environ.get("DISPLAY"):
        fail("no X display (DISPLAY is not set)")
    launchers = ["/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"]
    if not any(os.path.exists(path) for path in launchers):
        fail("the accessibility bus launcher is missing: install at-spi2-core")


# --- Looking things up in the tree ------------------------------------------

def role(acc):
    try:
        return acc.getRoleName()
    except Exception:
        return ""


def has_state(acc, state):
    try:
        return acc.getState().contains(state)
    except Exception:
        return False


def showing(acc):
    return has_state(acc, pyatspi.STATE_SHOWING)


def children(acc):
    try:
        count = acc.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield child


def find_all(root, predicate):
    """Every node under root that matches; the entries of a drop-down list
    are not walked (a year list alone has 151)."""
    found = []
    stack = [root]
    while stack:
        node = stack.pop()
        if predicate(node):
            found.append(node)
        if role(node) == "list" and role(node.parent) == "combo box":
            continue
        stack.extend(reversed(list(children(node))))
    return found


def wait_for(root, predicate, what, timeout=10.0):
    deadline = time.monotonic() + timeout
    while True:
        found = find_all(root, predicate)
        if found:
            return found[0]
        if time.monotonic() > deadline:
            fail(f"{what} did not appear within {timeout:.0f} s")
        time.sleep(0.1)


def named(role_name, name, shown=True):
    return lambda acc: (role(acc) == role_name and acc.name == name
                        and (not shown or showing(acc)))


def press(acc, what):
    """Presses a button by its accessible action, as an assistive tool does."""
    try:
        action = acc.queryAction()
    except NotImplementedError:
        fail(f"{what} offers no accessible action")
    names = [action.getName(i) for i in range(action.nActions)]
    for i, name in enumerate(names):
        if name.lower() in ("press", "click"):
            if not action.doAction(i):
                fail(f"pressing {what} through its accessible action was refused")
            return
    fail(f"{what} has no press action (it offers {names})")


def text_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def fill(root, name, value):
    box = wait_for(root, named("text", name), f'the box named "{name}"')
    if not has_state(box, pyatspi.STATE_ENABLED) or not has_state(box, pyatspi.STATE_EDITABLE):
        fail(f'the box named "{name}" does not take text')
    try:
        editable = box.queryEditableText()
    except NotImplementedError:
        fail(f'the box named "{name}" offers no editable-text interface')
    editable.setTextContents(value)
    if text_of(box) != value:
        fail(f'the box named "{name}" holds {text_of(box)!r} after setting {value!r}')


def window_of(app, predicate, what, timeout=10.0):
    """A top-level window of the program (frame, message box, exit screen)."""
    deadline = time.monotonic() + timeout
    while True:
        for window in children(app):
            if showing(window) and predicate(window):
                return window
        if time.monotonic() > deadline:
            fail(f"{what} did not appear within {timeout:.0f} s")
        time.sleep(0.1)


def message_box(app, timeout=10.0):
    return window_of(app, lambda w: role(w) in ("alert", "dialog") and w.name == TITLE,
                     f'a message box titled "{TITLE}"', timeout)


def texts_in(window):
    return [acc.name for acc in find_all(window, lambda a: role(a) == "label" and a.name)]


def hear_find_count(app, frame):
    """Opens the list with its find bar and types into it: a screen reader
    must be told the new count, by an event it speaks (a notification
    showing anew), not only by a changed name; and the focus stays in the
    box: the grid's row that the result makes current is not reported as
    focused while the keyboard is in the box."""
    heard = []
    cells = []

    def listen(event):
        try:
            if role(event.source) == "notification" and event.detail1 == 1:
                heard.append(event.source.name)
        except Exception:
            pass

    def focused(event):
        try:
            if event.detail1 == 1 and role(event.source) == "table cell":
                cells.append(event.source.name)
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(listen, "object:state-changed:showing")
    press(wait_for(frame, named("push button", "View All Records"), '"View All Records"'),
          '"View All Records"')
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", FRAME],
                            capture_output=True, text=True).stdout.split()
    if not window:
        fail("the frame window cannot be found to press Ctrl+F in it")
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+f"], check=False)
    box = wait_for(frame, named("text", "Find"), 'the find box named "Find"')
    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    box.queryEditableText().setTextContents("jane")
    context = GLib.MainContext.default()
    deadline = time.monotonic() + 10
    while FIND_COUNT not in heard:
        if time.monotonic() > deadline:
            fail(f'no spoken event told the count "{FIND_COUNT}" (heard {heard})')
        context.iteration(False)
        time.sleep(0.02)
    # The result's current row comes with the count.
    deadline = time.monotonic() + 0.5
    while time.monotonic() < deadline:
        context.iteration(False)
        time.sleep(0.02)
    pyatspi.Registry.deregisterEventListener(listen, "object:state-changed:showing")
    pyatspi.Registry.deregisterEventListener(focused, "object:state-changed:focused")
    if "Searching..." in heard:
        fail(f'"Searching..." was spoken among the counts: {heard}')
    ok(f'typing in the find bar has "{FIND_COUNT}" announced to screen readers')
    if cells:
        fail(f"the find's result took a screen reader's focus from the find box to {cells}")
    if not has_state(box, pyatspi.STATE_FOCUSED):
        fail("the find box lost the focus to the find's result")
    ok("the find's result leaves a screen reader's focus in the find box")


# --- The run -------------------------------------------------------------

def find_program(pid, timeout=20.0):
    desktop = pyatspi.Registry.getDesktop(0)
    deadline = time.monotonic() + timeout
    while True:
        for app in children(desktop):
            try:
                if app.get_process_id() == pid:
                    return app
            except Exception:
                continue
        if time.monotonic() > deadline:
            fail(f"the program (process {pid}) did not appear on the accessibility bus within "
                 f"{timeout:.0f} s; it must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on "
                 "the same session bus")
        time.sleep(0.1)


def run(program, pid_file):
    check_bus()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], env=env)
    with open(pid_file, "w") as out:
        out.write(f"{process.pid}\n")
    try:
        drive(process)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def drive(process):
    app = find_program(process.pid)
    frame = window_of(app, lambda w: role(w) == "frame" and w.name == FRAME,
                      f'the frame window "{FRAME}"', 20.0)
    ok(f'the program is on the accessibility bus with its frame window "{FRAME}"')

    # The banners' and the hint line's links are links the keyboard reaches.
    wait_for(frame, named("link", HINT), f'the hint line\'s link "{HINT}"')
    links = find_all(frame, lambda a: role(a) == "link" and showing(a))
    unreachable = [a.name for a in links if not has_state(a, pyatspi.STATE_FOCUSABLE)]
    if len(links) != 3 or unreachable:
        fail(f"expected three links the keyboard reaches, found {len(links)}; "
             f"not focusable: {unreachable}")
    ok("the two banner links and the hint line's link are links the keyboard reaches")

    # The pages are locked until "Add New Record".
    name_box = wait_for(frame, named("text", "Name:-"), 'the box named "Name:-"')
    if has_state(name_box, pyatspi.STATE_ENABLED):
        fail('the customer page is not locked before "Add New Record"')
    press(wait_for(frame, named("push button", "Add New Record"), '"Add New Record"'),
          '"Add New Record"')
    deadline = time.monotonic() + 10
    while not has_state(name_box, pyatspi.STATE_ENABLED):
        if time.monotonic() > deadline:
            fail('"Add New Record" did not unlock the customer page')
        time.sleep(0.1)
    ok('"Add New Record" pressed by its accessible action unlocks the pages')

    for name, value in CUSTOMER:
        fill(frame, name, value)
    ok("the eight customer boxes, found by their names, take their text")

    press(wait_for(frame, named("push button", "Next >>"), '"Next >>" on the customer page'),
          '"Next >>"')
    wait_for(frame, named("text", "Dowsing Tool"), "the tools page")
    for name, value in TOOLS:
        fill(frame, name, value)
    for name, shown in LISTS:
        combo = wait_for(frame, named("combo box", name), f'the list named "{name}"')
        if text_of(combo) != shown:
            fail(f'the list named "{name}" reads {text_of(combo)!r}, not {shown!r}')
    unnamed = [acc.name for acc in find_all(frame, lambda a: role(a) == "combo box" and showing(a))
               if acc.name in [shown for _, shown in LISTS]]
    if unnamed:
        fail(f"lists are still called by the entry they show: {unnamed}")
    ok("the six date and time lists are called by their captions, their entries read as text")
    press(wait_for(frame, named("push button", "Next >>"), '"Next >>" on the tools page'),
          '"Next >>"')
    wait_for(frame, named("text", "Notes"), "the notes page")
    for name, value in NOTES:
        fill(frame, name, value)
    ok("Next, Next: the tool, item and notes boxes take their text")

    press(wait_for(frame, named("push button", "Add"), '"Add"'), '"Add"')
    box = message_box(app)
    said = texts_in(box)
    if SAVED not in said:
        fail(f'the message box reads {said}, not "{SAVED}"')
    ok(f'the message box reads "{SAVED}"')
    press(wait_for(box, named("push button", "OK"), 'the message box\'s "OK"'), '"OK"')
    deadline = time.monotonic() + 10
    while any(role(w) in ("alert", "dialog") and w.name == TITLE and showing(w)
              for w in children(app)):
        if time.monotonic() > deadline:
            fail('the message box stayed after its "OK" was pressed')
        time.sleep(0.1)

    # The form is cleared and locked for the next record.
    name_box = wait_for(frame, named("text", "Name:-"), 'the box named "Name:-"')
    deadline = time.monotonic() + 10
    while text_of(name_box) or has_state(name_box, pyatspi.STATE_ENABLED):
        if time.monotonic() > deadline:
            fail(f"the form was not cleared and locked after the save (name box: "
                 f"{text_of(name_box)!r})")
        time.sleep(0.1)
    ok("the form is cleared and locked again")

    hear_find_count(app, frame)

    press(wait_for(frame, named("push button", "Back"), 'the list\'s "Back"'), '"Back"')
    press(wait_for(frame, named("push button", "Exit"), '"Exit"'), '"Exit"')
    screen = window_of(app, lambda w: w.name == EXIT_SCREEN, "the exit screen")
    if role(screen) != "frame":
        fail(f'the exit screen is announced as a "{role(screen)}", not as a window ("frame")')
    ok("the exit screen is announced as a window")
    press(wait_for(screen, named("push button", "Exit"), 'the exit screen\'s "Exit"'),
          'the exit screen\'s "Exit"')
    try:
        code = process.wait(timeout=15)
    except subprocess.TimeoutExpired:
        fail("the program did not end after its exit screen was closed")
    if code != 0:
        fail(f"the program ended with exit code {code}")
    ok("Exit and the exit screen's Exit, pressed through AT-SPI, end the program")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        fail("usage: e2e_atspi.py PROGRAM PID_FILE")
    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(150)
    run(sys.argv[1], sys.argv[2])
