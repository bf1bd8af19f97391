"""The whole road once with the real program, in a Wine prefix made for this
test alone: a forced shutdown armed from the face runs through the ten-second
confirmation and the five-second notice and ends that Wine session. The
options file keeps its values. The prefix is removed at the end."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

# Everything this test starts runs in its own prefix, never the shared one.
prefix = tempfile.mkdtemp(prefix="noctil-real-prefix-")
os.environ["NOCTIL_WINEPREFIX"] = prefix

from harness import Harness  # noqa: E402
from power_e2e import options_bytes, options_fields, click_start, wait_for, notice, centred  # noqa: E402


def wineserver(*args, timeout=60):
    env = dict(os.environ, WINEPREFIX=prefix)
    try:
        return subprocess.run(["wineserver", *args], env=env, timeout=timeout,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
    except subprocess.TimeoutExpired:
        return None


h = Harness()
try:
    # Output to a file: the wineserver this starts would keep a pipe open.
    with tempfile.TemporaryFile() as out:
        made = subprocess.run([os.path.join(h.root, "tools", "wine-prefix.sh")], stdout=out, stderr=out,
                              timeout=300)
        out.seek(0)
        h.check(made.returncode == 0, "throwaway prefix made", out.read()[-500:])
    app = h.install(recorded=False)
    written = options_bytes(force_action=1, rect=(300, 200, 520, 265))
    gid = os.path.join(app, "noctil.gid")
    with open(gid, "wb") as f:
        f.write(written)

    proc = h.start(app)
    h.check(h.wait_window(), "real noctil.exe starts")
    # The window can be found while it is still being created, before it
    # reads the options and moves; it is shown once that is done.
    wait_for(lambda: (h.info() or {}).get("visible") == 1, 30)
    info = h.info()
    h.check(info is not None and (info["left"], info["top"]) == (300, 200), "options file read", info)
    start = time.time()
    click_start(h)
    took = wait_for(lambda: h.probe("dialog", "Noctil !")[0] == 0, 45, 0.2)
    h.check(took is not None, "the confirmation opens when the target is reached", took)
    if took is not None:
        print("info confirmation seen %.1f s after the start click (target: 20 s after the start)" % took)
    shown = wait_for(lambda: notice(h) is not None, 20, 0.2)
    h.check(shown is not None and 8 <= shown <= 13, "after the ten-second countdown the notice is shown", shown)
    n = notice(h)
    h.check(n is not None and n["topmost"] == 1 and centred(n), "the notice is centred and on top", n)
    notice_at = time.time()
    try:
        rc = proc.wait(timeout=60)
    except subprocess.TimeoutExpired:
        rc = None
    ended = time.time() - notice_at
    print("info noctil.exe ended %.1f s after the notice was seen" % ended)
    h.check(rc is not None, "noctil.exe ends with the session", rc)
    h.check(rc is None or 4 <= ended <= 20, "about five seconds after the notice", round(ended, 1))
    h.check(wineserver("-w", timeout=60) == 0, "the Wine session of that prefix is over")

    with open(gid, "rb") as f:
        on_disk = f.read()
    h.check(len(on_disk) == 1324, "options file still 1324 bytes", len(on_disk))
    before, after = options_fields(written), options_fields(on_disk) if len(on_disk) == 1324 else {}
    h.check(before == after, "options file holds the values it had",
            {k: (before[k], after.get(k)) for k in before if before[k] != after.get(k)})
finally:
    wineserver("-k")
    shutil.rmtree(prefix, ignore_errors=True)
    h.check(not os.path.exists(prefix), "throwaway prefix removed")
h.finish()
