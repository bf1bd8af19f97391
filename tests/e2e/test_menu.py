"""The popup menu on the real window: right click on the face and on the top
bar, a click on the menu icon, the notification-area callback; Escape closes
it, its Exit entry ends the program."""
import subprocess
import time

from harness import Harness, wait_for

WM_TRAY_CALLBACK = 0x0400
WM_RBUTTONDOWN = 0x0204


def xdotool(*args):
    out = subprocess.run(["xdotool", *[str(a) for a in args]], capture_output=True, timeout=30)
    return out.stdout.decode("utf-8", "replace")


def menu_windows():
    """Visible X windows of the program without a title: its popup menus."""
    found = []
    for wid in xdotool("search", "--onlyvisible", "--class", "^noctil\\.exe$").split():
        if xdotool("getwindowname", wid).strip() != "":
            continue  # the main window is titled Noctil
        geometry = xdotool("getwindowgeometry", wid)
        pos = geometry.split("Position:")[1].split()[0].split(",")
        found.append((int(pos[0]), int(pos[1])))
    return found


def open_and_close(h, what, open_menu, expected_at):
    open_menu()
    menus = wait_for(menu_windows)
    h.check(len(menus) == 1, "%s: the popup menu appears" % what, menus)
    if menus:
        h.check(menus[0] == expected_at, "%s: it opens at %r" % (what, expected_at), menus[0])
    xdotool("key", "Escape")
    h.check(wait_for(lambda: not menu_windows()), "%s: Escape closes it" % what, menu_windows())
    time.sleep(0.7)  # past the double-click time before the next click


h = Harness()
app = h.install()
proc = h.start(app)
h.check(h.wait_window(), "main window appears")
time.sleep(1)
info = h.info()
left, top = info["left"], info["top"]

face = (left + 110, top + 40)
open_and_close(h, "right click on the face",
               lambda: xdotool("mousemove", *face, "click", "3"), face)

bar = (left + 100, top + 5)
open_and_close(h, "right click on the top bar",
               lambda: xdotool("mousemove", *bar, "click", "3"), bar)

open_and_close(h, "click on the menu icon",
               lambda: xdotool("mousemove", left + 9, top + 4, "click", "1"), (left + 2, top + 12))

cursor = (400, 300)
open_and_close(h, "right click on the notification-area icon",
               lambda: (xdotool("mousemove", *cursor), h.probe("post", WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN)),
               cursor)

h.check(h.info() is not None, "the program still runs after the menus")

# Exit through the menu itself (its access key x).
h.probe("post", WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN)
h.check(bool(wait_for(menu_windows)), "menu open for the exit entry")
xdotool("key", "x")
try:
    rc = proc.wait(timeout=30)
except subprocess.TimeoutExpired:
    rc = None
h.check(rc == 0, "the exit entry ends the program with 0", rc)

h.finish()
