"""Checks that each program loads on Windows 95 and NT 4.0 and behaves on
current Windows: a PE32 i386 GUI program for subsystem and OS version 4.0,
without a TLS directory, importing by name only functions of the list in
win95-nt4-functions.txt from DLLs that Windows always takes from the system
directory, no larger than its limit, and carrying a manifest
that runs it as the user with the current common controls and names the
Windows versions from Vista to 10."""
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE_LIMITS = {"noctil.exe": 128 * 1024, "noctillink.exe": 64 * 1024}
SUPPORTED_OS = ["e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]
RT_MANIFEST = 24
# The DLLs the programs may import: those every Windows we name takes from the
# system directory, whatever lies beside the program. They are KnownDLLs from
# Windows NT 3.5 on (knowledge base article Q102985 lists them among the
# defaults) and stay so in every later NT; on Windows 95, 98 and Me they are
# the system's own modules, loaded by the shell before any program starts.
# Every other library is loaded at run time by a full path.
SYSTEM_DIRECTORY_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll"}


def allowed_functions():
    allowed, dll = {}, None
    for line in open(os.path.join(HERE, "win95-nt4-functions.txt"), encoding="utf-8"):
        line = line.split("#", 1)[0].strip()
        if line.startswith("["):
            dll = line.strip("[]").lower()
            allowed[dll] = set()
        elif line:
            allowed[dll].add(line)
    return allowed


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
    directory = lambda i: struct.unpack_from("<II", data, opt + 96 + 8 * i)
    import_rva = directory(1)[0]
    if directory(9) != (0, 0):
        problems.append("has a TLS directory (its callbacks never run on Windows 95)")
    sec = opt + optsize
    sections = []
    for i in range(nsections):
        vsize, va, rawsize, raw = struct.unpack_from("<IIII", data, sec + i * 40 + 8)
        sections.append((va, vsize, raw, rawsize))
    dlls, count = [], 0
    allowed = allowed_functions()
    off = rva_to_offset(sections, import_rva)
    while True:
        lookup_rva, _, _, name_rva, thunk_rva = struct.unpack_from("<IIIII", data, off)
        if name_rva == 0:
            break
        dll = cstring(data, rva_to_offset(sections, name_rva))
        dlls.append(dll)
        if dll.lower() not in SYSTEM_DIRECTORY_DLLS:
            problems.append("imports %s, which Windows may load from the program's folder" % dll)
        entry = rva_to_offset(sections, lookup_rva or thunk_rva)
        while True:
            value = struct.unpack_from("<I", data, entry)[0]
            if value == 0:
                break
            if value & 0x80000000:
                problems.append("imports %s by ordinal %d" % (dll, value & 0xFFFF))
            else:
                name = cstring(data, rva_to_offset(sections, value) + 2)
                count += 1
                if name not in allowed.get(dll.lower(), ()):
                    problems.append("imports %s!%s, not on the Windows 95/NT 4.0 list" % (dll, name))
            entry += 4
        off += 20
    limit = SIZE_LIMITS.get(os.path.basename(path).lower())
    if limit is not None and len(data) > limit:
        problems.append("%d bytes, more than its limit of %d" % (len(data), limit))
    rsrc_rva = directory(2)[0]
    manifest = find_resource(data, sections, rsrc_rva, RT_MANIFEST) if rsrc_rva else None
    problems += check_manifest(manifest)
    mapfile = os.path.splitext(path)[0] + ".map"
    if os.path.exists(mapfile) and "libwinpthread" in open(mapfile, errors="replace").read():
        problems.append("winpthread linked in (see %s)" % mapfile)
    print("%s: %d bytes, %d functions imported from %s" % (os.path.basename(path), len(data), count, ", ".join(dlls)))
    return problems


def find_resource(data, sections, rsrc_rva, type_id):
    """The data of the first resource of a type (any id, any language)."""
    base = rva_to_offset(sections, rsrc_rva)

    def first_entry(directory_offset, wanted=None):
        named, ids = struct.unpack_from("<HH", data, directory_offset + 12)
        for i in range(named + ids):
            ident, target = struct.unpack_from("<II", data, directory_offset + 16 + 8 * i)
            if wanted is None or ident == wanted:
                return target
        return None

    target = first_entry(base, type_id)
    while target is not None and target & 0x80000000:
        target = first_entry(base + (target & 0x7FFFFFFF))
    if target is None:
        return None
    data_rva, size = struct.unpack_from("<II", data, base + target)
    start = rva_to_offset(sections, data_rva)
    return data[start:start + size].decode("utf-8", errors="replace")


def check_manifest(text):
    if text is None:
        return ["no manifest resource"]
    problems = []
    levels = re.findall(r'requestedExecutionLevel\s+level="(\w+)"', text)
    if levels != ["asInvoker"]:
        problems.append("manifest execution level %s, want asInvoker only" % levels)
    if 'uiAccess="false"' not in text:
        problems.append("manifest does not say uiAccess=false")
    if not re.search(r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.0\.0\.0"', text):
        problems.append("manifest does not ask for common controls 6.0.0.0")
    # Windows refuses a program whose manifest names another architecture.
    architectures = re.findall(r'processorArchitecture="([^"]*)"', text)
    if architectures != ["x86", "x86"]:
        problems.append("manifest architectures %s, want x86 for the program and its dependency" % architectures)
    ids = [i.lower() for i in re.findall(r'supportedOS\s+Id="\{([^}]+)\}"', text)]
    missing = [i for i in SUPPORTED_OS if i not in ids]
    if missing:
        problems.append("manifest lacks supportedOS %s" % ", ".join(missing))
    return problems


failed = 0
for exe in sys.argv[1:]:
    for p in inspect(exe):
        print("FAIL %s: %s" % (exe, p))
        failed += 1
print("%d passed, %d failed" % (len(sys.argv) - 1 - min(failed, len(sys.argv) - 1), failed))
sys.exit(1 if failed else 0)
