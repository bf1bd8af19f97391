"""The network watch armed at start-up by the auto-start file (SEL N). On
loopback that answers, the face shows the round trip with no failure and
nothing fires; on loopback that never answers, the confirmation with the ping
wording opens after five failures, about 37 s after arming. Runs in a private
network namespace (tools/netns-run.sh): nothing leaves this machine."""
import os
import time

from harness import Harness
from power_e2e import wait_for

ECHO_SWITCH = "/proc/sys/net/ipv4/icmp_echo_ignore_all"
CONFIRM_CAPTION = "Noctil !"
CONFIRM_TEXT_ID = 1004
PING_WORDING = "PINGが５回連続失敗しました"


def answer_echo(on):
    with open(ECHO_SWITCH, "w") as f:
        f.write("0" if on else "1")


h = Harness()
if not os.environ.get("NOCTIL_NETNS_SILENT"):
    h.check(False, "runs inside tools/netns-run.sh")
    h.finish()
    raise SystemExit(1)
app = h.install()
with open(os.path.join(app, "noctil.ini"), "wb") as f:
    f.write(b"[AUTO]\r\nSEL=N\r\nHOST=127.0.0.1\r\n")

# Loopback answers: the round trip and no failure on line 2, no confirmation.
answer_echo(True)
proc = h.start(app)
h.check(h.wait_window(), "noctil.exe starts")
time.sleep(8)
rc, n = h.probe("face-line", 40, 40, '"127.0.0.1"(%dms/0)')
h.check(rc == 0 and int(n) >= 0, 'line 2 reads "127.0.0.1"(Nms/0)', n)
if rc == 0 and int(n) >= 0:
    print("info round trip shown on the face: %s ms" % n)
h.check(h.probe("dialog", CONFIRM_CAPTION)[0] != 0, "nothing fires while the host answers")
h.check(h.exit_program(proc) == 0, "exit while the watch runs ends cleanly")

# Loopback silent: five failures of five seconds with three-second pauses.
answer_echo(False)
proc = h.start(app)
h.check(h.wait_window(), "noctil.exe starts again")
took = wait_for(lambda: h.probe("dialog", CONFIRM_CAPTION)[0] == 0, 70, 0.25)
h.check(took is not None and 30 <= took <= 50, "the confirmation opens about 37 s after arming", took)
if took is not None:
    print("info arming to confirmation on a silent host: %.1f s" % took)
    rc, text = h.probe("dialog", CONFIRM_CAPTION, CONFIRM_TEXT_ID)
    h.check(PING_WORDING in text, "the confirmation names the failed ping", text)
    h.probe("press", CONFIRM_CAPTION, 2)
time.sleep(1)
h.check(h.exit_program(proc) == 0, "exit after the aborted confirmation")
with open(os.path.join(app, "seam.log"), "a+") as log:
    log.seek(0)
    h.check("ExitWindowsEx" not in log.read(), "no power action after the abort")
h.finish()
