"""Tests of the help build (tools/build_help.sh) and its checker
(tools/check_help.py). Run with `python3 -m unittest discover tests/help`
or pytest. Needs chmcmd (Debian package fp-utils) and iconv."""
import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
HELP_SRC = os.path.join(ROOT, "resources", "help")
BUILD = os.path.join(ROOT, "tools", "build_help.sh")
sys.path.insert(0, os.path.join(ROOT, "tools"))
import check_help  # noqa: E402


def run_build(script, outdir):
    return subprocess.run(["bash", script, outdir], capture_output=True, text=True)


@unittest.skipUnless(shutil.which("chmcmd"), "chmcmd (fp-utils) not installed")
class BuildTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp()
        start = time.monotonic()
        cls.result = run_build(BUILD, cls.tmp)
        cls.seconds = time.monotonic() - start
        cls.chm = os.path.join(cls.tmp, "noctilhelp.chm")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def test_build_is_quiet_fast_and_passes_the_check(self):
        r = self.result
        self.assertEqual(r.returncode, 0, "stdout=%r stderr=%r" % (r.stdout, r.stderr))
        self.assertEqual((r.stdout, r.stderr), ("", ""))
        self.assertLess(self.seconds, 10.0)
        self.assertEqual(check_help.check(self.chm, check_help.DEFAULT_PROJECT), [])

    def test_directory_holds_every_page_once(self):
        with open(self.chm, "rb") as f:
            entries, _ = check_help.parse_chm(f.read())
        pages = sorted("/" + os.path.basename(p) for p in glob.glob(os.path.join(HELP_SRC, "*.htm")))
        in_chm = sorted(n for n in entries if n.endswith(".htm"))
        self.assertEqual(in_chm, pages)

    def test_checker_rejects_damaged_files(self):
        with open(self.chm, "rb") as f:
            good = f.read()
        entries, content = check_help.parse_chm(good)
        _, sys_off, _ = entries["/#SYSTEM"]
        # #SYSTEM record 4 starts with the LCID; find it and make it English.
        blob = bytearray(good)
        pos = content + sys_off + 4
        while struct.unpack_from("<H", blob, pos)[0] != 4:
            pos += 4 + struct.unpack_from("<H", blob, pos + 2)[0]
        struct.pack_into("<I", blob, pos + 4, 0x0409)

        cases = [
            ("not a chm", b"#!/bin/sh\n" * 20, "no ITSF signature"),
            ("truncated", good[:3000], "do not fit"),
            ("english", bytes(blob), "language is 0x0409"),
        ]
        for label, content_bytes, expected in cases:
            with self.subTest(label):
                path = os.path.join(self.tmp, label + ".chm")
                with open(path, "wb") as f:
                    f.write(content_bytes)
                problems = check_help.check(path, check_help.DEFAULT_PROJECT)
                self.assertTrue(any(expected in p for p in problems), problems)

    def test_checker_names_a_page_the_project_expects_but_the_file_lacks(self):
        project = os.path.join(self.tmp, "extra.hhp")
        with open(check_help.DEFAULT_PROJECT, encoding="utf-8") as f:
            text = f.read()
        with open(project, "w", encoding="utf-8") as f:
            f.write(text.replace("[FILES]\n", "[FILES]\nnothere.htm\n"))
        self.assertEqual(check_help.check(self.chm, project),
                         ["missing from the directory: nothere.htm"])


@unittest.skipUnless(shutil.which("chmcmd"), "chmcmd (fp-utils) not installed")
class BuildFailureTest(unittest.TestCase):
    """The build must fail loudly, since chmcmd itself exits 0 on most errors."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        shutil.copytree(os.path.join(ROOT, "tools"), os.path.join(self.tmp, "tools"))
        shutil.copytree(HELP_SRC, os.path.join(self.tmp, "resources", "help"))
        self.src = os.path.join(self.tmp, "resources", "help")
        self.out = os.path.join(self.tmp, "out")

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def edit(self, name, old, new):
        path = os.path.join(self.src, name)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        self.assertIn(old, text)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text.replace(old, new, 1))

    def test_broken_sources_fail_the_build(self):
        cases = [
            ("missing page", lambda: os.remove(os.path.join(self.src, "about.htm")), "about.htm"),
            ("broken link", lambda: self.edit("index.htm", 'href="window.htm"', 'href="nowhere.htm"'),
             "nowhere.htm"),
            ("not cp932", lambda: self.edit("index.htm", "はじめに</h1>", "はじめに ▶</h1>"), "CP932"),
            ("no charset", lambda: self.edit("tray.htm", "charset=Shift_JIS", "charset=UTF-8"),
             "Shift_JIS"),
        ]
        for label, damage, expected in cases:
            with self.subTest(label):
                self.tearDown()
                self.setUp()
                damage()
                r = run_build(os.path.join(self.tmp, "tools", "build_help.sh"), self.out)
                self.assertNotEqual(r.returncode, 0, label)
                self.assertIn(expected, r.stderr)
                self.assertFalse(os.path.exists(os.path.join(self.out, "noctilhelp.chm")))


class SourceLinkTest(unittest.TestCase):
    """chmcmd reports missing files but not missing #anchors or stray TOC entries."""

    def test_every_local_link_and_anchor_resolves(self):
        files = set(check_help.expected_files(check_help.DEFAULT_PROJECT))
        ids = {}
        for name in files:
            with open(os.path.join(HELP_SRC, name), encoding="utf-8") as f:
                ids[name] = set(re.findall(r'\bid="([^"]+)"', f.read()))
        bad = []
        for name in sorted(files):
            with open(os.path.join(HELP_SRC, name), encoding="utf-8") as f:
                text = f.read()
            targets = re.findall(r'href="([^"]+)"', text) + re.findall(
                r'<param name="Local" value="([^"]+)">', text)
            for t in targets:
                if re.match(r"^[a-z]+:", t):
                    continue
                page, _, anchor = t.partition("#")
                if page not in files:
                    bad.append("%s -> %s (no such file)" % (name, t))
                elif anchor and anchor not in ids[page]:
                    bad.append("%s -> %s (no such anchor)" % (name, t))
        self.assertEqual(bad, [])

    def test_every_page_is_in_the_contents(self):
        with open(os.path.join(HELP_SRC, "noctilhelp.hhc"), encoding="utf-8") as f:
            toc = set(re.findall(r'<param name="Local" value="([^"#]+)', f.read()))
        pages = {os.path.basename(p) for p in glob.glob(os.path.join(HELP_SRC, "*.htm"))}
        self.assertEqual(pages - toc, set())


if __name__ == "__main__":
    unittest.main()
