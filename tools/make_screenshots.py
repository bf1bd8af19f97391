#!/usr/bin/env python3
"""Takes the screenshots in docs/ from the recording build under Wine, driven
from outside with the end-to-end harness and probe. Run it through
tools/make_screenshots.sh, which gives it a display and a prefix of its own.

docs/face.png, face-<skin>.png    the window, built-in look and each sample skin
docs/face-running.png             the window while a timer runs
docs/menu.png                     the window with its popup menu open
docs/dialog-<id>.png              every dialog: 110 confirmation, 112 about,
                                  120 wait notice, 121 window picker, 125
                                  network host, 126 countdown, 127 clock time,
                                  129 auto-start
docs/tray-stopped.png, tray-running.png   the notification-area icon

With --dpi DPI (other than 96; the prefix's screen must be at that DPI,
which tools/make_screenshots.sh sees to), only the window and the about box,
whose link texts and picture the program draws itself, at that scale:
docs/face-<percent>.png and dialog-112-<percent>.png (150 for 144 DPI, 200
for 192).
"""
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import Harness  # noqa: E402
from power_e2e import click_start, notice, options_bytes, wait_for  # noqa: E402

DIALOGS = [  # id, menu command, caption, button that closes it
    (112, 40025, "このソフトについて", 1),
    (121, 40040, "対象のｳｲﾝﾄﾞｳの選択", 2),
    (125, 40041, "ネットワーク監視", 2),
    (126, 40047, "カウントダウンタイマー", 2),
    (127, 40048, "時間を指定して開始", 2),
    (129, 40049, "自動スタートの設定", 2),
]
CONFIRM = "Noctil !"
NOTICE = "Noctil - お知らせ"
SKIN_FIRST = 40200
SKIN_BUILTIN = 40052


def xdotool(*args):
    out = subprocess.run(["xdotool", *[str(a) for a in args]], capture_output=True, timeout=30)
    return out.stdout.decode("utf-8", "replace")


def geometry(wid):
    """left, top, width, height of an X window."""
    text = xdotool("getwindowgeometry", wid)
    x, y = text.split("Position:")[1].split()[0].split(",")
    w, hgt = text.split("Geometry:")[1].split()[0].split("x")
    return int(x), int(y), int(w), int(hgt)


def shoot(name, left, top, width, height):
    """Saves that part of the screen as docs/NAME, without time stamps."""
    path = os.path.join(docs, name)
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                    "+repage", "-strip", "-define", "png:exclude-chunks=date,time", path],
                   check=True, capture_output=True, timeout=60)
    print("wrote", path)


def shoot_rect(name, r):
    shoot(name, r[0], r[1], r[2] - r[0], r[3] - r[1])


def rect(caption):
    rc, out = h.probe("rect", caption)
    return [int(v) for v in out.split()] if rc == 0 else None


def face(name):
    time.sleep(0.6)  # a few ticks: the next frame shows the change
    i = h.info()
    shoot(name, i["left"], i["top"], i["width"], i["height"])


def tray(name):
    windows = xdotool("search", "--onlyvisible", "--class", "^explorer\\.exe$").split()
    trays = [w for w in windows if xdotool("getwindowname", w).strip() == "Wine System Tray"]
    if h.check(len(trays) == 1, "the notification area is on screen", trays):
        time.sleep(0.6)
        shoot(name, *geometry(trays[0]))


h = Harness()
docs = os.path.join(h.root, "docs")
dpi = int(h.extra_args[h.extra_args.index("--dpi") + 1]) if "--dpi" in h.extra_args else 96


def other_scale():
    """The window and the about box at `dpi`, then the program ends."""
    suffix = "-%d" % (dpi * 100 // 96)
    app = h.install()
    with open(os.path.join(app, "noctil.gid"), "wb") as f:
        f.write(options_bytes())
    proc = h.start(app)
    h.check(h.wait_window(), "main window appears")
    i = h.info() or {"width": 0, "height": 0}
    h.check((i["width"], i["height"]) == (scaled(220), scaled(65)), "the window is the face at %d DPI" % dpi,
            (i["width"], i["height"]))
    face("face%s.png" % suffix)
    ident, command, caption, close = next(d for d in DIALOGS if d[0] == 112)
    h.command(command)
    if h.check(wait_for(lambda: rect(caption), 20, 0.2) is not None, "dialog %d opens" % ident):
        time.sleep(0.5)
        shoot_rect("dialog-%d%s.png" % (ident, suffix), rect(caption))
        h.probe("press", caption, close)
        h.check(wait_for(lambda: rect(caption) is None, 20, 0.2) is not None, "dialog %d closes" % ident)
    h.check(h.exit_program(proc) == 0, "exits with 0")
    h.finish()


def scaled(v):
    """As the program scales a length in face units (base/scale.h)."""
    return (v * dpi + 48) // 96


if dpi != 96:
    other_scale()

app = h.install()
with open(os.path.join(app, "noctil.gid"), "wb") as f:  # forced, so the wait notice comes
    f.write(options_bytes(force_action=1, silent=1, rect=(100, 60, 320, 125)))
proc = h.start(app)
h.check(h.wait_window(), "main window appears")
face("face.png")
tray("tray-stopped.png")

# The start button arms the time set 20 s after the start; then the
# confirmation, and the wait notice of a forced action.
click_start(h)
face("face-running.png")
tray("tray-running.png")
h.check(wait_for(lambda: rect(CONFIRM), 40, 0.2) is not None, "the confirmation opens")
time.sleep(1.5)
shoot_rect("dialog-110.png", rect(CONFIRM))
h.check(wait_for(lambda: notice(h), 20, 0.2) is not None, "the wait notice opens")
n = notice(h)
shoot("dialog-120.png", n["left"], n["top"], n["width"], n["height"])
h.check(wait_for(lambda: notice(h) is None, 20, 0.2) is not None, "the wait ends")
for command in (40024, 40026):  # forced and silent off again: the menu as a first start shows it
    h.command(command)

for ident, command, caption, close in DIALOGS:
    h.command(command)
    if h.check(wait_for(lambda: rect(caption), 20, 0.2) is not None, "dialog %d opens" % ident):
        time.sleep(0.5)
        shoot_rect("dialog-%d.png" % ident, rect(caption))
        h.probe("press", caption, close)
        h.check(wait_for(lambda: rect(caption) is None, 20, 0.2) is not None, "dialog %d closes" % ident)

# The notice after sleep: the computer "sleeps" (the suspend notice), the
# 8:00 preset is armed and moved back a day (keypad 1) so that it came due
# meanwhile, and the resume notice comes.
WM_KEYDOWN, WM_POWERBROADCAST, VK_NUMPAD1 = 0x0100, 0x0218, 0x61
h.probe("post", WM_POWERBROADCAST, 4, 0)  # PBT_APMSUSPEND
h.command(40021)
h.probe("post", WM_KEYDOWN, VK_NUMPAD1, 0)
h.probe("post", WM_POWERBROADCAST, 7, 0)  # PBT_APMRESUMESUSPEND
if h.check(wait_for(lambda: rect(NOTICE), 20, 0.2) is not None, "the notice after sleep opens"):
    time.sleep(0.5)
    shoot_rect("notice-after-sleep.png", rect(NOTICE))
    h.probe("press", NOTICE, 1)
    h.check(wait_for(lambda: rect(NOTICE) is None, 20, 0.2) is not None, "the notice closes")

# The menu, opened with a right click on the face; the shot holds both.
info = h.info()
xdotool("mousemove", info["left"] + 160, info["top"] + 50, "click", "3")
menus = []
for _ in range(50):
    menus = [w for w in xdotool("search", "--onlyvisible", "--class", "^noctil\\.exe$").split()
             if xdotool("getwindowname", w).strip() == ""]
    if menus:
        break
    time.sleep(0.1)
if h.check(len(menus) == 1, "the popup menu opens", menus):
    time.sleep(0.5)
    m = geometry(menus[0])
    left, top = min(info["left"], m[0]), min(info["top"], m[1])
    right = max(info["left"] + info["width"], m[0] + m[2])
    bottom = max(info["top"] + info["height"], m[1] + m[3])
    shoot("menu.png", left, top, right - left, bottom - top)
    xdotool("key", "Escape")

# Each sample skin: the only folder under skins/ while it is chosen.
aside = os.path.join(h.workdir, "aside")
shutil.move(os.path.join(app, "skins"), aside)
for skin in sorted(os.listdir(aside)):
    os.makedirs(os.path.join(app, "skins"))
    shutil.copytree(os.path.join(aside, skin), os.path.join(app, "skins", skin))
    h.command(SKIN_FIRST)
    face("face-%s.png" % skin)
    shutil.rmtree(os.path.join(app, "skins"))
h.command(SKIN_BUILTIN)

log = os.path.join(app, "seam.log")
h.check(os.path.exists(log), "the forced action went to the recorder, nowhere else")
h.check(h.exit_program(proc) == 0, "exits with 0")
h.finish()
