"""Skins from outside: the sample skins lie beside the program, the menu's skin
commands switch the face, the choice survives a restart, and the built-in
skin comes back."""
import os
import subprocess
import time

from harness import Harness

SKIN_FIRST, SKIN_BUILTIN = 40200, 40052


def top_bar(h, name):
    """The window's top bar (no clock text there) as a screenshot file."""
    time.sleep(0.6)  # a few ticks: the next frame uses the new skin
    info = h.info()
    path = h.screenshot(name, info)
    out = os.path.join(h.workdir, "bar-" + name)
    subprocess.run(["convert", path, "+repage", "-crop", "220x12+0+0", "+repage", out], check=True, capture_output=True)
    return out


def differing_pixels(a, b):
    r = subprocess.run(["compare", "-metric", "AE", a, b, "null:"], capture_output=True, text=True)
    return int(float(r.stderr.split()[0]))


h = Harness()
app = h.install()
h.check(all(os.path.exists(os.path.join(app, "skins", d, f))
            for d in ("aozora", "sumi") for f in ("skin.bmp", "skin.ini")), "sample skins lie beside the program")

proc = h.start(app)
h.check(h.wait_window(), "main window appears")
builtin = top_bar(h, "builtin.png")

shots = []
for i in range(2):
    h.command(SKIN_FIRST + i)
    shots.append(top_bar(h, "skin%d.png" % i))
    h.check(differing_pixels(builtin, shots[-1]) > 200, "skin %d changes the face" % i,
            differing_pixels(builtin, shots[-1]))
h.check(differing_pixels(shots[0], shots[1]) > 200, "the two sample skins look different")

# The last choice is kept in the options file and comes back after a restart.
h.check(h.exit_program(proc) == 0, "exit saves")
proc = h.start(app)
h.check(h.wait_window(), "restarted")
again = top_bar(h, "again.png")
h.check(differing_pixels(shots[1], again) < 20, "the chosen skin is back after a restart",
        differing_pixels(shots[1], again))

h.command(SKIN_BUILTIN)
back = top_bar(h, "back.png")
h.check(differing_pixels(builtin, back) < 20, "the built-in skin comes back", differing_pixels(builtin, back))
h.check(h.exit_program(proc) == 0, "exits with 0")
h.finish()
