"""tools/wine-arch.sh: which build the Win32 layers run on, found by running a
32-bit program (here stand-ins for the loader and for binfmt_misc)."""
import os
import stat
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "wine-arch.sh")
I386_MAGIC = "7f454c4601010100000000000000000002000300"
ARM_MAGIC = "7f454c4601010100000000000000000002002800"


def handler(state, magic):
    return "%s\ninterpreter /usr/bin/qemu\nflags: OCF\noffset 0\nmagic %s\nmask ff\n" % (state, magic)


class WineArch(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.binfmt = os.path.join(self.dir.name, "binfmt")
        os.mkdir(self.binfmt)
        for name in ("register", "status"):  # always there; never handlers
            with open(os.path.join(self.binfmt, name), "w") as f:
                f.write("enabled\n")

    def tearDown(self):
        self.dir.cleanup()

    def loader(self, content):
        path = os.path.join(self.dir.name, "wine%d" % len(os.listdir(self.dir.name)))
        with open(path, "wb") as f:
            f.write(content)
        os.chmod(path, stat.S_IRWXU)
        return path

    def run_script(self, loader, handlers=(), forced=None, *args):
        for i, (state, magic) in enumerate(handlers):
            with open(os.path.join(self.binfmt, "h%d" % i), "w") as f:
                f.write(handler(state, magic))
        env = dict(os.environ, NOCTIL_WINE32_LOADER=loader, NOCTIL_BINFMT_DIR=self.binfmt)
        env.pop("NOCTIL_WINE_ARCH", None)
        if forced is not None:
            env["NOCTIL_WINE_ARCH"] = forced
        done = subprocess.run(["bash", SCRIPT, *args], env=env, capture_output=True, text=True, timeout=30)
        return done.returncode, done.stdout.strip(), done.stderr.strip()

    def test_outcomes(self):
        runs = self.loader(b"#!/bin/sh\necho wine-8.0\n")
        refused = b"\x7fELF\x01\x01\x01\x00"  # an i386 ELF file the kernel will not start
        cases = [
            # what, loader, binfmt handlers, forced, expected
            ("runs", runs, [], None, "i686"),
            ("refused", refused, [], None, "x86_64"),
            ("not installed", None, [], None, "x86_64"),
            ("runs only through an i386 emulator", runs, [("enabled", I386_MAGIC)], None, "x86_64"),
            ("a disabled i386 emulator", runs, [("disabled", I386_MAGIC)], None, "i686"),
            ("an emulator for another machine", runs, [("enabled", ARM_MAGIC)], None, "i686"),
            ("forced to x86_64", runs, [], "x86_64", "x86_64"),
            ("forced to i686", refused, [], "i686", "i686"),
        ]
        for what, loader, handlers, forced, expected in cases:
            with self.subTest(what):
                for name in os.listdir(self.binfmt):
                    if name.startswith("h"):
                        os.remove(os.path.join(self.binfmt, name))
                if isinstance(loader, bytes):
                    loader = self.loader(loader)
                path = loader or os.path.join(self.dir.name, "missing")
                status, out, err = self.run_script(path, handlers, forced)
                self.assertEqual((0, expected, ""), (status, out, err))
                status, said, _ = self.run_script(path, handlers, forced, "--say")
                self.assertEqual(0, status)
                self.assertIn({"i686": "the i686 build", "x86_64": "the x86_64 build"}[expected], said)
                self.assertEqual(1, len(said.splitlines()), said)

    def test_the_refusal_is_named(self):
        status, said, _ = self.run_script(self.loader(b"\x7fELF\x01\x01\x01\x00"), (), None, "--say")
        self.assertEqual(0, status)
        self.assertIn("runs no 32-bit programs", said)
        self.assertIn("Exec format error", said)

    def test_a_forced_value_it_does_not_know_stops_it(self):
        status, out, err = self.run_script(self.loader(b"#!/bin/sh\n"), (), "amd64")
        self.assertEqual((2, ""), (status, out))
        self.assertIn("amd64", err)


if __name__ == "__main__":
    unittest.main()
