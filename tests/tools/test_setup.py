"""tools/setup.sh against a mirror out of step: stand-ins for apt-get, dpkg,
dpkg-query and locale come first on PATH and log every call."""
import os
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "setup.sh")

STALE = ("E: Failed to fetch http://deb.example/debian-security/dists/stable-security/main/binary-i386/"
         "Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]\n"
         "E: Some index files failed to download. They have been ignored, or old ones used instead.\n")
HELD = ("Some packages could not be installed.\n"
        " zlib1g:i386 : Depends: libc6:i386 but it is not going to be installed\n"
        "E: Unable to correct problems, you have held broken packages.\n")

# Each stand-in logs "name args" and then acts as $SCENARIO says.
APT_GET = r"""#!/bin/sh
echo "apt-get $*" >> "$CALLS"
case "$1:$SCENARIO" in
  update:stale) printf '%s' "$STALE" >&2; exit 100 ;;
  update:*) exit 0 ;;
  install:held-then-release) case " $* " in *" -t trixie "*) exit 0 ;; esac; printf '%s' "$HELD" >&2; exit 100 ;;
  install:always-held) printf '%s' "$HELD" >&2; exit 100 ;;
  install:*) exit 0 ;;
esac
"""
DPKG_QUERY = r"""#!/bin/sh
echo "dpkg-query $*" >> "$CALLS"
[ "$SCENARIO" = installed ] && printf 'install ok installed'
exit 0
"""
DPKG = r"""#!/bin/sh
case "$1" in --print-foreign-architectures) echo i386 ;; *) echo "dpkg $*" >> "$CALLS" ;; esac
"""
LOCALE = "#!/bin/sh\necho ja_JP.utf8\n"


def summary(line):
    """ "apt-get install -y ... -t trixie cmake ..." -> "install -t trixie"; dpkg calls as they are.
    A fetch that apt would not retry shows as such."""
    words = line.split()
    if words[0] != "apt-get":
        return line
    return (words[1] + (" -t " + words[words.index("-t") + 1] if "-t" in words else "")
            + ("" if any(w.startswith("Acquire::Retries=") for w in words) else " (no retries)"))


class Setup(unittest.TestCase):
    def run_setup(self, scenario, runs=1):
        with tempfile.TemporaryDirectory() as work:
            for name, text in [("apt-get", APT_GET), ("dpkg-query", DPKG_QUERY), ("dpkg", DPKG), ("locale", LOCALE)]:
                path = os.path.join(work, name)
                with open(path, "w") as f:
                    f.write(text)
                os.chmod(path, 0o700)
            release = os.path.join(work, "os-release")
            with open(release, "w") as f:
                f.write('NAME="Debian GNU/Linux"\nVERSION_CODENAME=trixie\n')
            calls = os.path.join(work, "calls")
            env = dict(os.environ, PATH=work + os.pathsep + os.environ["PATH"], CALLS=calls, SCENARIO=scenario,
                       STALE=STALE, HELD=HELD, NOCTIL_OS_RELEASE=release, NOCTIL_WINE_ARCH="x86_64")
            results = [subprocess.run(["bash", SCRIPT], env=env, capture_output=True, text=True, timeout=60)
                       for _ in range(runs)]
            logged = []
            if os.path.exists(calls):
                with open(calls) as f:
                    logged = f.read().splitlines()
            return results, [summary(line) for line in logged if line.startswith(("apt-get", "dpkg "))]

    def test_mirror_out_of_step(self):
        tried = ["update", "dpkg --configure -a", "install", "install -t trixie"]
        cases = [
            # scenario, runs, status, calls, stdout lines, stderr lines (patterns)
            ("stale", 1, 0, ["update", "dpkg --configure -a", "install"],
             [r"^setup: the package list stable-security/main/binary-i386 \(File has unexpected size "
              r"\(374820 != 376004\)\. Mirror sync in progress\?\) did not update; going on with the lists at hand$",
              r"^Win32 tests on the x86_64 build"], []),
            ("held-then-release", 1, 0, tried,
             [r"^setup: apt could not install from all suites \(Unable to correct problems, you have held broken "
              r"packages\.\); trying once more with the release's own suite, trixie, preferred$",
              r"^Win32 tests on the x86_64 build"], []),
            # A second run tries again, and each names the packages, apt's reason and what to try.
            ("always-held", 2, 1, tried * 2, [r"^setup: apt could not install from all suites .*trixie, preferred$"],
             [r"^setup: could not install: cmake make g\+\+ .*wine32:i386", r"^setup:   apt: Unable to correct problems",
              r"^setup:   zlib1g:i386 : Depends: libc6:i386", r"^setup:   try: run it again later"]),
            ("installed", 1, 0, [], [r"^Win32 tests on the x86_64 build"], []),
        ]
        for scenario, runs, status, calls, lines, errors in cases:
            with self.subTest(scenario):
                results, made = self.run_setup(scenario, runs)
                self.assertEqual((status, calls), (results[-1].returncode, made), results[-1].stderr)
                printed = results[0].stdout.splitlines()
                self.assertEqual(len(lines), len(printed), printed)
                for pattern, line in zip(lines, printed):
                    self.assertRegex(line, pattern)
                for pattern in errors:
                    self.assertRegex(results[0].stderr, "(?m)" + pattern)

if __name__ == "__main__":
    unittest.main()
