"""The window watch from outside: the picker's icon dragged with the mouse onto
another program's window, "ウインドウの破棄" chosen, its title on the face, and
the confirmation with the window wording when it closes (recording build).
NOCTIL_PICKER_SHOT names a copy of the picker seen during the drag."""
import os
import subprocess
import time

from harness import Harness
from power_e2e import wait_for

PICKER, CONFIRM, TARGET = "対象のｳｲﾝﾄﾞｳの選択", "Noctil !", "変換中"
IDOK, IDC_PICK_TITLE, IDC_PICK_SOURCE, IDC_WATCH_DESTROYED, IDC_CONFIRM_TEXT = 1, 1002, 1003, 1009, 1004


def mouse(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True, timeout=30)
    time.sleep(0.3)  # Wine takes the pointer's new place before the next step


def rect(caption, *item):
    rc, out = h.probe("rect", caption, *item)
    return [int(v) for v in out.split()] if rc == 0 else None


def centre(r):
    return (r[0] + r[2]) // 2, (r[1] + r[3]) // 2


h = Harness()
app = h.install()
proc = h.start(app)
h.check(h.wait_window(), "main window appears")
h.procs.append(subprocess.Popen([h.wine_run, h.probe_exe, "window", TARGET, "560", "420", "120000"]))
h.check(wait_for(lambda: rect(TARGET), 30) is not None, "the program to watch shows its window")
h.command(40040)
h.check(wait_for(lambda: rect(PICKER), 30) is not None, "40040 opens the picker")

picker, target = rect(PICKER), rect(TARGET)
mouse("mousemove", *centre(rect(PICKER, IDC_PICK_SOURCE)))
mouse("mousedown", 1)
for x, y in ((picker[2], picker[3]), (target[0] + 100, target[1] + 10)):  # onto its title bar
    mouse("mousemove", x, y)
left, top = min(picker[0], target[0]) - 10, min(picker[1], target[1]) - 10
shot = h.screenshot("window-picker.png", dict(left=left, top=top, width=max(picker[2], target[2]) + 10 - left,
                                              height=max(picker[3], target[3]) + 10 - top))
if shot and os.environ.get("NOCTIL_PICKER_SHOT"):
    subprocess.run(["convert", shot, "+repage", os.environ["NOCTIL_PICKER_SHOT"]], check=True)
mouse("mouseup", 1)
named = h.probe("dialog", PICKER, IDC_PICK_TITLE)[1]
h.check(named == TARGET, "the picker names the window under the pointer", named)
for item in (IDC_WATCH_DESTROYED, IDOK):
    mouse("mousemove", *centre(rect(PICKER, item)))
    mouse("click", 1)
h.check(wait_for(lambda: rect(PICKER) is None, 10) is not None, "OK closes the picker")

time.sleep(0.5)  # a few ticks
rc, n = h.probe("face-line", 40, 40, '"%s%%.0d' % TARGET)  # "%.0d" of 0 prints nothing
h.check(rc == 0 and n == "0", "line 2 of the face shows the watched window's title", n)

h.probe("close", TARGET)
h.check(wait_for(lambda: h.probe("dialog", CONFIRM)[0] == 0, 10) is not None, "closing the window fires")
text = h.probe("dialog", CONFIRM, IDC_CONFIRM_TEXT)[1]
h.check("ｳｲﾝﾄﾞｳ状態が設定条件になったので、シャットダウン" in text, "with the window wording", text)
h.probe("press", CONFIRM, IDOK)  # abort
h.check(wait_for(lambda: h.probe("dialog", CONFIRM)[0] != 0, 10) is not None, "the confirmation is aborted")
log = os.path.join(app, "seam.log")
calls = [c for c in open(log).read().splitlines() if "Beep" not in c] if os.path.exists(log) else []
h.check(calls == [], "no power call, only the confirmation's sounds", calls)
h.check(h.exit_program(proc) == 0, "exits with 0")
h.finish()
