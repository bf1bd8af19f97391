#!/usr/bin/env python3
"""Sanity check of a compiled help file (noctilhelp.chm).

Reads the CHM container itself, with no outside tool: the ITSF header, the
directory (ITSP header and its PMGL listing chunks) and the uncompressed
#SYSTEM file. It checks that
  - the file starts with the ITSF signature and its directory parses,
  - every page, the stylesheet, the contents and the index named by the
    help project are in the directory,
  - #SYSTEM names Japanese (LCID 0x0411) and a default topic that exists.
Page bodies are LZX-compressed and are not inspected here.

Usage: check_help.py [--project HHP] [--list] PATH_TO_CHM
Exit status 0 when the file passes, 1 when it does not, 2 on bad usage.
"""
import argparse
import os
import struct
import sys

JAPANESE_LCID = 0x0411
DEFAULT_PROJECT = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                               "..", "resources", "help", "noctilhelp.hhp")


class ChmError(Exception):
    pass


def read_encint(buf, pos):
    """Big-endian base-128 integer, high bit set on all but the last byte."""
    value = 0
    while True:
        if pos >= len(buf):
            raise ChmError("directory entry runs past its chunk")
        byte = buf[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


def parse_chm(data):
    """Return ({name: (section, offset, length)}, content_offset)."""
    if len(data) < 0x58 or data[:4] != b"ITSF":
        raise ChmError("no ITSF signature")
    version = struct.unpack_from("<I", data, 4)[0]
    dir_offset, dir_length = struct.unpack_from("<QQ", data, 0x48)
    if version >= 3:
        content_offset = struct.unpack_from("<Q", data, 0x58)[0]
    else:
        content_offset = dir_offset + dir_length
    if dir_offset + 0x54 > len(data) or data[dir_offset:dir_offset + 4] != b"ITSP":
        raise ChmError("no ITSP directory header at offset %d" % dir_offset)

    itsp_len, _, chunk_size = struct.unpack_from("<III", data, dir_offset + 8)
    first_pmgl, last_pmgl = struct.unpack_from("<ii", data, dir_offset + 0x20)
    chunk_count = struct.unpack_from("<I", data, dir_offset + 0x2C)[0]
    chunks_at = dir_offset + itsp_len
    if chunk_size < 0x14 or chunks_at + chunk_count * chunk_size > len(data):
        raise ChmError("directory chunks do not fit in the file")

    entries = {}
    chunk_no = first_pmgl
    seen = set()
    while chunk_no != -1:
        if chunk_no in seen or not 0 <= chunk_no < chunk_count:
            raise ChmError("bad listing chunk chain at %d" % chunk_no)
        seen.add(chunk_no)
        base = chunks_at + chunk_no * chunk_size
        chunk = data[base:base + chunk_size]
        if chunk[:4] != b"PMGL":
            raise ChmError("chunk %d is not a listing chunk" % chunk_no)
        free_space, _, _, next_chunk = struct.unpack_from("<IIiI", chunk, 4)
        end = chunk_size - free_space
        pos = 0x14
        while pos < end:
            name_len, pos = read_encint(chunk, pos)
            name = chunk[pos:pos + name_len].decode("utf-8", "replace")
            pos += name_len
            section, pos = read_encint(chunk, pos)
            offset, pos = read_encint(chunk, pos)
            length, pos = read_encint(chunk, pos)
            entries[name] = (section, offset, length)
        if chunk_no == last_pmgl:
            break
        chunk_no = struct.unpack("<i", struct.pack("<I", next_chunk))[0]
    if not entries:
        raise ChmError("empty directory")
    return entries, content_offset


def system_records(data, entries, content_offset):
    """Records of #SYSTEM as {code: bytes}; it is stored uncompressed."""
    if "/#SYSTEM" not in entries:
        raise ChmError("no /#SYSTEM")
    section, offset, length = entries["/#SYSTEM"]
    if section != 0:
        raise ChmError("/#SYSTEM is not in the uncompressed section")
    blob = data[content_offset + offset:content_offset + offset + length]
    if len(blob) != length or length < 4:
        raise ChmError("/#SYSTEM runs past the end of the file")
    records = {}
    pos = 4
    while pos + 4 <= len(blob):
        code, size = struct.unpack_from("<HH", blob, pos)
        records[code] = blob[pos + 4:pos + 4 + size]
        pos += 4 + size
    return records


def expected_files(project):
    """Files the help project puts into the CHM: [FILES], contents, index."""
    names = []
    section = None
    with open(project, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1].upper()
                continue
            if section == "FILES":
                names.append(line)
            elif section == "OPTIONS" and "=" in line:
                key, value = (s.strip() for s in line.split("=", 1))
                if key.lower() in ("contents file", "index file"):
                    names.append(value)
    return names


def check(path, project):
    """List of problems found; empty when the file passes."""
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        return ["cannot read %s: %s" % (path, e)]
    try:
        entries, content_offset = parse_chm(data)
        records = system_records(data, entries, content_offset)
    except (ChmError, struct.error) as e:
        return ["%s: %s" % (path, e)]

    problems = []
    present = {name.lower() for name in entries}
    for name in expected_files(project):
        if "/" + name.replace("\\", "/").lower() not in present:
            problems.append("missing from the directory: %s" % name)

    lcid_record = records.get(4, b"")
    lcid = struct.unpack_from("<I", lcid_record)[0] if len(lcid_record) >= 4 else None
    if lcid != JAPANESE_LCID:
        problems.append("language is %s, expected 0x%04X"
                        % ("missing" if lcid is None else "0x%04X" % lcid, JAPANESE_LCID))
    topic = records.get(2, b"").split(b"\0")[0].decode("cp932", "replace")
    if not topic:
        problems.append("no default topic")
    elif "/" + topic.lower() not in present:
        problems.append("default topic %s is not in the file" % topic)
    return problems


def main(argv=None):
    ap = argparse.ArgumentParser(description="Check a compiled Noctil help file.")
    ap.add_argument("chm")
    ap.add_argument("--project", default=DEFAULT_PROJECT,
                    help="help project whose files must be present (default: %(default)s)")
    ap.add_argument("--list", action="store_true", help="print the directory listing")
    args = ap.parse_args(argv)

    if not os.path.isfile(args.project):
        print("check_help: no project file %s" % args.project, file=sys.stderr)
        return 2
    if args.list:
        try:
            with open(args.chm, "rb") as f:
                entries, _ = parse_chm(f.read())
            for name, (section, offset, length) in sorted(entries.items()):
                print("%d %8d %8d %s" % (section, offset, length, name))
        except (OSError, ChmError, struct.error) as e:
            print("check_help: %s" % e, file=sys.stderr)
            return 1
    problems = check(args.chm, args.project)
    for p in problems:
        print("check_help: " + p, file=sys.stderr)
    if problems:
        return 1
    print("check_help: %s ok (%d files expected)"
          % (args.chm, len(expected_files(args.project))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
