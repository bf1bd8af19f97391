"""tools/wine-arch.sh: which build the Win32 layers run on, found by running a
32-bit program (here stand-ins for the loader and for binfmt_misc)."""
import os
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "wine-arch.sh")
RUNS = b"#!/bin/sh\necho wine-8.0\n"
REFUSED = b"\x7fELF\x01\x01\x01\x00"  # an i386 ELF file no kernel starts
I386, ARM = "7f454c4601010100000000000000000002000300", "7f454c4601010100000000000000000002002800"


class WineArch(unittest.TestCase):
    def run_script(self, loader, handlers, forced):
        """Status, stdout and stderr of the plain call, and the line of --say."""
        with tempfile.TemporaryDirectory() as work:
            binfmt = os.path.join(work, "binfmt")
            os.mkdir(binfmt)
            for name, text in [("register", "enabled"), ("status", "enabled")] + [
                    ("h%d" % i, "%s\ninterpreter /usr/bin/qemu\nflags: OCF\noffset 0\nmagic %s\n" % h)
                    for i, h in enumerate(handlers)]:
                with open(os.path.join(binfmt, name), "w") as f:
                    f.write(text + "\n")
            path = os.path.join(work, "wine")
            if loader is not None:
                with open(path, "wb") as f:
                    f.write(loader)
                os.chmod(path, 0o700)
            env = dict(os.environ, NOCTIL_WINE32_LOADER=path, NOCTIL_BINFMT_DIR=binfmt, NOCTIL_WINE_ARCH=forced)
            plain = subprocess.run(["bash", SCRIPT], env=env, capture_output=True, text=True, timeout=30)
            said = subprocess.run(["bash", SCRIPT, "--say"], env=env, capture_output=True, text=True, timeout=30)
            return plain.returncode, plain.stdout.strip(), plain.stderr.strip(), said.stdout.strip()

    def test_outcomes(self):
        cases = [
            # what, loader, binfmt handlers, forced, expected, why (a pattern of the --say line)
            ("runs", RUNS, [], "", "i686", "runs 32-bit programs"),
            ("refused", REFUSED, [], "", "x86_64", r"runs no 32-bit programs \(.*: Exec format error"),
            ("not installed", None, [], "", "x86_64", "is not installed"),
            ("only through an i386 emulator", RUNS, [("enabled", I386)], "", "x86_64", "through the emulator h0"),
            ("a disabled i386 emulator", RUNS, [("disabled", I386)], "", "i686", "runs 32-bit programs"),
            ("an emulator for another machine", RUNS, [("enabled", ARM)], "", "i686", "runs 32-bit programs"),
            ("forced to x86_64", RUNS, [], "x86_64", "x86_64", "forced by NOCTIL_WINE_ARCH"),
            ("forced to i686", REFUSED, [], "i686", "i686", "forced by NOCTIL_WINE_ARCH"),
        ]
        for what, loader, handlers, forced, expected, reason in cases:
            with self.subTest(what):
                status, out, err, said = self.run_script(loader, handlers, forced)
                self.assertEqual((0, expected, ""), (status, out, err))
                build = "the i686 build" if expected == "i686" else "the x86_64 build"
                self.assertRegex(said, r"^Win32 tests on %s.*: .*%s.*\.$" % (build, reason))

    def test_a_forced_value_it_does_not_know_stops_it(self):
        status, out, err, _ = self.run_script(RUNS, [], "amd64")
        self.assertEqual((2, ""), (status, out))
        self.assertIn("amd64", err)


if __name__ == "__main__":
    unittest.main()
