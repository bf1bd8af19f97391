"""Libraries dropped beside the program under the names of the system
libraries it loads at run time are never loaded, even with Wine told to
prefer a copy beside the program (as Windows' own search would): the network
watch (the socket library and, without raw sockets, the echo service) and the
time dialogs (the common controls) take the system's. Each planted copy
writes where it was loaded from into planted.log. (ole32, which noctillink
binds the same way, is a known library of every Windows from 2000 on; Wine
does not model that for the system's own libraries, so it is not planted.)"""
import os
import shutil
import time

from harness import Harness
from power_e2e import wait_for

PLANTED = ["wsock32", "iphlpapi", "icmp", "comctl32"]
COUNTDOWN_CAPTION, IDCANCEL = "カウントダウンタイマー", 2
os.environ["NOCTIL_DLLOVERRIDES"] = ",".join(PLANTED) + "=n,b"
os.environ["NOCTIL_REFUSE_RAW_SOCKETS"] = "1"

h = Harness()
if not os.environ.get("NOCTIL_NETNS_SILENT"):
    h.check(False, "runs inside tools/netns-run.sh")
    h.finish()
app = h.install()
for name in PLANTED:
    shutil.copy(os.path.join(h.build, "e2e", "planted.dll"), os.path.join(app, name + ".dll"))
log = os.path.join(app, "planted.log")
with open(os.path.join(app, "noctil.ini"), "wb") as f:
    f.write(b"[AUTO]\r\nSEL=N\r\nHOST=127.0.0.1\r\n")

proc = h.start(app)
h.check(h.wait_window(), "noctil.exe starts with the network watch armed")
rc, n = 1, "-1"
for _ in range(40):
    time.sleep(0.25)
    rc, n = h.probe("face-line", 40, 40, '"127.0.0.1"(%dms/0)')
    if rc == 0 and int(n) >= 0:
        break
h.check(rc == 0 and int(n) >= 0, "the system's echo service answers the watch", n)
h.command(40047)  # the countdown dialog, with its up-down controls
h.check(wait_for(lambda: h.probe("dialog", COUNTDOWN_CAPTION)[0] == 0, 10) is not None, "the countdown dialog opens")
h.probe("press", COUNTDOWN_CAPTION, IDCANCEL)
h.check(h.exit_program(proc) == 0, "exits with 0")

loaded = open(log).read() if os.path.exists(log) else ""
h.check(loaded == "", "no planted library was loaded", loaded)
h.finish()
