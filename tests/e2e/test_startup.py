"""Start-up: one window of its own look, one instance, the command line, exit."""
import os
import time

from harness import Harness

h = Harness()
app = h.install()

# A plain start: the caption-less 220 x 65 window, topmost by default.
first = h.start(app)
h.check(h.wait_window(), "main window appears (class and title Noctil)")
info = h.info()
h.check(info is not None and (info["width"], info["height"]) == (220, 65), "window is 220 x 65", info)
WS_POPUP, WS_SYSMENU, WS_CAPTION = 0x80000000, 0x00080000, 0x00C00000
h.check(info and info["style"] & WS_POPUP and info["style"] & WS_SYSMENU and not info["style"] & WS_CAPTION,
        "popup window without caption", info and hex(info["style"]))
h.check(info and (info["left"], info["top"]) == (100, 100), "opens at 100, 100", info)
h.check(info and info["topmost"] == 1, "always on top by default", info)
shot = h.screenshot("startup.png", info)
h.check(shot is not None, "screenshot of the window saved")

# A second start only brings the first one back, also from the notification area.
h.command(40027)
time.sleep(1)
h.check(h.info()["visible"] == 0, "tray command hides the window")
second = h.start(app, ["7", "t"])
try:
    rc = second.wait(timeout=60)
except Exception:
    rc = None
h.check(rc == 0, "second instance exits with 0", rc)
h.check(h.probe("count")[1] == "1", "still exactly one main window", h.probe("count")[1])
time.sleep(1)
h.check(h.info()["visible"] == 1, "second start restores the hidden window")

# Exit through the menu command ends the process with 0; nothing reached the system.
h.check(h.exit_program(first) == 0, "exit command ends the program with 0")
h.check(h.wait_gone(10000), "main window is gone")
log = os.path.join(app, "seam.log")
h.check(not os.path.exists(log), "no system-changing call was made",
        open(log).read() if os.path.exists(log) else None)

# The command line "7 t": armed for the next 07:00 and hidden into the notification area.
third = h.start(app, ["7", "t"])
h.check(h.wait_window(), "started with 7 t")
time.sleep(2)
info = h.info()
h.check(info is not None and info["visible"] == 0, "hidden into the notification area", info)
h.check(h.exit_program(third) == 0, "exits with 0")

h.finish()
