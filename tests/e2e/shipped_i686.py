"""The shipped 32-bit build, started for real where the other end-to-end tests
ran on the x86_64 build: in a Wine prefix made for this test alone
(NOCTIL_WINEPREFIX; made without a display, as the emulator is slow at Wine's
start-up), on a display of its own (tools/with-display.sh), 32-bit code under
qemu where the kernel refuses it (tools/qemu-i386.sh).

The options file goes through both builds: the x86_64 one reads it and writes
it back, the 32-bit one reads what that wrote (the window opens at the stored
place) and writes the same bytes again."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

prefix = os.environ["NOCTIL_WINEPREFIX"]
shutil.rmtree(prefix, ignore_errors=True)

from harness import Harness  # noqa: E402
from power_e2e import options_bytes, options_fields, wait_for  # noqa: E402

PREFIX_LIMIT = 600   # seconds for making the prefix under the emulator
WINDOW_LIMIT = 300   # from the start to the window shown
EXIT_LIMIT = 120     # from the Exit command to the end of the process
PLACE = (321, 123)


def make_prefix(root):
    """Status, seconds and the last of the output of making the prefix. Output
    to a file: the wineserver this starts would keep a pipe open."""
    began = time.time()
    with tempfile.TemporaryFile() as out:
        try:
            rc = subprocess.run([os.path.join(root, "tools", "wine-prefix.sh")], stdout=out, stderr=out,
                                env={k: v for k, v in os.environ.items() if k != "DISPLAY"},
                                timeout=PREFIX_LIMIT).returncode
        except subprocess.TimeoutExpired:
            rc = "timeout"
        out.seek(0)
        return rc, time.time() - began, out.read()[-600:].decode("utf-8", "replace")


def run_once(h, app, gid_bytes, what, window_limit):
    """Starts noctil.exe of `app` with the options file `gid_bytes`, checks
    its window, ends it with Exit; returns the options file it left."""
    gid = os.path.join(app, "noctil.gid")
    with open(gid, "wb") as f:
        f.write(gid_bytes)
    began = time.time()
    proc = h.start(app)
    shown = wait_for(lambda: (h.info() or {}).get("visible") == 1, window_limit, 1.0)
    h.check(shown is not None, "%s: the window is shown within %d s" % (what, window_limit))
    info = h.info()
    h.check(info is not None and (info["left"], info["top"], info["width"], info["height"]) == PLACE + (220, 65),
            "%s: 220 x 65 at the stored place" % what, info)
    print("info %s: window shown %.0f s after the start" % (what, time.time() - began))
    asked = time.time()
    h.check(h.exit_program(proc, timeout=EXIT_LIMIT) == 0, "%s: Exit ends the program with 0" % what)
    print("info %s: ended %.0f s after Exit" % (what, time.time() - asked))
    log = os.path.join(app, "seam.log")
    h.check(not os.path.exists(log), "%s: no system-changing call was made" % what,
            open(log).read() if os.path.exists(log) else None)
    with open(gid, "rb") as f:
        return f.read()


def same_options(h, what, expected, actual):
    before = options_fields(expected)
    after = options_fields(actual) if len(actual) == 1324 else {}
    h.check(actual == expected, what, {k: (before[k], after.get(k)) for k in before if before[k] != after.get(k)}
            or len(actual))


h = None
try:
    rc, took, said = make_prefix(os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
    print("info prefix made in %.0f s without a display" % took)
    if rc != 0:
        print("FAIL the throwaway prefix (status %s): %s" % (rc, said))
        sys.exit(1)
    h = Harness()
    ap = argparse.ArgumentParser()
    ap.add_argument("--wine-build", required=True, help="the x86_64 tree the other Win32 tests ran on")
    wine_build = ap.parse_args(h.extra_args).wine_build
    h.check(os.path.exists(os.path.join(prefix, "drive_c", "windows", "syswow64", "kernel32.dll")),
            "the prefix runs 32-bit programs (its 32-bit system folder is there)")

    sample = options_bytes(always_on_top=0, silent=1, force_action=1, rect=PLACE + (PLACE[0] + 220, PLACE[1] + 65),
                           host=b"192.0.2.1", force_if_hung=1, power_action=3, clock_minute=30, clock_hour=21,
                           skin=b"sumi")
    by_x64 = run_once(h, h.install(subdir="x64", build=wine_build), sample, "x86_64 build", 60)
    same_options(h, "the x86_64 build writes back what it read", sample, by_x64)
    by_i686 = run_once(h, h.install(subdir="i686"), by_x64, "shipped i686 build", WINDOW_LIMIT)
    same_options(h, "the i686 build reads what the x86_64 build wrote, and writes the same bytes", by_x64, by_i686)
finally:
    subprocess.run(["wineserver", "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    shutil.rmtree(prefix, ignore_errors=True)
if h is not None:
    h.finish()
