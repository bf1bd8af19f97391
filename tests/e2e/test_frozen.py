"""The program frozen as Modern Standby freezes desktop programs: its process
stopped (SIGSTOP) and continued (SIGCONT) with no power notice at all. Frozen
across a clock time, and while the confirmation counts: on the thaw nothing
acts, and one notice says what was stopped (recording build)."""
import os
import signal
import subprocess
import time

from harness import Harness
from power_e2e import arm_due_now, click_start, install_with_options, wait_for

CONFIRM = "Noctil !"
NOTICE = "Noctil - お知らせ"


def freeze(h, seconds):
    """Stops every process of this run's program for `seconds`, as the system
    does; the Wine server and the display run on."""
    found = subprocess.run(["pgrep", "-f", os.path.basename(h.workdir)], capture_output=True, text=True).stdout
    pids = [int(pid) for pid in found.split()]
    for pid in pids:
        os.kill(pid, signal.SIGSTOP)
    time.sleep(seconds)
    for pid in pids:
        os.kill(pid, signal.SIGCONT)
    return pids


def notice_text(h):
    rc, text = h.probe("dialog", NOTICE)
    return text if rc == 0 else None


def seam_log(app):
    path = os.path.join(app, "seam.log")
    return open(path).read() if os.path.exists(path) else ""


h = Harness()
app = install_with_options(h, silent=1)
proc = h.start(app)
h.check(h.wait_window(), "main window appears")

# The clock time 20 s ahead, and the program frozen for 30 s.
click_start(h)
h.check(h.probe("dialog", CONFIRM)[0] != 0, "armed, no confirmation yet")
h.check(len(freeze(h, 30)) > 0, "the program's processes were found and frozen")
confirmations = []


def confirmation_or_notice():
    if h.probe("dialog", CONFIRM)[0] == 0:
        confirmations.append(time.time())
    return notice_text(h) is not None


shown = wait_for(confirmation_or_notice, 15, 0.3)
text = notice_text(h) or ""
h.check(shown is not None and "スリープ" in text, "a notice after the thaw says the time passed asleep", text)
wait_for(lambda: confirmation_or_notice() and False, 5, 0.3)
h.check(confirmations == [], "no confirmation opens", len(confirmations))
h.probe("press", NOTICE, 1)
wait_for(lambda: notice_text(h) is None, 10, 0.3)
h.check(h.exit_program(proc) == 0, "Exit ends the program")

# The confirmation counting, and the program frozen for 15 s in it (a new
# start: the first clock time has passed).
proc = h.start(app)
h.check(h.wait_window(), "main window appears again")
h.check(arm_due_now(h), "the confirmation opens when the target is reached")
freeze(h, 15)
gone = wait_for(lambda: h.probe("dialog", CONFIRM)[0] != 0, 5, 0.2)
h.check(gone is not None, "the confirmation ends at once after the thaw", gone)
shown = wait_for(lambda: notice_text(h) is not None, 10, 0.3)
text = notice_text(h) or ""
h.check(shown is not None and "確認の途中" in text, "a notice says the confirmation was stopped", text)
time.sleep(12)  # past the confirmation's ten seconds
h.check(seam_log(app) == "", "no power action, ever", seam_log(app))

h.probe("press", NOTICE, 1)
h.check(h.exit_program(proc) == 0, "Exit ends the program")
h.finish()
