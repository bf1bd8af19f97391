"""tools/check_layers.py: this tree keeps its layers, and the check names the
file and line of an include that breaks them."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
SCRIPT = ROOT / "tools" / "check_layers.py"


def run(root):
    done = subprocess.run([sys.executable, str(SCRIPT), str(root)], capture_output=True, text=True)
    return done.returncode, done.stdout


class Layers(unittest.TestCase):
    def test_this_tree(self):
        status, out = run(ROOT)
        self.assertEqual(0, status, out)

    def test_trees(self):
        rows = [  # files of a small tree, expected status, text the report must hold
            ({"base/a.h": "", "ui/b.cpp": '#include "base/a.h"\n', "program/c.cpp": '#include "ui/b.h"\n'}, 0, "no circle"),
            ({"base/a.h": '#include <x>\n\n#include "program/c.h"\n'}, 1, "base/a.h:3: base/ (base) includes program/"),
            ({"state/s.h": '#include "ui/f.h"\n'}, 1, "state/s.h:1: state/ (state) includes ui/ (features)"),
            ({"ui/f.cpp": '#include "power/p.h"\n', "power/p.cpp": '#include "ui/f.h"\n'}, 1,
             "power -> ui (power/p.cpp:1), ui -> power (ui/f.cpp:1)"),
            ({"netwatch/n.cpp": '#include "core/old.h"\n'}, 1, "netwatch/n.cpp:1: includes from core/"),
        ]
        for files, status, text in rows:
            with tempfile.TemporaryDirectory() as work:
                for name, body in files.items():
                    path = pathlib.Path(work, name)
                    path.parent.mkdir(parents=True, exist_ok=True)
                    path.write_text(body)
                got_status, out = run(work)
                self.assertEqual(status, got_status, f"{files}: {out}")
                self.assertIn(text, out, str(files))


if __name__ == "__main__":
    unittest.main()
