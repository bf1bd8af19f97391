"""What differs between the Windows families, run once per reported version
(NOCTIL_WINVER): the click sound, the question before the force-if-hung
option, and the forced exit that first ends explorer.exe on the 9x family."""
import os
import time

from harness import Harness
from power_e2e import options_bytes, options_fields, arm_due_now, wait_for

h = Harness()
version = os.environ.get("NOCTIL_WINVER") or "win10"
nine_x = version in ("win95", "win98", "winme")
print("Windows version reported: %s" % version)

# The force-if-hung option: the 9x family asks first (here answered OK).
app = h.install(subdir="hung")
gid = os.path.join(app, "noctil.gid")
with open(gid, "wb") as f:
    f.write(options_bytes())
proc = h.start(app)
h.check(h.wait_window(), "main window appears")
h.command(40042)
asked = wait_for(lambda: h.probe("dialog", "EWX_FORCEIFHUNG")[0] == 0, 8 if nine_x else 3, 0.2)
h.check((asked is not None) == nine_x, "the force-if-hung question %s" % ("is asked" if nine_x else "is not asked"))
if asked is not None:
    h.probe("press", "EWX_FORCEIFHUNG", 1)
    time.sleep(1)
h.check(h.exit_program(proc) == 0, "program ends")
h.check(options_fields(open(gid, "rb").read())["forceIfHung"] == 1, "the option is switched on")

# The click and a forced shutdown behind the notice (recording build).
app = h.install(subdir="forced")
with open(os.path.join(app, "noctil.gid"), "wb") as f:
    f.write(options_bytes(force_action=1, silent=0))
log = os.path.join(app, "seam.log")
calls = lambda: open(log).read().splitlines() if os.path.exists(log) else []
proc = h.start(app)
h.check(h.wait_window(), "main window appears")
arm_due_now(h)
click = "MessageBeep 0xFFFFFFFF" if nine_x else "Beep 37 3"
h.check(wait_for(lambda: calls(), 5) is not None and calls()[0] == click, "the click is %s" % click, calls()[:1])
done = wait_for(lambda: any(c.startswith("ExitWindowsEx") for c in calls()), 60, 0.5)
actions = [c for c in calls() if "Beep" not in c]
h.check(done is not None and actions[-1] == "ExitWindowsEx 0x0D 0x0", "a forced shutdown ends it", actions)
ended = [c for c in actions if c.startswith("TerminateProcess")]
if nine_x:
    h.check(ended and all(c.split()[2].lower() == "explorer.exe" for c in ended),
            "explorer.exe is ended first", ended)
else:
    h.check(not ended, "no process is ended", ended)
h.exit_program(proc)

h.finish()
