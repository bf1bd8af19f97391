"""Checks that each program is a PE32 i386 GUI program for subsystem 4.0 that
imports only system DLLs and carries nothing of the thread runtime."""
import os
import struct
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "wsock32.dll", "ole32.dll", "oleaut32.dll", "comctl32.dll", "msvcrt.dll",
               "comdlg32.dll", "shlwapi.dll", "version.dll", "winmm.dll", "uuid.dll"}


def rva_to_offset(sections, rva):
    for va, vsize, raw, rawsize in sections:
        if va <= rva < va + max(vsize, rawsize):
            return rva - va + raw
    raise ValueError("rva 0x%x outside sections" % rva)


def cstring(data, off):
    end = data.index(b"\0", off)
    return data[off:end].decode("ascii")


def inspect(path):
    data = open(path, "rb").read()
    problems = []
    if data[:2] != b"MZ":
        return ["not an MZ executable"]
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return ["no PE signature"]
    machine, nsections, _, _, _, optsize, characteristics = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    if machine != 0x14C:
        problems.append("machine 0x%x, want i386 (0x14c)" % machine)
    if magic != 0x10B:
        problems.append("optional header magic 0x%x, want PE32 (0x10b)" % magic)
    os_major, os_minor = struct.unpack_from("<HH", data, opt + 40)
    sub_major, sub_minor = struct.unpack_from("<HH", data, opt + 48)
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    if subsystem != 2:
        problems.append("subsystem %d, want 2 (Windows GUI)" % subsystem)
    if (sub_major, sub_minor) != (4, 0):
        problems.append("subsystem version %d.%d, want 4.0" % (sub_major, sub_minor))
    if (os_major, os_minor) != (4, 0):
        problems.append("OS version %d.%d, want 4.0" % (os_major, os_minor))
    import_rva = struct.unpack_from("<I", data, opt + 96 + 8)[0]
    sec = opt + optsize
    sections = []
    for i in range(nsections):
        vsize, va, rawsize, raw = struct.unpack_from("<IIII", data, sec + i * 40 + 8)
        sections.append((va, vsize, raw, rawsize))
    dlls = []
    off = rva_to_offset(sections, import_rva)
    while True:
        name_rva = struct.unpack_from("<I", data, off + 12)[0]
        if name_rva == 0:
            break
        dlls.append(cstring(data, rva_to_offset(sections, name_rva)))
        off += 20
    foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
    if foreign:
        problems.append("imports non-system DLLs: %s" % ", ".join(foreign))
    mapfile = os.path.splitext(path)[0] + ".map"
    if os.path.exists(mapfile) and "libwinpthread" in open(mapfile, errors="replace").read():
        problems.append("winpthread linked in (see %s)" % mapfile)
    print("%s: %d KiB, imports %s" % (os.path.basename(path), len(data) // 1024, ", ".join(dlls)))
    return problems


failed = 0
for exe in sys.argv[1:]:
    for p in inspect(exe):
        print("FAIL %s: %s" % (exe, p))
        failed += 1
print("%d passed, %d failed" % (len(sys.argv) - 1 - min(failed, len(sys.argv) - 1), failed))
sys.exit(1 if failed else 0)
