"""Drives the real noctil.exe under Wine from outside, as a user would."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

WM_COMMAND = 0x0111
WM_DESTROY = 0x0002


def wait_for(condition, seconds=10.0):
    """The first true value `condition` gives within `seconds`, else its last."""
    end = time.time() + seconds
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    return condition()


class Harness:
    def __init__(self):
        ap = argparse.ArgumentParser()
        ap.add_argument("--build", required=True)
        ap.add_argument("--root", required=True)
        ap.add_argument("--probe", help="the probe, when not the one of --build")
        args, self.extra_args = ap.parse_known_args()
        self.build = os.path.abspath(args.build)
        self.root = os.path.abspath(args.root)
        self.wine_run = os.path.join(self.root, "tools", "wine-run")
        self.probe_exe = os.path.abspath(args.probe or os.path.join(self.build, "e2e", "probe.exe"))
        self.workdir = tempfile.mkdtemp(prefix="noctil-e2e-")
        self.procs = []
        self.failures = 0
        self.passes = 0
        self.set_windows_version(os.environ.get("NOCTIL_WINVER"))

    def set_windows_version(self, version):
        """Makes Wine report `version` (win98, win2k, winxp, win10) to every
        noctil.exe of the prefix, or its default when None. Each run sets or
        clears the key, so none inherits another's."""
        key = "HKCU\\Software\\Wine\\AppDefaults\\noctil.exe"
        cmd = ["reg", "add", key, "/v", "Version", "/d", version, "/f"] if version else ["reg", "delete", key, "/f"]
        done = subprocess.run([self.wine_run, *cmd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if version and done.returncode != 0:
            sys.exit("could not set the Windows version %s" % version)

    # -- the program under test ------------------------------------------
    def install(self, recorded=True, subdir="app", installer=False, build=None):
        """Copies the program and its side files (of `build`, by default
        --build) into a fresh directory. Without `installer`, noctillink.exe
        stays behind: its first-run question box would otherwise stay open for
        the rest of the test."""
        src = os.path.join(build or self.build, "recorded" if recorded else "bin")
        dest = os.path.join(self.workdir, subdir)
        ignored = ["*.map"] if installer else ["*.map", "noctillink.exe"]
        shutil.copytree(src, dest, ignore=shutil.ignore_patterns(*ignored))
        return dest

    def start(self, appdir, args=(), trace=None):
        """With `trace` (Wine debug channels), the program's debug output
        comes through the process's stderr pipe."""
        env = dict(os.environ, NOCTIL_WINEDEBUG=trace) if trace else None
        proc = subprocess.Popen([self.wine_run, os.path.join(appdir, "noctil.exe"), *args], env=env,
                                stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE if trace else subprocess.DEVNULL)
        self.procs.append(proc)
        return proc

    def probe(self, *args, timeout=60):
        # Output through a file, not a pipe: when the probe happens to be the
        # process that starts the wineserver, the server and its services
        # inherit the probe's handles and a pipe would never reach its end.
        with tempfile.TemporaryFile() as out:
            done = subprocess.run([self.wine_run, self.probe_exe, *[str(a) for a in args]],
                                  stdout=out, stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            return done.returncode, out.read().decode("cp932", "replace").strip()

    def wait_window(self, ms=30000):
        return self.probe("wait-window", ms, timeout=ms / 1000 + 30)[0] == 0

    def wait_gone(self, ms=30000):
        return self.probe("wait-gone", ms, timeout=ms / 1000 + 30)[0] == 0

    def info(self):
        rc, out = self.probe("info")
        if rc != 0:
            return None
        f = out.split()
        return {"hwnd": f[0], "visible": int(f[1]), "left": int(f[2]), "top": int(f[3]),
                "width": int(f[4]), "height": int(f[5]), "style": int(f[6], 16),
                "exstyle": int(f[7], 16), "topmost": int(f[8])}

    def command(self, cmd_id):
        return self.probe("post", WM_COMMAND, cmd_id, 0)[0] == 0

    def exit_program(self, proc, timeout=30):
        self.command(40001)
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            return None

    def screenshot(self, name, info=None):
        """Saves the window's area of the screen (or the whole screen) as PNG."""
        path = os.path.join(self.workdir, name)
        cmd = ["import", "-window", "root"]
        if info:
            cmd += ["-crop", "%dx%d+%d+%d" % (info["width"], info["height"], info["left"], info["top"])]
        subprocess.run(cmd + [path], check=False, capture_output=True, timeout=60)
        return path if os.path.exists(path) else None

    # -- reporting -------------------------------------------------------------
    def check(self, condition, what, actual=None):
        if condition:
            self.passes += 1
            print("ok   %s" % what)
        else:
            self.failures += 1
            print("FAIL %s%s" % (what, "" if actual is None else " (actual: %r)" % (actual,)))
        sys.stdout.flush()
        return condition

    def finish(self):
        for p in self.procs:
            if p.poll() is None:
                p.kill()
        print("%d passed, %d failed" % (self.passes, self.failures))
        if self.failures == 0:
            shutil.rmtree(self.workdir, ignore_errors=True)
        else:
            print("kept %s" % self.workdir)
        sys.exit(1 if self.failures else 0)
