#!/usr/bin/env python3
"""Clears the two compile-time stamps chmcmd writes into a help file, in place:
the ITSF header's and the #SYSTEM record 10's. With them cleared the same
help sources always give the same bytes. Usage: clear_chm_time.py FILE.chm"""
import struct
import sys

from check_help import ChmError, parse_chm

ITSF_TIME = 0x10
SYSTEM_TIME = 10


def clear(data):
    data = bytearray(data)
    entries, content_offset = parse_chm(bytes(data))
    section, offset, length = entries.get("/#SYSTEM", (None, 0, 0))
    if section != 0:
        raise ChmError("no uncompressed /#SYSTEM")
    data[ITSF_TIME:ITSF_TIME + 4] = bytes(4)
    pos, end = content_offset + offset + 4, content_offset + offset + length
    while pos + 4 <= end:
        code, size = struct.unpack_from("<HH", data, pos)
        if code == SYSTEM_TIME:
            data[pos + 4:pos + 4 + size] = bytes(size)
        pos += 4 + size
    return bytes(data)


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        cleared = clear(f.read())
    with open(sys.argv[1], "wb") as f:
        f.write(cleared)
