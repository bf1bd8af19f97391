"""Soak: the program ticks with each display (the clock, a countdown, the
network watch on 127.0.0.1) while its popup menu and every dialog open and
close round after round; then, with the clock, the screen's DPI changes to
150 % and back, to 200 % and back, round after round, each change rebuilding
the face's surfaces, fonts, cursors and icons. After a warm-up its GDI
objects, windows, menus and private memory must not grow; the figures are
printed at each checkpoint.

What is counted, for the running noctil.exe (the system's own counters read 0
under Wine):
- GDI objects by kind, off Wine's gdi debug channel, which traces each object
  as it is made and freed (dc: memory DCs and Wine's cache of window DCs).
  Icons and cursors hold their pictures as two GDI bitmaps there, so a lost
  icon shows as bitmaps.
- windows: its top-level windows and every child of theirs (probe census);
- menus: off Wine's menu debug channel, as they are made and destroyed;
- private memory (dirty_kb): Private_Dirty of its Linux process: what it wrote
  itself (heaps, stacks, data). Its clean pages of the 32-bit libraries count
  as private only while no other 32-bit Wine process maps them, so they come
  and go with whatever else runs on the machine.
Every dialog and the menu are painted before they close, as a user would see
them; Wine makes some pictures and cached DCs on the first paint of a kind.

Runs inside tools/netns-run.sh (the echo requests stay on loopback):
  soak.py --build B --root R [--rounds N] [--warmup W] [--checkpoints K]
"""
import argparse
import collections
import os
import re
import threading
import time

from harness import Harness

IDOK, IDCANCEL = 1, 2
ABOUT, AUTOSTART = "このソフトについて", "自動スタートの設定"
COUNTDOWN, CLOCK_TIME, HOST = "カウントダウンタイマー", "時間を指定して開始", "ネットワーク監視"
PICKER = "対象のｳｲﾝﾄﾞｳの選択"

# One round: each of these opens and closes once, (command, caption, close).
OPENINGS = [
    (0, "#32768", 0),  # the popup menu
    (40025, ABOUT, IDCANCEL),
    (40049, AUTOSTART, IDCANCEL),
    (40047, COUNTDOWN, IDCANCEL),
    (40048, CLOCK_TIME, IDCANCEL),
    (40041, HOST, IDCANCEL),
    (40040, PICKER, IDCANCEL),
]

# One round of DPI changes: to each DPI and back (WM_DPICHANGED as the system
# sends it, less the suggested rectangle, which cannot cross processes: the
# window stays where it is).
DPI_CHANGES = [(144, "#dpi", 96), (192, "#dpi", 96)]

# Each display, armed at start by the auto-start file, and the steps of its
# rounds. Cancelling dialogs 127, 125 and 121 stops what runs, so each round
# ends by arming it again with OK.
PHASES = [
    ("clock", b"SEL=0", OPENINGS),
    ("countdown", b"SEL=C\r\nCOUNT=600", OPENINGS + [(40047, COUNTDOWN, IDOK)]),
    ("network", b"SEL=N\r\nHOST=127.0.0.1", OPENINGS + [(40041, HOST, IDOK)]),
    ("dpi", b"SEL=0", DPI_CHANGES),
]

# What may be added between the first checkpoint and the last: a paint in
# progress at the moment of counting, and the heap's own slack. An object lost
# per opening or change of DPI adds one per round; the about box's lost
# picture added one bitmap and about 70 KB a round.
GDI_SLACK = 2
MEMORY_SLACK_KB = 512

TRACE_CHANNELS = "-all,+pid,+gdi,+menu"
TRACE = re.compile(r"([0-9a-f]+):[0-9a-f]+:trace:(?:gdi:\w+ (allocated|freed) (?:NTGDI_OBJ_)?(\w+) (0x[0-9a-f]+)"
                   r"|menu:create_menu return (0x[0-9a-f]+)|menu:NtUserDestroyMenu \((0x[0-9a-f]+)\))")
KINDS = {"BITMAP": "bitmap", "BRUSH": "brush", "PEN": "pen", "EXTPEN": "pen", "FONT": "font",
         "DC": "dc", "MEMDC": "dc", "REGION": "region"}
COLUMNS = ["gdi", "bitmap", "brush", "pen", "font", "dc", "region", "windows", "menus", "dirty_kb"]


class LiveObjects:
    """The GDI objects and menus each process has, kept up to date from its
    Wine debug output."""

    def __init__(self, stream):
        self.gdi = collections.defaultdict(dict)   # pid -> handle -> kind
        self.menus = collections.defaultdict(set)  # pid -> handles
        self.lock = threading.Lock()
        threading.Thread(target=self._follow, args=(stream,), daemon=True).start()

    def _follow(self, stream):
        for line in stream:
            m = TRACE.match(line.decode("latin-1"))
            if not m:
                continue
            pid, verb, kind, handle, made, destroyed = m.groups()
            with self.lock:
                if verb == "allocated":
                    self.gdi[pid][handle] = KINDS.get(kind, "other")
                elif verb == "freed":
                    self.gdi[pid].pop(handle, None)
                elif made:
                    self.menus[pid].add(made)
                else:
                    self.menus[pid].discard(destroyed)

    def counts(self, pid):
        key = "%04x" % pid
        with self.lock:
            kinds = collections.Counter(self.gdi[key].values())
            return dict(kinds, gdi=len(self.gdi[key]), menus=len(self.menus[key]))


def private_dirty_kb(linux_pid):
    with open("/proc/%d/smaps_rollup" % linux_pid) as f:
        for line in f:
            if line.startswith("Private_Dirty:"):
                return int(line.split()[1])
    return 0


def figures(h, proc, live, pid):
    """The counts once the program is at rest: the fewest GDI objects of a few
    looks apart, so that no tick is caught painting."""
    time.sleep(0.5)
    looks = []
    for _ in range(3):
        looks.append(live.counts(pid))
        time.sleep(0.2)
    f = min(looks, key=lambda c: c["gdi"])
    f["windows"] = int(h.probe("census")[1].split()[1])
    f["dirty_kb"] = private_dirty_kb(proc.pid)
    return f


def cycle(h, rounds, steps):
    """Empty when every step opened and closed, else what failed."""
    args = [a for step in steps for a in step]
    rc, out = h.probe("cycle", rounds, *args, timeout=60 + rounds * 30)
    return "" if rc == 0 else out or "probe exit %d" % rc


def run_phase(h, opts, name, auto, steps, table):
    app = h.install(subdir=name)
    with open(os.path.join(app, "noctil.ini"), "wb") as f:
        f.write(b"[AUTO]\r\n" + auto + b"\r\n")
    h.probe("count")  # the desktop and its services start first, without the trace
    proc = h.start(app, trace=TRACE_CHANNELS)
    live = LiveObjects(proc.stderr)
    if not h.check(h.wait_window(), "%s: noctil.exe starts" % name):
        return
    pid = int(h.probe("census")[1].split()[0])
    done = opts.warmup
    failed = cycle(h, opts.warmup, steps)
    if name == "network" and not failed:
        # Stopped until the ping thread ends, then armed again: the first
        # thread that follows an ended one adds about 1 MB once (Wine's own;
        # later ones add nothing).
        failed = cycle(h, 1, [(40041, HOST, IDCANCEL)])
        time.sleep(4)
        failed = failed or cycle(h, 1, steps[-1:])
    h.check(not failed, "%s: %d rounds to warm up" % (name, opts.warmup), failed)
    rows = [(done, figures(h, proc, live, pid))]
    per_leg = max(1, opts.rounds // opts.checkpoints)
    while not failed and done < opts.warmup + opts.rounds:
        legs = min(per_leg, opts.warmup + opts.rounds - done)
        failed = cycle(h, legs, steps)
        done += legs
        rows.append((done, figures(h, proc, live, pid)))
    for done, f in rows:
        table.append([name, done, *[f.get(c, 0) for c in COLUMNS]])

    first, last = rows[0][1], rows[-1][1]
    grew = {c: last.get(c, 0) - first.get(c, 0) for c in COLUMNS}
    h.check(not failed and len(rows) > 1, "%s: %d rounds of %d steps after the warm-up"
            % (name, done - opts.warmup, len(steps)), failed)
    h.check(grew["gdi"] <= GDI_SLACK, "%s: GDI objects grow by at most %d" % (name, GDI_SLACK), grew)
    h.check(grew["windows"] <= 0 and grew["menus"] <= 0, "%s: no window or menu is left behind" % name, grew)
    h.check(grew["dirty_kb"] <= MEMORY_SLACK_KB, "%s: private memory grows by at most %d KB"
            % (name, MEMORY_SLACK_KB), grew["dirty_kb"])
    if name == "network":
        rc, n = h.probe("face-line", 40, 40, '"127.0.0.1"(%dms/0)')
        h.check(rc == 0 and int(n) >= 0, "network: the watch still answers on the face", n)
    h.check(h.exit_program(proc) == 0, "%s: exits cleanly" % name)


def main():
    h = Harness()
    ap = argparse.ArgumentParser()
    ap.add_argument("--rounds", type=int, default=20, help="rounds after the warm-up")
    ap.add_argument("--warmup", type=int, default=3)
    ap.add_argument("--checkpoints", type=int, default=1, help="counts taken after the warm-up")
    opts = ap.parse_args(h.extra_args)
    if not os.environ.get("NOCTIL_NETNS_SILENT"):
        h.check(False, "runs inside tools/netns-run.sh")
        h.finish()
    table = []
    started = time.time()
    for name, auto, steps in PHASES:
        run_phase(h, opts, name, auto, steps, table)
    print("%-10s %6s" % ("phase", "round") + "".join("%11s" % c for c in COLUMNS))
    for row in table:
        print("%-10s %6d" % tuple(row[:2]) + "".join("%11d" % v for v in row[2:]))
    print("info %d rounds per phase after %d to warm up, %.0f s"
          % (opts.rounds, opts.warmup, time.time() - started))
    h.finish()


main()
