"""A forced shutdown armed from the face waits behind the notice; leaving the
program during that wait cancels it (recording build: nothing really happens)."""
import os
import time

from harness import Harness
from power_e2e import options_bytes, arm_due_now, wait_for, notice, centred

h = Harness()
app = h.install()
with open(os.path.join(app, "noctil.gid"), "wb") as f:
    f.write(options_bytes(force_action=1, silent=1))
log = os.path.join(app, "seam.log")

proc = h.start(app)
h.check(h.wait_window(), "main window appears")
arm_due_now(h)
took = wait_for(lambda: h.probe("dialog", "Noctil !")[0] == 0, 10, 0.2)
h.check(took is not None, "the confirmation opens when the target is reached", took)
took = wait_for(lambda: notice(h) is not None, 20, 0.2)
h.check(took is not None and 8 <= took <= 13, "about ten seconds later the wait notice is shown", took)
n = notice(h)
h.check(n is not None and n["topmost"] == 1 and centred(n), "the notice is centred and on top", n)
h.check(not os.path.exists(log), "nothing done during the wait")

h.command(40001)
try:
    rc = proc.wait(timeout=20)
except Exception:
    rc = None
h.check(rc == 0, "Exit during the wait ends the program", rc)
time.sleep(6.5)  # past the end of the wait
h.check(not os.path.exists(log), "the action never came",
        open(log).read() if os.path.exists(log) else None)

h.finish()
