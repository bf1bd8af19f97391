#!/usr/bin/env python3
"""Checks the generated pictures: formats, sizes, bit depths, hotspots,
transparency, the seams between skin pieces, that each double-size sheet is
its sheet at twice the size, and (with --reproduce) that tools/make_art.py
still writes exactly the committed bytes.

    python3 tools/check_art.py [--reproduce] [repo-root]

Prints every failure and exits 1 if there was any.
"""
import os
import re
import struct
import subprocess
import sys
import tempfile

failures = []


def fail(path, msg):
    failures.append('%s: %s' % (path, msg))


class Image:
    """Decoded DIB: w, h, bpp and rows of RGB tuples (None = transparent)."""

    def __init__(self, w, h, bpp, px):
        self.w, self.h, self.bpp, self.px = w, h, bpp, px

    def get(self, x, y):
        return self.px[y * self.w + x]


def _unpack(data, off, w, h, bpp, top_down=False):
    stride = ((w * bpp + 31) // 32) * 4
    need = stride * h
    if len(data) < off + need:
        raise ValueError('pixel data too short: %d bytes from %d, need %d'
                         % (len(data) - off, off, need))
    rows = []
    for r in range(h):
        base = off + r * stride
        row = []
        for x in range(w):
            if bpp == 24:
                b, g, rr = data[base + 3 * x: base + 3 * x + 3]
                row.append((rr, g, b))
            else:
                bit = x * bpp
                byte = data[base + bit // 8]
                row.append((byte >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1))
        rows.append(row)
    if not top_down:
        rows.reverse()
    return [p for row in rows for p in row], off + need


BI_RLE4 = 2


def _unrle4(data, off, w, h):
    """Decodes BI_RLE4 pixel data into palette indices, top-down; every row
    must be filled exactly and the data must end with end of bitmap."""
    px = [None] * (w * h)
    x = y = 0
    while True:
        if off + 2 > len(data):
            raise ValueError('RLE4 data ends without end of bitmap')
        n, v = data[off], data[off + 1]
        off += 2
        if n:
            nibbles = [v >> 4, v & 15] * ((n + 1) // 2)
        elif v in (0, 1):   # end of line, end of bitmap
            if x != w:
                raise ValueError('RLE4 row %d ends at %d of %d pixels' % (y, x, w))
            x, y = 0, y + 1
            if v == 1:
                if y != h:
                    raise ValueError('RLE4 data ends after %d of %d rows' % (y, h))
                return px
            continue
        elif v == 2:
            raise ValueError('RLE4 delta records are not used here')
        else:               # absolute: v indices, padded to a word
            nibbles = [b >> s & 15 for b in data[off:off + (v + 1) // 2] for s in (4, 0)]
            off += ((v + 1) // 2 + 1) & ~1
            n = v
        if y >= h or x + n > w or len(nibbles) < n:
            raise ValueError('RLE4 run of %d at %d,%d leaves the %dx%d picture' % (n, x, y, w, h))
        for i in range(n):
            px[(h - 1 - y) * w + x + i] = nibbles[i]
        x += n


def _dib(data, off, bmp_file):
    """Parses a BITMAPINFOHEADER DIB at `off`; returns (header fields,
    palette, pixel offset). Only a 4-bit .bmp file may be BI_RLE4 coded."""
    if len(data) < off + 40:
        raise ValueError('truncated header')
    (size, w, h, planes, bpp, comp, image, _xp, _yp, used,
     _imp) = struct.unpack_from('<IiiHHIIiiII', data, off)
    if size != 40:
        raise ValueError('header size %d, want 40 (BITMAPINFOHEADER)' % size)
    if planes != 1 or comp not in ((0, BI_RLE4) if bmp_file and bpp == 4 else (0,)):
        raise ValueError('planes %d compression %d at %d bpp' % (planes, comp, bpp))
    if h <= 0:
        raise ValueError('height %d: not bottom-up' % h)
    ncol = 0 if bpp == 24 else (used or (1 << bpp))
    pal_off = off + 40
    pal = [tuple(reversed(data[pal_off + 4 * i: pal_off + 4 * i + 3])) for i in range(ncol)]
    return (w, h, bpp, comp, image), pal, pal_off + 4 * ncol


def read_bmp(path):
    data = open(path, 'rb').read()
    magic, size, _r1, _r2, bits = struct.unpack_from('<2sIHHI', data, 0)
    if magic != b'BM':
        raise ValueError('not a BMP file')
    if size != len(data):
        raise ValueError('file size field %d, file has %d bytes' % (size, len(data)))
    (w, h, bpp, comp, image), pal, pix = _dib(data, 14, True)
    if bits != pix:
        raise ValueError('pixel offset %d, expected %d' % (bits, pix))
    if comp == BI_RLE4:
        if image != len(data) - bits:
            raise ValueError('image size field %d, RLE4 data has %d bytes' % (image, len(data) - bits))
        px = _unrle4(data, bits, w, h)
    else:
        px, end = _unpack(data, bits, w, h, bpp)
    if bpp != 24:
        px = [pal[i] for i in px]
    img = Image(w, h, bpp, px)
    img.compressed = comp == BI_RLE4
    return img


def read_icons(path, kind):
    """Returns [(Image, hotspot or None)] for an .ico (kind 1) or .cur (2)."""
    data = open(path, 'rb').read()
    reserved, typ, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or typ != kind or count < 1:
        raise ValueError('directory says reserved %d type %d count %d' % (reserved, typ, count))
    out = []
    for i in range(count):
        ew, eh, _colours, _res, f1, f2, nbytes, off = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        if off + nbytes > len(data):
            raise ValueError('image %d runs past the end of the file' % i)
        (w, h2, bpp, _comp, _image), pal, pix = _dib(data, off, False)
        w_e, h_e = ew or 256, eh or 256
        if (w, h2) != (w_e, 2 * h_e):
            raise ValueError('image %d: header %dx%d, entry %dx%d (height must be doubled)'
                             % (i, w, h2, w_e, h_e))
        if kind == 1 and f2 != bpp:
            raise ValueError('image %d: entry says %d bpp, header %d' % (i, f2, bpp))
        h = h2 // 2
        xor, after = _unpack(data, pix, w, h, bpp)
        mask, end = _unpack(data, after, w, h, 1)
        if end - off != nbytes:
            raise ValueError('image %d: %d bytes of data, entry says %d (AND mask missing?)'
                             % (i, end - off, nbytes))
        px = []
        for v, m in zip(xor, mask):
            colour = v if bpp == 24 else pal[v]
            if m and colour != (0, 0, 0):
                raise ValueError('image %d: a masked pixel is not black, it would invert the screen' % i)
            px.append(None if m else colour)
        out.append((Image(w, h, bpp, px), (f1, f2) if kind == 2 else None))
    return out


# ---------------------------------------------------------------------------

BMPS = {  # file: (width, height, allowed bit depths)
    'sheet@2x.bmp': (440, 242, (4,)),
    'bmp101.bmp': (220, 65, (4,)),
    'bmp103.bmp': (23, 23, (4,)), 'bmp104.bmp': (23, 23, (4,)),
    'bmp105.bmp': (23, 23, (4,)), 'bmp106.bmp': (23, 23, (4,)),
    'bmp108.bmp': (125, 24, (4,)),
    'bmp111.bmp': (10, 9, (4,)),
    'bmp113.bmp': (141, 122, (4, 8)),
}
# The double-size sheet is compiled into the program, which has a size limit:
# it stays run-length coded and within this many bytes.
SHEET_2X_BUDGET = 20 * 1024
ICONS = ('ico114.ico', 'ico118.ico', 'ico119.ico', 'ico124.ico')
ICON_SIZES = [16, 20, 24, 32]   # every icon holds each size; corners transparent
CURSORS = {'cur105.cur': (0, 0), 'cur109.cur': (4, 8), 'cur122.cur': (4, 4)}  # hotspot at 32
CURSOR_SIZES = [32, 48, 64]

# Where each piece is drawn on the face, and where it lies on a skin sheet.
FACE_AT = {103: (185, 25), 104: (185, 25), 105: (185, 25), 106: (185, 25),
           108: (48, 34), 111: (208, 2)}
SHEET_RECT = {101: (0, 56, 220, 65), 103: (0, 0, 23, 23), 104: (32, 0, 23, 23),
              105: (64, 0, 23, 23), 106: (96, 0, 23, 23), 108: (0, 32, 125, 24),
              111: (128, 0, 10, 9)}


def crop(img, x, y, w, h):
    return Image(w, h, img.bpp, [img.get(x + i, y + j) for j in range(h) for i in range(w)])


def sheet_pieces(sheet, k=1):
    """The pieces cut from a skin sheet drawn at scale k."""
    return {i: crop(sheet, *(v * k for v in r)) for i, r in SHEET_RECT.items()}


def check_seams(where, panel, pieces, k=1):
    """A piece is copied opaquely over the panel, so its corners must be the
    panel's own pixels there (the close box is the exception: a box in full)."""
    for ident, (x, y) in FACE_AT.items():
        if ident == 111:
            continue
        img, x, y = pieces[ident], x * k, y * k
        for cx, cy in ((0, 0), (img.w - 1, 0), (0, img.h - 1), (img.w - 1, img.h - 1)):
            if img.get(cx, cy) != panel.get(x + cx, y + cy):
                fail(where, 'piece %d corner (%d,%d) is %r, panel under it is %r'
                     % (ident, cx, cy, img.get(cx, cy), panel.get(x + cx, y + cy)))


def check_double(where, pieces, double):
    """A double-size sheet holds the pieces redrawn finer: nearly every
    pixel of each has about the colour of the piece's pixel it lies on
    (gradients come out finer), and they join the panel as the pieces do."""
    k = 2
    doubled = sheet_pieces(double, k)
    check_seams(where, doubled[101], doubled, k)
    check_arrows(where, doubled[108], doubled[101], k)
    near = lambda a, b: max(abs(i - j) for i, j in zip(a, b)) <= 12
    for ident, img in sorted(doubled.items()):
        same = sum(near(img.get(x, y), pieces[ident].get(x // k, y // k))
                   for y in range(img.h) for x in range(img.w))
        if same < 0.85 * img.w * img.h:
            fail(where, 'piece %d: only %d of %d pixels match the piece at 1x'
                 % (ident, same, img.w * img.h))


def check_arrows(where, arrows, panel, k=1):
    """Arrows only where the digit columns are: above each column in the top
    rows, below it in the bottom rows, background elsewhere."""
    under = crop(panel, 48 * k, 34 * k, arrows.w, arrows.h)
    for off in (0, 28, 49, 73, 94, 116):
        x = (off + 53 - 48) * k
        if arrows.get(x, 0) == under.get(x, 0) or arrows.get(x, arrows.h - 1) == under.get(x, arrows.h - 1):
            fail(where, 'no arrow tip over the digit column at offset %d' % off)
    mid = arrows.h // 2
    for x in range(arrows.w):
        if arrows.get(x, mid) != under.get(x, mid):
            fail(where, 'arrow image differs from the panel at its middle row, x %d' % x)
            break


def check(root):
    art = os.path.join(root, 'resources', 'art')
    images = {}
    for name, (w, h, depths) in sorted(BMPS.items()):
        path = os.path.join(art, name)
        try:
            img = read_bmp(path)
        except (OSError, ValueError, struct.error) as e:
            fail(path, e)
            continue
        if (img.w, img.h) != (w, h):
            fail(path, 'size %dx%d, want %dx%d' % (img.w, img.h, w, h))
        if img.bpp not in depths:
            fail(path, '%d bits per pixel, want %s' % (img.bpp, depths))
        images[name] = img
    pieces = {int(n[3:6]): img for n, img in images.items() if n.startswith('bmp')}
    if all(i in pieces for i in SHEET_RECT):
        check_seams(art, pieces[101], pieces)
        check_arrows(art, pieces[108], pieces[101])
    double = images.get('sheet@2x.bmp')
    if double and (double.w, double.h) == (440, 242):
        where = os.path.join(art, 'sheet@2x.bmp')
        size = os.path.getsize(where)
        if not double.compressed or size > SHEET_2X_BUDGET:
            fail(where, '%d bytes, %s; want RLE4 within %d' % (
                size, 'RLE4' if double.compressed else 'uncompressed', SHEET_2X_BUDGET))
        if all(i in pieces for i in SHEET_RECT):
            check_double(where, pieces, double)

    icons = {}
    for name in ICONS:
        sizes = ICON_SIZES
        path = os.path.join(art, name)
        try:
            found = read_icons(path, 1)
        except (OSError, ValueError, struct.error) as e:
            fail(path, e)
            continue
        got = sorted(img.w for img, _ in found)
        if got != sorted(sizes) or any(img.w != img.h for img, _ in found):
            fail(path, 'image sizes %s, want %s square' % (got, sizes))
        for img, _ in found:
            if img.bpp not in (4, 32):
                fail(path, '%dx%d image has %d bpp, want 4 or 32' % (img.w, img.w, img.bpp))
            if img.get(0, 0) is not None or img.get(img.w - 1, img.h - 1) is not None:
                fail(path, '%dx%d image: corners are not transparent' % (img.w, img.h))
            if all(p is None for p in img.px):
                fail(path, '%dx%d image is fully transparent' % (img.w, img.h))
        icons[name] = found

    cursors = {}
    for name, hot in sorted(CURSORS.items()):
        path = os.path.join(art, name)
        try:
            found = read_icons(path, 2)
        except (OSError, ValueError, struct.error) as e:
            fail(path, e)
            continue
        got = [(img.w, img.h, img.bpp) for img, _ in found]
        if got != [(n, n, 1) for n in CURSOR_SIZES]:
            fail(path, 'images %s, want 1-bpp ones of %s pixels' % (got, CURSOR_SIZES))
            continue
        for img, spot in found:
            want = (hot[0] * img.w // 32, hot[1] * img.w // 32)
            if spot != want:
                fail(path, '%d-pixel image: hotspot %r, want %r' % (img.w, spot, want))
            elif img.get(*spot) is None:
                fail(path, '%d-pixel image: the hotspot pixel %r is transparent' % (img.w, spot))
        cursors[name] = found[0][0]
    if 'ico124.ico' in icons and 'cur122.cur' in cursors:
        icon32 = [img for img, _ in icons['ico124.ico'] if img.w == 32]
        if not icon32 or icon32[0].px != cursors['cur122.cur'].px:
            fail(art, 'icon 124 and cursor 122 do not show the same picture at 32 pixels')

    check_skins(os.path.join(root, 'skins'))


def check_skins(skins):
    names = sorted(d for d in os.listdir(skins) if os.path.isdir(os.path.join(skins, d))) \
        if os.path.isdir(skins) else []
    if len(names) < 2:
        fail(skins, 'want at least two sample skins, found %s' % names)
    for d in names:
        where = os.path.join(skins, d)
        if d.startswith('.'):
            fail(where, 'a skin directory must not begin with a dot')
        try:
            sheet = read_bmp(os.path.join(where, 'skin.bmp'))
        except (OSError, ValueError, struct.error) as e:
            fail(os.path.join(where, 'skin.bmp'), e)
            sheet = None
        if sheet:
            if (sheet.w, sheet.h) != (220, 121) or sheet.bpp not in (8, 24):
                fail(where, 'skin.bmp is %dx%d %d bpp, want 220x121 at 8 or 24'
                     % (sheet.w, sheet.h, sheet.bpp))
            else:
                pieces = sheet_pieces(sheet)
                check_seams(where, pieces[101], pieces)
                check_arrows(where, pieces[108], pieces[101])
                double_sheet(where, sheet, pieces)
        ini = os.path.join(where, 'skin.ini')
        try:
            raw = open(ini, 'rb').read()
            text = raw.decode('cp932')
        except (OSError, UnicodeDecodeError) as e:
            fail(ini, e)
            continue
        if re.search(rb'(?<!\r)\n', raw) or not raw.endswith(b'\r\n'):
            fail(ini, 'lines must end with CRLF')
        lines = text.splitlines()
        if lines[0] != '[SKIN]':
            fail(ini, 'first line %r, want [SKIN]' % lines[0])
        keys = dict(l.split('=', 1) for l in lines[1:] if '=' in l)
        if not keys.get('NAME'):
            fail(ini, 'NAME is missing or empty')
        for k in ('TEXTCOLOR1', 'TEXTCOLOR2', 'TEXTCOLOR3'):
            if not re.fullmatch(r'#[0-9A-Fa-f]{6}', keys.get(k, '')):
                fail(ini, '%s=%r is not #RRGGBB' % (k, keys.get(k)))


def double_sheet(where, sheet, pieces):
    """A skin's skin@2x.bmp is optional; one that is there is skin.bmp at
    twice the size, in the same format."""
    path = os.path.join(where, 'skin@2x.bmp')
    if not os.path.exists(path):
        return
    try:
        double = read_bmp(path)
    except (OSError, ValueError, struct.error) as e:
        fail(path, e)
        return
    if (double.w, double.h, double.bpp) != (440, 242, sheet.bpp):
        fail(path, '%dx%d %d bpp, want 440x242 at %d like skin.bmp'
             % (double.w, double.h, double.bpp, sheet.bpp))
    else:
        check_double(path, pieces, double)


def check_reproducible(root):
    """Runs the generator into a scratch tree and compares every file."""
    with tempfile.TemporaryDirectory() as tmp:
        gen = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'make_art.py')
        r = subprocess.run([sys.executable, gen, tmp], stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT)
        if r.returncode != 0:
            fail(gen, 'failed with %d:\n%s' % (r.returncode, r.stdout.decode(errors='replace')))
            return
        for base, _dirs, files in os.walk(tmp):
            for f in files:
                fresh = os.path.join(base, f)
                rel = os.path.relpath(fresh, tmp)
                try:
                    same = open(fresh, 'rb').read() == open(os.path.join(root, rel), 'rb').read()
                except OSError as e:
                    fail(rel, e)
                    continue
                if not same:
                    fail(rel, 'differs from what make_art.py writes now; run it and commit')


def main(argv):
    args = [a for a in argv[1:] if a != '--reproduce']
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    check(root)
    if '--reproduce' in argv:
        check_reproducible(root)
    for f in failures:
        print('check_art: FAIL %s' % f, file=sys.stderr)
    if failures:
        return 1
    print('check_art: all pictures ok')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
