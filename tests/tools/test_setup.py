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
        cases = [
            # scenario, status, calls, printed lines (patterns, in order)
            ("stale", 0, ["update", "dpkg --configure -a", "install"],
             [r"^setup: the package list stable-security/main/binary-i386 \(File has unexpected size "
              r"\(374820 != 376004\)\. Mirror sync in progress\?\) did not update; going on with the lists at hand$",
              r"^Win32 tests on the x86_64 build"]),
            ("held-then-release", 0, ["update", "dpkg --configure -a", "install", "install -t trixie"],
             [r"^setup: apt could not install from all suites \(Unable to correct problems, you have held broken "
              r"packages\.\); trying once more with the release's own suite, trixie, preferred$",
              r"^Win32 tests on the x86_64 build"]),
            ("always-held", 1, ["update", "dpkg --configure -a", "install", "install -t trixie"],
             [r"^setup: apt could not install from all suites .*trixie, preferred$"]),
            ("installed", 0, [], [r"^Win32 tests on the x86_64 build"]),
        ]
        for scenario, status, calls, lines in cases:
            with self.subTest(scenario):
                (result,), made = self.run_setup(scenario)
                self.assertEqual((status, calls), (result.returncode, made), result.stderr)
                printed = result.stdout.splitlines()
                self.assertEqual(len(lines), len(printed), printed)
                for pattern, line in zip(lines, printed):
                    self.assertRegex(line, pattern)

    def test_a_failure_names_its_cause_and_a_second_run_tries_again(self):
        (first, second), calls = self.run_setup("always-held", runs=2)
        for result in (first, second):
            self.assertEqual(1, result.returncode)
        err = first.stderr
        self.assertRegex(err, r"(?m)^setup: could not install: cmake make g\+\+ .*wine32:i386")
        self.assertRegex(err, r"(?m)^setup:   apt: Unable to correct problems, you have held broken packages\.$")
        self.assertRegex(err, r"(?m)^setup:   zlib1g:i386 : Depends: libc6:i386")
        self.assertRegex(err, r"(?m)^setup:   try: run it again later")
        self.assertEqual(["update", "dpkg --configure -a", "install", "install -t trixie"] * 2, calls)


if __name__ == "__main__":
    unittest.main()
