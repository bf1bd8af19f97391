#!/usr/bin/env python3
"""Builds the release package: OUT/noctil-VERSION.zip and beside it
OUT/noctil-VERSION.sha256, the SHA-256 of the zip and of every file in it
(the format of sha256sum, so `sha256sum -c` checks both the download and an
unpacked copy).

    make_package.py --version 1.95 --bin build/bin --root . --out build/dist

The zip is the same bytes from the same inputs: the members come in a fixed
order, carry one fixed date and fixed MS-DOS attributes, and are compressed
with one fixed setting. Folders carry the folder attribute alone, because the
program ignores a skin folder with any further attribute. The user read-me is
resources/readme.txt turned into Shift-JIS with CRLF lines. Its two marker
lines (Japanese part, English part) take docs/msvcrt-note.txt when that file
is present: the lines before a line "---" go to the first, those after it to
the second (a note without "---" goes to both); without the file they vanish.
"""
import argparse
import hashlib
import io
import os
import sys
import zipfile

# The date every member carries (local time as MS-DOS stores it).
RELEASE_DATE = (2026, 12, 7, 12, 0, 0)
PROGRAM_FILES = ["noctil.exe", "noctillink.exe", "noctilhelp.chm"]
README = "readme.txt"
NOTE_MARKER = "@msvcrt-note@"
ATTR_FILE, ATTR_FOLDER = 0x20, 0x10  # archive; directory


def readme_text(root):
    """The read-me as the package holds it: CP932, CRLF."""
    with open(os.path.join(root, "resources", "readme.txt"), encoding="utf-8") as f:
        lines = f.read().splitlines()
    note_path = os.path.join(root, "docs", "msvcrt-note.txt")
    parts = [[]]
    if os.path.exists(note_path):
        with open(note_path, encoding="utf-8") as f:
            parts = [p.strip("\n").splitlines() for p in f.read().split("\n---\n")]
    out = []
    for line in lines:
        if line.strip() == NOTE_MARKER:
            out += parts[0]
            parts = parts[1:] or parts
        elif line or not out or out[-1]:  # no double blank line where no note went
            out.append(line)
    # encode() fails on a character CP932 lacks, which is what we want.
    return ("\r\n".join(l.rstrip() for l in out) + "\r\n").encode("cp932")


def members(bin_dir, root):
    """[(name in the zip, bytes or None for a folder)] in their fixed order:
    the programs as built, the read-me, the sample skins from the source tree."""
    found = []
    for name in PROGRAM_FILES:
        with open(os.path.join(bin_dir, name), "rb") as f:
            found.append((name, f.read()))
    found.append((README, readme_text(root)))
    folders, files = [], []
    for top, dirs, names in os.walk(os.path.join(root, "skins")):
        rel = os.path.relpath(top, root).replace(os.sep, "/")
        folders.append(rel + "/")
        files += [rel + "/" + n for n in names]
    for name in sorted(folders + files):
        if name.endswith("/"):
            found.append((name, None))
        else:
            with open(os.path.join(root, name), "rb") as f:
                found.append((name, f.read()))
    return found


def zip_bytes(entries):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        for name, data in entries:
            info = zipfile.ZipInfo(name, RELEASE_DATE)
            info.create_system = 0  # MS-DOS: the attributes below are what Windows applies
            if data is None:
                info.external_attr = ATTR_FOLDER
                z.writestr(info, b"")
            else:
                info.external_attr = ATTR_FILE
                info.compress_type = zipfile.ZIP_DEFLATED
                z.writestr(info, data, compresslevel=9)
    return buf.getvalue()


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--version", required=True)
    ap.add_argument("--bin", required=True, help="directory of the built programs")
    ap.add_argument("--root", required=True, help="the source tree")
    ap.add_argument("--out", required=True)
    args = ap.parse_args(argv)

    entries = members(args.bin, args.root)
    data = zip_bytes(entries)
    base = "noctil-%s" % args.version
    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, base + ".zip"), "wb") as f:
        f.write(data)
    sums = [(hashlib.sha256(data).hexdigest(), base + ".zip")]
    sums += [(hashlib.sha256(d).hexdigest(), n) for n, d in entries if d is not None]
    with open(os.path.join(args.out, base + ".sha256"), "w", newline="\n") as f:
        f.writelines("%s  %s\n" % s for s in sums)
    print("%s: %d bytes, %d files" % (os.path.join(args.out, base + ".zip"), len(data), len(sums) - 1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
