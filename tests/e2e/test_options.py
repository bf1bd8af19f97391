"""Options file: the first run starts noctillink, the window position and the
options survive a restart in the 1324-byte noctil.gid, a stored position off
the desktop is reset, and a short file is read as far as it goes."""
import os
import struct
import time

from harness import Harness

SIZE = 1324
EIGHT_AM_LINK = "午前８時に終了.LNK"


def read_options(path):
    data = open(path, "rb").read()
    if len(data) != SIZE:
        return {"size": len(data)}
    top, silent, force, left, topy, right, bottom = struct.unpack_from("<7i", data, 0)
    hung, action, minute, hour = struct.unpack_from("<4i", data, 1052)
    return {"size": len(data), "alwaysOnTop": top, "silent": silent, "forceAction": force,
            "rect": (left, topy, right, bottom), "host": data[28:1052].split(b"\0")[0],
            "forceIfHung": hung, "powerAction": action, "clock": (hour, minute),
            "skin": data[1068:].split(b"\0")[0]}


def wait_for(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.3)
    return condition()


h = Harness()
app = h.install(installer=True)
gid = os.path.join(app, "noctil.gid")
link = os.path.join(app, EIGHT_AM_LINK)
h.check(os.path.exists(os.path.join(app, "noctillink.exe")), "noctillink.exe lies beside the program")
h.check(not os.path.exists(gid), "fresh directory without options file")

# A question box left over by an earlier test would pass for ours.
for _ in range(5):
    if h.probe("dialog", "Noctil!")[0] != 0:
        break
    h.probe("press", "Noctil!", 7)
    time.sleep(1)
h.check(h.probe("dialog", "Noctil!")[0] != 0, "no question box up before the start")

# First run: the companion program is started and asks its question.
proc = h.start(app)
h.check(h.wait_window(), "main window appears")
asked = wait_for(lambda: h.probe("dialog", "Noctil!")[0] == 0, 30)
h.check(asked, "first run starts noctillink (its question box is up)")
if asked:
    h.probe("press", "Noctil!", 7)  # No
h.check(wait_for(lambda: os.path.exists(link), 30), "noctillink wrote its 8 a.m. shortcut beside the program")
h.check(not os.path.exists(gid), "no options file before the first save")
info = h.info()
h.check(info and (info["left"], info["top"], info["topmost"]) == (100, 100, 1), "start values: 100, 100, topmost", info)

# Move the window, exit: the file holds the new place and the start values.
h.probe("move", 300, 200)
info = h.info()
h.check(info and (info["left"], info["top"]) == (300, 200), "window moved to 300, 200", info)
h.check(h.exit_program(proc) == 0, "exit ends the program with 0")
h.check(os.path.exists(gid), "noctil.gid written on exit")
opts = read_options(gid) if os.path.exists(gid) else {}
h.check(opts.get("size") == SIZE, "file is exactly 1324 bytes", opts.get("size"))
h.check(opts.get("rect") == (300, 200, 520, 265), "window rectangle stored", opts.get("rect"))
h.check((opts.get("alwaysOnTop"), opts.get("silent"), opts.get("forceAction"), opts.get("forceIfHung"),
         opts.get("powerAction")) == (1, 0, 0, 0, 0), "flags and power action at their start values", opts)
h.check(opts.get("clock") == (7, 55) and opts.get("host") == b"" and opts.get("skin") == b"",
        "clock 7:55, no host, built-in skin", opts)
leftovers = [n for n in os.listdir(app) if n in ("noctil.new", "noctil.old")]
h.check(not leftovers, "nothing left beside the file", leftovers)

# Restart: the window opens where it was left, and noctillink is not started again.
os.remove(link)
proc = h.start(app)
h.check(h.wait_window(), "restarted")
info = h.info()
h.check(info and (info["left"], info["top"]) == (300, 200), "window opens at the saved place", info)
time.sleep(3)
h.check(h.probe("dialog", "Noctil!")[0] != 0 and not os.path.exists(link), "noctillink not started again")
h.check(h.exit_program(proc) == 0, "exits with 0")

# A stored left beyond the desktop is reset to 100; always-on-top off is honoured.
data = bytearray(open(gid, "rb").read())
struct.pack_into("<i", data, 0, 0)
struct.pack_into("<2i", data, 12, 5000, 200)
open(gid, "wb").write(data)
proc = h.start(app)
h.check(h.wait_window(), "started with left 5000")
info = h.info()
h.check(info and (info["left"], info["top"], info["topmost"]) == (100, 200, 0),
        "opens at 100, 200, not topmost", info)
h.check(h.exit_program(proc) == 0, "exits with 0")
opts = read_options(gid)
h.check(opts.get("rect", (None, None))[:2] == (100, 200) and opts.get("alwaysOnTop") == 0,
        "reset place and the option saved", opts)

# A file of 4 bytes: always-on-top taken from it, everything else at its start value.
open(gid, "wb").write(struct.pack("<i", 0))
proc = h.start(app)
h.check(h.wait_window(), "started with a 4-byte file")
info = h.info()
h.check(info and (info["left"], info["top"], info["topmost"]) == (100, 100, 0), "100, 100, not topmost", info)
time.sleep(2)
h.check(h.probe("dialog", "Noctil!")[0] != 0 and not os.path.exists(link), "a short file is no first run")
h.check(h.exit_program(proc) == 0, "exits with 0")
h.check(os.path.getsize(gid) == SIZE, "whole file written again", os.path.getsize(gid))

log = os.path.join(app, "seam.log")
h.check(not os.path.exists(log), "no system-changing call was made",
        open(log).read() if os.path.exists(log) else None)
h.finish()
