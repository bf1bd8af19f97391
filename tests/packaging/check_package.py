#!/usr/bin/env python3
"""The release package holds what a user needs and nothing else: the two
programs and the help file as built, the sample skins, a Japanese and English
read-me in Shift-JIS with CRLF lines; fixed dates, plain attributes (a skin
folder with any attribute beyond "folder" is ignored by the program), and a
SHA-256 list that matches.  Usage: check_package.py ZIP BIN_DIR SOURCE_ROOT"""
import hashlib
import os
import sys
import zipfile

zip_path, bin_dir, root = sys.argv[1:4]
problems = []


def expect(ok, what):
    if not ok:
        problems.append(what)


z = zipfile.ZipFile(zip_path)
names = z.namelist()
wanted = {"noctil.exe": bin_dir, "noctillink.exe": bin_dir, "noctilhelp.chm": bin_dir}
for top, _, files in os.walk(os.path.join(root, "skins")):
    rel = os.path.relpath(top, root).replace(os.sep, "/")
    wanted[rel + "/"] = None
    wanted.update({rel + "/" + f: root for f in files})
expect(sorted(names) == sorted(list(wanted) + ["readme.txt"]), "members: %s" % names)
for name, src in wanted.items():
    if src and name in names:
        with open(os.path.join(src, name), "rb") as f:
            expect(z.read(name) == f.read(), "%s is not the file in %s" % (name, src))

for info in z.infolist():
    folder = info.filename.endswith("/")
    expect(info.date_time == z.infolist()[0].date_time, "%s has its own date" % info.filename)
    expect(info.external_attr == (0x10 if folder else 0x20), "%s has attributes %#x" % (info.filename, info.external_attr))

raw = z.read("readme.txt") if "readme.txt" in names else b""
expect(raw.count(b"\n") > 40 and raw.count(b"\r\n") == raw.count(b"\n") == raw.count(b"\r"), "read-me lines are not CRLF")
text = raw.decode("cp932", "replace")
japanese, _, english = text.partition("(English)")
for part, words in ((japanese, ["ファイルの置き場所", "削除"]), (english, ["Where it keeps", "remove"])):
    for word in words + ["noctil.exe 7 t", "noctil.gid", "noctil.ini"]:
        expect(word in part, "read-me part without %r" % word)
expect("\ufffd" not in text and "@" not in text, "read-me has an unreadable or unfilled place")
for part in (japanese, english):
    expect(part.count("Windows 95") == 1, "read-me part names the systems %d times" % part.count("Windows 95"))
long_lines = [l for l in raw.split(b"\r\n") if len(l) > 84]
expect(not long_lines, "read-me lines past 84 columns: %r" % long_lines[:2])

sums = os.path.splitext(zip_path)[0] + ".sha256"
listed = dict(reversed(l.split("  ", 1)) for l in open(sums).read().splitlines())
with open(zip_path, "rb") as f:
    expect(listed.pop(os.path.basename(zip_path), None) == hashlib.sha256(f.read()).hexdigest(), "zip sum")
expect(listed == {n: hashlib.sha256(z.read(n)).hexdigest() for n in names if not n.endswith("/")}, "member sums")

for p in problems:
    print("check_package: " + p)
print("check_package: %s %s (%d members)" % (zip_path, "FAILED" if problems else "ok", len(names)))
sys.exit(1 if problems else 0)
