"""While the ten-second confirmation is open: a second start and the
notification-area icon bring the confirmation to the front (not the disabled
main window, not the menu over it), and Exit ends the program quietly, with
no power action (recording build)."""
import os
import subprocess
import time

from harness import Harness
from power_e2e import arm_due_now, install_with_options, wait_for

CONFIRM = "Noctil !"
WM_TRAY_CALLBACK, WM_RBUTTONDOWN = 0x0400, 0x0204


def foreground():
    return h.probe("foreground")[1]


def elsewhere(title):
    """Another program's window, which takes the front."""
    h.procs.append(subprocess.Popen([h.wine_run, h.probe_exe, "window", title, "600", "400", "60000"]))
    return wait_for(lambda: foreground() == title, 10) is not None


h = Harness()
app = install_with_options(h, silent=1)
proc = h.start(app)
h.check(h.wait_window(), "main window appears")
arm_due_now(h)
h.check(wait_for(lambda: h.probe("dialog", CONFIRM)[0] == 0, 10) is not None, "the confirmation opens")


h.check(elsewhere("elsewhere 1"), "another program comes to the front")
second = h.start(app)
h.check(second.wait(timeout=60) == 0, "a second start ends with 0")
h.check(wait_for(lambda: foreground() == CONFIRM, 5) is not None, "and brings the confirmation forward", foreground())

h.check(elsewhere("elsewhere 2"), "another program comes to the front again")
h.probe("post", WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN)
h.check(wait_for(lambda: foreground() == CONFIRM, 5) is not None, "the icon brings the confirmation forward",
        foreground())
shown = h.probe("windows")[1].splitlines()
h.check(not any(w.startswith("#32768") for w in shown), "and opens no menu over it", shown)

h.check(h.exit_program(proc) == 0, "Exit during the confirmation ends the program with 0")
time.sleep(1)
log = os.path.join(app, "seam.log")
calls = open(log).read() if os.path.exists(log) else ""
h.check("ExitWindowsEx" not in calls, "no power action", calls)
h.finish()
