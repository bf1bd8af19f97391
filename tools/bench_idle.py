"""Idle cost of noctil.exe under Wine, side by side with the idle floor (a
window that recomposes 220 x 65 pixels with the same font every 150 ms and
keeps a tray icon): CPU seconds per minute and private memory while idling
with the clock display, a countdown and the network watch on 127.0.0.1, the
time from process start to the mapped window, the window's size (the
face's at the screen's DPI: 220 x 65 at 96, 440 x 130 at 192; the floor
scales its face alike) and the executables' sizes. Run through
tools/bench_idle.sh, which supplies the display, the DPI and a private
network namespace."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from power_e2e import options_bytes  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
BUILD = os.path.join(ROOT, os.environ.get("NOCTIL_WINE_TREE", "build"))
WINE_RUN = os.path.join(ROOT, "tools", "wine-run")
SECONDS = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0

CASES = [
    ("floor", "idle_floor.exe", "NoctilFloor", None),
    ("timer only", "idle_floor.exe", "NoctilFloor", "timer"),
    ("clock display", "noctil.exe", "Noctil", None),
    ("countdown", "noctil.exe", "Noctil", b"[AUTO]\r\nSEL=C\r\nCOUNT=90\r\n"),
    ("network 127.0.0.1", "noctil.exe", "Noctil", b"[AUTO]\r\nSEL=N\r\nHOST=127.0.0.1\r\n"),
]


def pids_of(work, exe):
    """The Wine process of `exe` started from `work` (other programs of the
    same name may run on this machine)."""
    tag = os.path.basename(work).encode()
    found = []
    for pid in os.listdir("/proc"):
        if pid.isdigit():
            try:
                with open("/proc/%s/cmdline" % pid, "rb") as f:
                    argv0 = f.read().split(b"\0")[0].rstrip()
            except OSError:
                continue
            if tag in argv0 and argv0.lower().endswith(exe.encode()):
                found.append(int(pid))
    return found


def cpu_seconds(pid):
    """CPU time of all the process's threads, to the nanosecond (the clock
    ticks of /proc/PID/stat are too coarse for a few hundredths a minute)."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
        except OSError:
            pass  # a thread that ended meanwhile
    return total / 1e9


def private_mb(pid):
    total = 0
    with open("/proc/%d/smaps_rollup" % pid) as f:
        for line in f:
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                total += int(line.split()[1])
    return total / 1024.0


def window_size(title):
    """"WIDTHxHEIGHT" of the mapped window named `title`, or None."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title,
                            "getwindowgeometry", "%@"], capture_output=True, text=True)
    if found.returncode != 0 or "Geometry:" not in found.stdout:
        return None
    return found.stdout.split("Geometry:")[1].split()[0]


def measure(name, exe, title, ini):
    work = tempfile.mkdtemp(prefix="noctil-idle-")
    src = os.path.join(BUILD, "bench" if exe == "idle_floor.exe" else "bin", exe)
    shutil.copy(src, work)
    if exe == "noctil.exe":
        shutil.copytree(os.path.join(BUILD, "bin", "skins"), os.path.join(work, "skins"))
        # Not a first run: that would start the shortcut program.
        with open(os.path.join(work, "noctil.gid"), "wb") as f:
            f.write(options_bytes())
        if ini:
            with open(os.path.join(work, "noctil.ini"), "wb") as f:
                f.write(ini)
    start = time.time()
    args = [ini] if isinstance(ini, str) else []  # the floor's argument
    proc = subprocess.Popen([WINE_RUN, os.path.join(work, exe), *args], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    first_frame = None
    while time.time() - start < 60:
        if pids_of(work, exe) and window_size(title):
            first_frame = time.time() - start
            break
        time.sleep(0.02)
    time.sleep(5)  # settle: fonts, the first pings
    pids = pids_of(work, exe)
    row = {"case": name, "start": first_frame, "cpu": None, "mem": None, "size": window_size(title)}
    if pids:
        pid = pids[-1]
        c0 = cpu_seconds(pid)
        time.sleep(SECONDS)
        row["cpu"] = (cpu_seconds(pid) - c0) * 60.0 / SECONDS
        row["mem"] = private_mb(pid)
        if os.environ.get("NOCTIL_BENCH_SMAPS"):
            subprocess.run(["bash", "/tmp/smapsum.sh", str(pid)])
        os.kill(pid, 9)
    proc.wait(timeout=30)
    shutil.rmtree(work, ignore_errors=True)
    return row


def main():
    # The first program of a session also starts the wineserver: not ours to count.
    subprocess.run([WINE_RUN, "cmd", "/c", "exit"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    only = os.environ.get("NOCTIL_BENCH_CASES")  # e.g. "network" to run only the cases naming it
    rows = [measure(*case) for case in CASES if not only or only in case[0]]
    print("%-20s %14s %14s %12s %10s" % ("case", "CPU s/min", "private MB", "start s", "window"))
    for r in rows:
        print("%-20s %14s %14s %12s %10s" % (r["case"], "%.3f" % r["cpu"] if r["cpu"] is not None else "-",
                                            "%.1f" % r["mem"] if r["mem"] is not None else "-",
                                            "%.2f" % r["start"] if r["start"] is not None else "-",
                                            r["size"] or "-"))
    for exe in ("noctil.exe", "noctillink.exe"):
        size = os.path.getsize(os.path.join(BUILD, "bin", exe))
        print("%-20s %10d bytes (%.1f KiB)" % (exe, size, size / 1024.0))


if __name__ == "__main__":
    main()
