#!/usr/bin/env python3
"""Draws Noctil's built-in pictures and writes them as BMP/ICO/CUR files.

Plain standard library: the file formats are packed by hand with struct, so
the output depends on nothing but this script and is byte-for-byte stable.

    python3 tools/make_art.py [repo-root]

writes resources/art/* (the built-in pictures: skin pieces, the built-in
skin's sheet at twice the size for high display scaling, icons of 16 to 32
pixels, cursors of 32 to 64) and skins/*/ (two sample skins, each with a
sheet at 1x and 2x). tools/check_art.py --reproduce checks that the committed
files are exactly what this script writes.
"""
import os
import struct
import sys

# ---------------------------------------------------------------------------
# Colours

PALE = (255, 240, 158)      # faces, text area
ORANGE = (236, 152, 0)      # frames, button faces, arrows
BROWN = (154, 100, 0)       # shadows
YELLOW = (255, 235, 0)      # highlights, the crescent
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------------------
# Canvas: a grid of RGB tuples; None marks a transparent pixel (icons only).
#
# Drawing calls take design units. A canvas made at scale k has k x k pixels
# to a unit (w and h count pixels), so the same drawing made at k = 2 comes
# out sharper rather than blockier: rectangles and lines grow k-fold, shapes
# are tested at every pixel's centre, text takes a font drawn for that scale.
# get() and the rim/halo passes work on pixels.

class Canvas:
    def __init__(self, w, h, fill=None, k=1):
        self.k = k
        self.w, self.h = w * k, h * k
        self.px = [fill] * (self.w * self.h)
        if callable(fill):
            self.rect(0, 0, w - 1, h - 1, fill)

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y * self.w + x]
        return None

    def put(self, x, y, c):
        """Sets one pixel. c is a colour or a function of the pixel's centre
        in units, less half a unit (so at k = 1, of its plain coordinates),
        giving one: gradients."""
        if 0 <= x < self.w and 0 <= y < self.h:
            k = self.k
            self.px[y * self.w + x] = c((x + 0.5) / k - 0.5, (y + 0.5) / k - 0.5) if callable(c) else c

    def set(self, x, y, c):
        self.rect(x, y, x, y, c)

    def rect(self, x0, y0, x1, y1, c):
        """Fills the inclusive rectangle of units."""
        k = self.k
        for y in range(y0 * k, (y1 + 1) * k):
            for x in range(x0 * k, (x1 + 1) * k):
                self.put(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x, y1, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def bevel(self, x0, y0, x1, y1, light, dark):
        """Top and left edges light, bottom and right edges dark."""
        self.hline(x0, x1, y0, light)
        self.vline(x0, y0, y1, light)
        self.hline(x0, x1, y1, dark)
        self.vline(x1, y0, y1, dark)

    def shape(self, inside, c, x0=0, y0=0, x1=None, y1=None):
        """Paints every pixel whose centre, in units, satisfies inside(x, y),
        within the inclusive rectangle of units."""
        k = self.k
        x1 = self.w // k - 1 if x1 is None else x1
        y1 = self.h // k - 1 if y1 is None else y1
        for y in range(y0 * k, (y1 + 1) * k):
            for x in range(x0 * k, (x1 + 1) * k):
                if inside((x + 0.5) / k, (y + 0.5) / k):
                    self.put(x, y, c)

    def blit(self, src, dx, dy):
        if src.k != self.k:
            raise ValueError('blit from scale %d onto scale %d' % (src.k, self.k))
        dx, dy = dx * self.k, dy * self.k
        for y in range(src.h):
            for x in range(src.w):
                c = src.px[y * src.w + x]
                if c is not None:
                    self.put(dx + x, dy + y, c)

    def crop(self, x, y, w, h):
        k = self.k
        out = Canvas(w, h, k=k)
        for j in range(out.h):
            for i in range(out.w):
                out.px[j * out.w + i] = self.get(x * k + i, y * k + j)
        return out

    def edge(self, c, where=None, width=None):
        """Recolours the rim of the painted area, `width` pixels deep (one
        unit unless told): painted pixels (optionally only those of colour
        `where`) within that many steps (4-neighbourhood) of a transparent
        pixel or the border."""
        width = self.k if width is None else width
        rim = set()
        for _ in range(width):
            hits = []
            for y in range(self.h):
                for x in range(self.w):
                    p = self.get(x, y)
                    if p is None or (x, y) in rim or (where is not None and p != where):
                        continue
                    for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                        if (not (0 <= nx < self.w and 0 <= ny < self.h)
                                or self.get(nx, ny) is None or (nx, ny) in rim):
                            hits.append((x, y))
                            break
            rim.update(hits)
        for x, y in rim:
            self.put(x, y, c)

    def halo(self, c, of, width=1):
        """Paints transparent pixels within `width` pixels (8-neighbourhood)
        of a pixel of colour `of`."""
        near = range(-width, width + 1)
        hits = []
        for y in range(self.h):
            for x in range(self.w):
                if self.get(x, y) is not None:
                    continue
                if any(self.get(x + i, y + j) == of for i in near for j in near):
                    hits.append((x, y))
        for x, y in hits:
            self.put(x, y, c)

    def text(self, font, s, x, y, c, scale=1, spacing=1):
        """Draws s at (x, y) in units. `font` is drawn for this canvas's
        scale (one glyph pixel per pixel), or a table of such fonts by scale;
        `scale` enlarges the glyph pixels further."""
        if self.k in font:
            font = font[self.k]
        k = self.k
        x, y = x * k, y * k
        for ch in s:
            rows = font[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == 'X':
                        for py in range(y + j * scale, y + j * scale + scale):
                            for px in range(x + i * scale, x + i * scale + scale):
                                self.put(px, py, c)
            x += (len(rows[0]) + spacing * k) * scale


def text_width(font, s, scale=1, spacing=1):
    return sum((len(font[ch][0]) + spacing) * scale for ch in s) - spacing * scale


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def crescent(cx, cy, r, ccx, ccy, cr):
    """The disc (cx, cy, r) without the disc (ccx, ccy, cr)."""
    a, b = disc(cx, cy, r), disc(ccx, ccy, cr)
    return lambda x, y: a(x, y) and not b(x, y)


def rounded(x0, y0, x1, y1, r):
    """Inside test for a rounded rectangle with pixel-edge bounds
    [x0, x1) x [y0, y1) and corner radius r."""
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points, scale=1.0, dx=0.0, dy=0.0):
    """Inside test (even-odd) for a polygon given by its corners, enlarged
    by `scale` and then moved by (dx, dy)."""
    pts = [(x * scale + dx, y * scale + dy) for x, y in points]

    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


INK = {'X': BLACK, 'o': WHITE}


def paint(cv, x0, y0, art, colours=INK):
    """Copies a character picture onto the canvas at (x0, y0) in units;
    characters missing from `colours` ('.') leave the canvas as it is. On a
    canvas of scale 2 the picture is enlarged by Scale2x, which rounds its
    steps off instead of doubling them."""
    rows = art.split()
    k = cv.k
    if k == 2:
        rows = scale2x(rows)
    elif k != 1:
        rows = [''.join(ch * k for ch in row) for row in rows for _ in range(k)]
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch in colours:
                cv.put(x0 * k + i, y0 * k + j, colours[ch])


def scale2x(rows):
    """The Scale2x enlargement of a character picture: each character
    becomes 2 x 2, a corner taking the colour of the two neighbours it lies
    between where they agree (and the picture is not flat there)."""
    h, w = len(rows), len(rows[0])
    at = lambda x, y: rows[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]
    out = [[None] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            e, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            if a != d and c != b:
                quads = (c if c == a else e, b if a == b else e,
                         c if c == d else e, b if d == b else e)
            else:
                quads = (e, e, e, e)
            out[2 * y][2 * x], out[2 * y][2 * x + 1] = quads[0], quads[1]
            out[2 * y + 1][2 * x], out[2 * y + 1][2 * x + 1] = quads[2], quads[3]
    return [''.join(r) for r in out]


# ---------------------------------------------------------------------------
# Pixel fonts. Each glyph is a list of equal-length rows, 'X' = ink.

def glyphs(table):
    return {ch: rows.split() for ch, rows in table.items()}


FONT5x7 = glyphs({
    'N': "X...X XX..X XX..X X.X.X X..XX X..XX X...X",
    'W': "X...X X...X X...X X.X.X X.X.X XX.XX X...X",
    'I': "XXX .X. .X. .X. .X. .X. XXX",
    'o': "..... ..... .XXX. X...X X...X X...X .XXX.",
    'c': "..... ..... .XXX. X...X X.... X...X .XXX.",
    't': ".X.. .X.. XXXX .X.. .X.. .X.X ..X.",
    'i': ".X. ... XX. .X. .X. .X. XXX",
    'l': "XX. .X. .X. .X. .X. .X. XXX",
    '!': "X X X X X . X",
})


# FONT5x7 drawn again at twice the size, for pictures of scale 2: strokes
# two pixels wide, diagonals and bends in single-pixel steps.
FONT10x14 = glyphs({
    'N': """XX......XX XXX.....XX XXXX....XX XXXX....XX XX.XX...XX XX.XX...XX XX..XX..XX
            XX..XX..XX XX...XX.XX XX...XX.XX XX....XXXX XX....XXXX XX.....XXX XX......XX""",
    'W': """XX......XX XX......XX XX......XX XX......XX XX......XX XX......XX XX..XX..XX
            XX..XX..XX XX..XX..XX XX..XX..XX XXX.XX.XXX XXXX..XXXX XXX....XXX XX......XX""",
    'I': """XXXXXX XXXXXX ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX..
            XXXXXX XXXXXX""",
    'o': """.......... .......... .......... .......... ..XXXXXX.. .XXXXXXXX. XXX....XXX
            XX......XX XX......XX XX......XX XX......XX XXX....XXX .XXXXXXXX. ..XXXXXX..""",
    'c': """.......... .......... .......... .......... ..XXXXXX.. .XXXXXXXX. XXX....XXX
            XX......XX XX........ XX........ XX......XX XXX....XXX .XXXXXXXX. ..XXXXXX..""",
    't': """..XX.... ..XX.... ..XX.... ..XX.... XXXXXXXX XXXXXXXX ..XX.... ..XX.... ..XX....
            ..XX.... ..XX.... ..XX..XX ...XXXX. ....XX..""",
    'i': """..XX.. ..XX.. ...... ...... XXXX.. XXXX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX..
            XXXXXX XXXXXX""",
    'l': """XXXX.. XXXX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX.. ..XX..
            XXXXXX XXXXXX""",
})

# The letters of the window picker at one and a half times FONT5x7, for its
# 48-pixel cursor.
FONT8x11 = glyphs({
    'W': """XX....XX XX....XX XX....XX XX....XX XX....XX XX.XX.XX XX.XX.XX XX.XX.XX
            XXX..XXX XXX..XXX XX....XX""",
    'I': "XXXX .XX. .XX. .XX. .XX. .XX. .XX. .XX. .XX. .XX. XXXX",
    'N': """XX....XX XXX...XX XXXX..XX XXXX..XX XX.XX.XX XX.XX.XX XX..XXXX XX..XXXX
            XX...XXX XX....XX XX....XX""",
})

# Bold 9-row glyphs for the title of the about picture.
FONT_TITLE = glyphs({
    'N': "XX...XX XXX..XX XXX..XX XX.X.XX XX.X.XX XX..XXX XX..XXX XX...XX XX...XX",
    'o': "....... ....... ....... .XXXXX. XX...XX XX...XX XX...XX XX...XX .XXXXX.",
    'c': "....... ....... ....... .XXXXX. XX...XX XX..... XX..... XX...XX .XXXXX.",
    't': ".XX... .XX... .XX... XXXXX. .XX... .XX... .XX... .XX..X ..XXX.",
    'i': "XX XX .. XX XX XX XX XX XX",
    'l': "XX. XX. XX. XX. XX. XX. XX. XX. .XX",
    '!': "XX XX XX XX XX XX .. XX XX",
})

# 11-pixel glyphs for the subtitle of the about picture.
FONT_JP = glyphs({
    '（': "..X .X. .X. X.. X.. X.. X.. X.. .X. .X. ..X",
    '）': "X.. .X. .X. ..X ..X ..X ..X ..X .X. .X. X..",
    'シ': """........... ..X........ ...XX...... ........... .XX.....X.. ..X....XX..
             ......XX... .....XX.... ...XX...... .XX........ ...........""",
    'ス': """........... ........... .XXXXXXX... ......X.... ......X.... .....X.....
             ....XXX.... ...XX.XX... ..X....XX.. XX......X.. ...........""",
    'テ': """........... ..XXXXXX... ........... ........... XXXXXXXXXX. .....X.....
             .....X..... ....X...... ....X...... ..XX....... ...........""",
    'ム': """........... ........... ....X...... ....X...... ....X...... ...X.......
             ...X..X.... ..X....X... ..X.....X.. XXXXXXXXXX. ...........""",
    '終': """..X...X.... ..X...XXXX. XX.X..X..X. .XX..XX.X.. ..XX...XX.. XXXXX..XXX.
             ..X..XX...X .X.X...XX.. X.X.X.X.... X.X....XX.. ..X......X.""",
    '了': """........... .XXXXXXXXX. .......XX.. ......XX... .....X..... .....X.....
             .....X..... .....X..... .....X..... .....X..... ...XXX.....""",
    'タ': """........... ....X...... ...XXXXXX.. ...X....X.. ..XX...X... .X..X..X...
             .....XX.... .....XX.... ....XX..... ...X....... ..X........""",
    'イ': """........... .......X... .......X... ......X.... ....XX..... ...XXX.....
             .XX..X..... .....X..... .....X..... .....X..... .....X.....""",
    'マ': """........... ........... XXXXXXXXX.. ........X.. .......X... ..X...X....
             ...X.X..... ....X...... .....X..... ........... ...........""",
    'ー': """........... ........... ........... ........... ........... XXXXXXXXXX.
             ........... ........... ........... ........... ...........""",
})

# ---------------------------------------------------------------------------
# File formats

def _rows_bottom_up(h):
    return range(h - 1, -1, -1)


def _pack_indices(idx, w, h, bpp):
    """Packs palette indices (row-major, top-down) into bottom-up DIB rows
    padded to 4 bytes."""
    stride = ((w * bpp + 31) // 32) * 4
    out = bytearray()
    for y in _rows_bottom_up(h):
        row = bytearray(stride)
        for x in range(w):
            v = idx[y * w + x]
            bit = x * bpp
            row[bit // 8] |= v << (8 - bpp - bit % 8)
        out += row
    return bytes(out)


def _palette_for(colours, size):
    pal = sorted(set(colours))
    if len(pal) > size:
        raise ValueError('%d colours do not fit a %d-entry palette' % (len(pal), size))
    return pal + [BLACK] * (size - len(pal))


def _rgbquads(pal):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)


BI_RGB, BI_RLE4 = 0, 2


def _info_header(w, h, bpp, image_size, colours_used, compression=BI_RGB):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, compression, image_size,
                       3780, 3780, colours_used, 0)


def _rle4(idx, w, h):
    """BI_RLE4 data for palette indices (row-major, top-down): bottom-up
    rows, each a series of runs (a count and two indices that alternate) and
    absolute stretches (0, count, the indices two to a byte, padded to a
    16-bit word), then end of line, the last row end of bitmap."""
    out = bytearray()
    for y in _rows_bottom_up(h):
        row = idx[y * w:(y + 1) * w]

        def run_at(i):
            # how far row[i:] alternates between row[i] and row[i + 1]
            n = 1
            while i + n < w and n < 255 and row[i + n] == row[i + (n % 2)]:
                n += 1
            return n

        i, loose = 0, []
        while i <= w:
            n = run_at(i) if i < w else 0
            if i == w or n >= 4:
                # flush the pixels no run took: absolute when three or more
                while loose:
                    chunk, loose = loose[:255], loose[255:]
                    if len(chunk) < 3:
                        pair = chunk + chunk[-1:]
                        out += bytes((len(chunk), pair[0] << 4 | pair[1]))
                        continue
                    body = bytearray((chunk[j] << 4) | (chunk[j + 1] if j + 1 < len(chunk) else 0)
                                     for j in range(0, len(chunk), 2))
                    out += bytes((0, len(chunk))) + body + bytes(len(body) % 2)
                if i == w:
                    break
                second = row[i + 1] if i + 1 < w else row[i]
                out += bytes((n, row[i] << 4 | second))
                i += n
            else:
                loose.append(row[i])
                i += 1
        out += b'\x00\x00' if y else b'\x00\x01'
    return bytes(out)


def bmp_bytes(cv, bpp, rle=False):
    """A BITMAPINFOHEADER bottom-up BMP file of 4, 8 or 24 bits per pixel;
    4-bit ones may be compressed with BI_RLE4."""
    if any(p is None for p in cv.px):
        raise ValueError('a bitmap has no transparent pixels')
    compression = BI_RGB
    if bpp == 24:
        stride = ((cv.w * 24 + 31) // 32) * 4
        data = bytearray()
        for y in _rows_bottom_up(cv.h):
            row = bytearray()
            for x in range(cv.w):
                r, g, b = cv.px[y * cv.w + x]
                row += bytes((b, g, r))
            data += row + bytes(stride - len(row))
        pal_bytes, used = b'', 0
    else:
        pal = _palette_for(cv.px, 1 << bpp)
        index = {c: i for i, c in enumerate(pal)}
        indices = [index[p] for p in cv.px]
        if rle:
            if bpp != 4:
                raise ValueError('only 4-bit bitmaps are run-length coded here')
            data, compression = _rle4(indices, cv.w, cv.h), BI_RLE4
        else:
            data = _pack_indices(indices, cv.w, cv.h, bpp)
        pal_bytes, used = _rgbquads(pal), 1 << bpp
    off = 14 + 40 + len(pal_bytes)
    head = struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off)
    return (head + _info_header(cv.w, cv.h, bpp, len(data), used, compression)
            + pal_bytes + bytes(data))


def _and_mask(cv):
    return _pack_indices([1 if p is None else 0 for p in cv.px], cv.w, cv.h, 1)


def _icon_image(cv, bpp):
    """DIB of an icon image: header (height doubled), palette, XOR bits, AND
    mask. Transparent pixels get colour black and mask bit 1."""
    pal = _palette_for([p for p in cv.px if p is not None] + [BLACK], 1 << bpp)
    index = {c: i for i, c in enumerate(pal)}
    xor = _pack_indices([index[BLACK if p is None else p] for p in cv.px], cv.w, cv.h, bpp)
    mask = _and_mask(cv)
    return (_info_header(cv.w, cv.h * 2, bpp, len(xor) + len(mask), 0)
            + _rgbquads(pal) + xor + mask)


def ico_bytes(images, bpp=4):
    """An .ico file with one image per canvas."""
    blobs = [_icon_image(cv, bpp) for cv in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    off = 6 + 16 * len(images)
    for cv, blob in zip(images, blobs):
        colours = (1 << bpp) if bpp < 8 else 0
        out += struct.pack('<BBBBHHII', cv.w % 256, cv.h % 256, colours, 0, 1, bpp,
                           len(blob), off)
        off += len(blob)
    return out + b''.join(blobs)


def cur_bytes(images):
    """A .cur file of monochrome images, one per (canvas, hotspot), in one
    CURSORDIR. Pixels: BLACK, WHITE or None (transparent)."""
    blobs = []
    for cv, _ in images:
        bad = {p for p in cv.px if p not in (BLACK, WHITE, None)}
        if bad:
            raise ValueError('cursor colours must be black, white or transparent: %r' % bad)
        xor = _pack_indices([1 if p == WHITE else 0 for p in cv.px], cv.w, cv.h, 1)
        mask = _and_mask(cv)
        blobs.append(_info_header(cv.w, cv.h * 2, 1, len(xor) + len(mask), 0)
                     + _rgbquads([BLACK, WHITE]) + xor + mask)
    out = struct.pack('<HHH', 0, 2, len(images))
    off = 6 + 16 * len(images)
    for (cv, (hx, hy)), blob in zip(images, blobs):
        out += struct.pack('<BBBBHHII', cv.w % 256, cv.h % 256, 2, 0, hx, hy, len(blob), off)
        off += len(blob)
    return out + b''.join(blobs)


def cursor_sizes(draw, hotspot):
    """(canvas, hotspot) at every cursor size, the hotspot given at 32."""
    return [(draw(n), (hotspot[0] * n // 32, hotspot[1] * n // 32)) for n in CURSOR_SIZES]


# ---------------------------------------------------------------------------
# Icons

DARK_BLUE = (16, 28, 84)
MID_BLUE = (34, 56, 132)
RIM_BLUE = (8, 14, 48)
RED_ORANGE = (244, 84, 0)
DARK_OUTLINE = (72, 24, 0)


def moon(size):
    """The crescent, opening to the upper right, as an inside test for an
    image of `size` pixels."""
    s = size / 16.0
    return crescent(7.8 * s, 8.2 * s, 7.2 * s, 11.6 * s, 4.4 * s, 5.9 * s)


ICON_SIZES = (16, 20, 24, 32)    # 100, 125, 150 and 200 % of the small icon
# corner radius and stars (the first one gets rays where it has a ray
# length) for each size of the program icon
PROGRAM_ICON = {
    16: (3, [(12, 3), (13, 8)], 0),
    20: (4, [(15, 4), (17, 10), (6, 3)], 0),
    24: (4, [(19, 5), (7, 4), (20, 12), (15, 2)], 0),
    32: (6, [(25, 7), (9, 5), (27, 16), (20, 3)], 1),
}


def icon_program(size):
    cv = Canvas(size, size)
    r, stars, rays = PROGRAM_ICON[size]
    cv.shape(rounded(0, 0, size, size, r), RIM_BLUE)
    # a lighter rim along the top and left catches the light
    cv.shape(rounded(1, 1, size - 1, size - 1, r - 1), MID_BLUE)
    cv.shape(rounded(2, 2, size - 1, size - 1, r - 1), DARK_BLUE)
    inner = Canvas(size, size)
    s = size / 16.0
    inner.shape(crescent(7.2 * s, 8.8 * s, 5.6 * s, 10.2 * s, 6.3 * s, 5.0 * s), YELLOW)
    inner.edge(ORANGE)
    cv.blit(inner, 0, 0)
    for x, y in stars:
        cv.set(x, y, PALE)
    x, y = stars[0]
    for i in range(1, rays + 1):
        for dx, dy in ((i, 0), (-i, 0), (0, i), (0, -i)):
            cv.set(x + dx, y + dy, YELLOW)
    return cv


def icon_tray(fill, outline, size):
    cv = Canvas(size, size)
    cv.shape(moon(size), fill)
    cv.edge(outline, width=1 if size < 32 else 2)
    return cv


# ---------------------------------------------------------------------------
# Skin pieces. The geometry follows the main window: the panel is the whole
# face, the other pieces are copied over it at fixed places, so each piece is
# drawn on a copy of the panel pixels it covers and joins without a seam.

PANEL_W, PANEL_H = 220, 65
BUTTON_AT, BUTTON_SIZE = (185, 25), 23
ARROWS_AT, ARROWS_SIZE = (48, 34), (125, 24)
CLOSE_AT, CLOSE_SIZE = (208, 2), (10, 9)
DIGIT_OFFSETS = (0, 28, 49, 73, 94, 116)   # year, month, day, hour, minute, second
TEXT_AREA = (4, 15, 181, 61)               # sunken frame, inclusive

# Where each piece sits on a 220 x 121 skin sheet.
SHEET_AT = {101: (0, 56), 103: (0, 0), 104: (32, 0), 105: (64, 0), 106: (96, 0),
            108: (0, 32), 111: (128, 0)}
SHEET_W, SHEET_H = 220, 121

BUILTIN = {
    'body': ORANGE, 'rim': (110, 66, 0), 'light': YELLOW, 'shade': BROWN,
    'bar': BROWN, 'bar_light': (186, 128, 0), 'title': PALE, 'title_shadow': (110, 66, 0),
    'moon': YELLOW, 'moon_edge': ORANGE,
    'close_face': ORANGE, 'close_down': BROWN, 'close_mark': (110, 66, 0),
    'close_mark_down': PALE,
    'area': PALE, 'area_dark': BROWN, 'area_light': YELLOW,
    'btn_face': ORANGE, 'btn_face_down': (210, 128, 0), 'btn_light': YELLOW,
    'btn_dark': BROWN, 'btn_mark': PALE, 'btn_mark_shadow': BROWN,
    'arrow': ORANGE,
}


TITLE_FONT = {1: FONT5x7, 2: FONT10x14}


def small_moon(t, k):
    """The crescent of the menu icon, 12 x 11."""
    cv = Canvas(12, 11, k=k)
    cv.shape(crescent(5.4, 5.9, 4.9, 8.2, 3.4, 4.1), t['moon'])
    cv.edge(t['moon_edge'])
    return cv


def close_box(t, pressed, k):
    w, h = CLOSE_SIZE
    cv = Canvas(w, h, t['close_down'] if pressed else t['close_face'], k)
    cv.frame(0, 0, w - 1, h - 1, t['rim'])
    if pressed:
        cv.hline(1, w - 2, 1, t['rim'])
        cv.vline(1, 1, h - 2, t['rim'])
    else:
        cv.hline(1, w - 2, 1, t['light'])
        cv.vline(1, 1, h - 2, t['light'])
    # the cross: two diagonals through a 5 x 5 square, each one unit wide
    # across a row
    d = 1 if pressed else 0
    lo, hi = 2 + d, 7 + d
    stroke = lambda x, y: lo <= x < hi and lo <= y < hi and 0 <= x - y < 1
    cv.shape(lambda x, y: stroke(x, y) or stroke(lo + hi - x, y),
             t['close_mark_down'] if pressed else t['close_mark'])
    return cv


def draw_panel(t, k):
    cv = Canvas(PANEL_W, PANEL_H, t['body'], k)
    right, bottom = PANEL_W - 1, PANEL_H - 1
    # title bar, rows 1..11, with a separator below it
    cv.rect(1, 1, right - 1, 11, t['bar'])
    cv.hline(1, right - 1, 1, t['bar_light'])
    cv.hline(1, right - 1, 12, t['rim'])
    # raised body
    cv.hline(1, right - 1, 13, t['light'])
    cv.vline(1, 13, bottom - 1, t['light'])
    cv.hline(1, right - 1, bottom - 1, t['shade'])
    cv.vline(right - 1, 13, bottom - 1, t['shade'])
    cv.frame(0, 0, right, bottom, t['rim'])
    # menu icon, then a groove that ends it
    cv.blit(small_moon(t, k), 3, 1)
    cv.vline(17, 2, 10, t['rim'])
    cv.vline(18, 2, 10, t['bar_light'])
    # title
    cv.text(TITLE_FONT, 'Noctil', 25, 4, t['title_shadow'])
    cv.text(TITLE_FONT, 'Noctil', 24, 3, t['title'])
    cv.blit(close_box(t, False, k), *CLOSE_AT)
    # text area: sunken frame around a flat face
    x0, y0, x1, y1 = TEXT_AREA
    cv.bevel(x0, y0, x1, y1, t['area_dark'], t['area_light'])
    cv.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, t['area'])
    if 'decorate' in t:
        t['decorate'](cv)
    return cv


def button(t, panel, stop, pressed):
    n = BUTTON_SIZE
    cv = panel.crop(BUTTON_AT[0], BUTTON_AT[1], n, n)
    light, dark = (t['btn_dark'], t['btn_light']) if pressed else (t['btn_light'], t['btn_dark'])
    face = t['btn_face_down'] if pressed else t['btn_face']
    cv.shape(rounded(0, 0, n, n, 4), t['rim'])
    # a one-unit ring split along the anti-diagonal: lit above, shaded below
    ring = rounded(1, 1, n - 1, n - 1, 3)
    cv.shape(lambda x, y: ring(x, y) and x + y < n - 0.5, light)
    cv.shape(lambda x, y: ring(x, y) and x + y > n + 0.5, dark)
    cv.shape(lambda x, y: ring(x, y) and abs(x + y - n) < 1, face)
    cv.shape(rounded(2, 2, n - 2, n - 2, 2), face)
    if stop:
        mark = lambda x, y: 7 <= x < 16 and 7 <= y < 16
    else:
        # a triangle on rows 7..15 pointing right, its tip at row 11
        mark = lambda x, y: 7 <= y < 16 and 8 <= x < 17 - 2 * abs(y - 11.5)
    d = 1 if pressed else 0
    if not pressed:
        cv.shape(lambda x, y: mark(x - 1, y - 1), t['btn_mark_shadow'], 2, 2, n - 3, n - 3)
    cv.shape(lambda x, y: mark(x - d, y - d), t['btn_mark'], 2, 2, n - 3, n - 3)
    return cv


def spin_arrows(t, panel):
    w, h = ARROWS_SIZE
    cv = panel.crop(ARROWS_AT[0], ARROWS_AT[1], w, h)
    for off in DIGIT_OFFSETS:
        # the digit column is x = off+49 .. off+57 on the face, centre off+53;
        # a triangle four rows high above it and one below, seven wide at
        # the base
        cx = off + 53 - ARROWS_AT[0] + 0.5
        cv.shape(lambda x, y: y < 4 and abs(x - cx) < y + 0.5, t['arrow'], 0, 0, w - 1, 3)
        cv.shape(lambda x, y: y >= h - 4 and abs(x - cx) < h - y + 0.5, t['arrow'],
                 0, h - 4, w - 1, h - 1)
    return cv


def skin_pieces(t, k=1):
    """The pieces of a skin drawn at scale k, by resource id."""
    panel = draw_panel(t, k)
    return {
        101: panel,
        103: button(t, panel, False, False),
        104: button(t, panel, False, True),
        105: button(t, panel, True, False),
        106: button(t, panel, True, True),
        108: spin_arrows(t, panel),
        111: close_box(t, True, k),
    }


def skin_sheet(t, k=1):
    """All the pieces on one sheet; at k = 2 the sheet@2x layout, every
    place and size doubled."""
    pieces = skin_pieces(t, k)
    sheet = Canvas(SHEET_W, SHEET_H, t['body'], k)
    for ident, (x, y) in SHEET_AT.items():
        sheet.blit(pieces[ident], x, y)
    return sheet


# Two sample skins that ship beside the program, as full 24-bit sheets.

def vertical(top, bottom, y0, y1):
    """Colour function: a vertical blend from `top` at row y0 to `bottom` at y1."""
    def colour(x, y):
        f = min(max((y - y0) / float(y1 - y0), 0.0), 1.0)
        return tuple(int(round(a + (b - a) * f)) for a, b in zip(top, bottom))
    return colour


SMALL_CLOUD = """
....WWW......
..WWWWWW.WW..
.WWWWWWWWWWW.
WWWWWWWWWWWWW
.SSSSSSSSSSS.
"""

BIG_CLOUD = """
......WWWW........
....WWWWWWWW.WWW..
..WWWWWWWWWWWWWWW.
.WWWWWWWWWWWWWWWWW
WWWWWWWWWWWWWWWWWW
.SSSSSSSSSSSSSSSS.
"""


def aozora_decor(cv):
    colours = {'W': (246, 251, 255), 'S': (176, 208, 240)}
    paint(cv, 140, 4, SMALL_CLOUD, colours)
    paint(cv, 170, 5, SMALL_CLOUD, colours)
    paint(cv, 191, 52, BIG_CLOUD, colours)


def sumi_decor(cv):
    # a red seal with the crescent cut out of it
    x0, y0 = 198, 50
    cv.shape(rounded(x0, y0, x0 + 12, y0 + 12, 2), (186, 38, 30))
    cv.shape(lambda x, y: crescent(x0 + 5.6, y0 + 6.4, 4.3, x0 + 8.1, y0 + 4.2, 3.7)(x, y),
             (236, 226, 210))


AOZORA = {
    'body': vertical((118, 176, 232), (196, 228, 250), 12, 64),
    'rim': (30, 70, 130), 'light': (236, 246, 255), 'shade': (84, 136, 196),
    'bar': vertical((36, 92, 180), (76, 140, 218), 1, 11), 'bar_light': (128, 178, 238),
    'title': WHITE, 'title_shadow': (22, 58, 118),
    'moon': (255, 248, 200), 'moon_edge': (236, 196, 80),
    'close_face': (226, 238, 252), 'close_down': (120, 166, 222),
    'close_mark': (30, 70, 130), 'close_mark_down': WHITE,
    'area': vertical((222, 238, 252), (252, 254, 255), 16, 60),
    'area_dark': (60, 110, 172), 'area_light': WHITE,
    'btn_face': (84, 152, 226), 'btn_face_down': (62, 126, 204), 'btn_light': (186, 220, 252),
    'btn_dark': (30, 76, 150), 'btn_mark': WHITE, 'btn_mark_shadow': (30, 76, 150),
    'arrow': (58, 128, 208),
    'decorate': aozora_decor,
}

SUMI = {
    'body': vertical((56, 56, 60), (32, 32, 36), 12, 64),
    'rim': (6, 6, 8), 'light': (92, 92, 98), 'shade': (18, 18, 20),
    'bar': vertical((26, 26, 28), (14, 14, 16), 1, 11), 'bar_light': (64, 64, 68),
    'title': (236, 233, 224), 'title_shadow': (0, 0, 0),
    'moon': (240, 232, 200), 'moon_edge': (168, 158, 128),
    'close_face': (66, 66, 70), 'close_down': (28, 28, 30),
    'close_mark': (222, 220, 212), 'close_mark_down': (224, 80, 56),
    'area': (22, 22, 24), 'area_dark': (6, 6, 8), 'area_light': (90, 90, 96),
    'btn_face': (72, 72, 78), 'btn_face_down': (50, 50, 54), 'btn_light': (124, 124, 132),
    'btn_dark': (18, 18, 20), 'btn_mark': (236, 233, 224), 'btn_mark_shadow': (8, 8, 8),
    'arrow': (172, 172, 178),
    'decorate': sumi_decor,
}

# directory, display name, theme, text colours 1..3
SAMPLE_SKINS = [
    ('aozora', '青空', AOZORA, ('#1A3C6E', '#3A78B8', '#D83A2E')),
    ('sumi', '墨', SUMI, ('#E8E6E0', '#9FB4C8', '#FF6A3D')),
]


def skin_ini(name, colours):
    lines = ['[SKIN]', 'NAME=' + name]
    lines += ['TEXTCOLOR%d=%s' % (i + 1, c) for i, c in enumerate(colours)]
    return ('\r\n'.join(lines) + '\r\n').encode('cp932')


# ---------------------------------------------------------------------------
# About picture. Sized to the 94 x 75 dialog-unit static of the about box at
# its 9 pt font (6 x 13 pixel base units): 141 x 122 pixels. Pale yellow
# ground like the dialog, so the picture has no visible edge.

ABOUT_W, ABOUT_H = 141, 122
TEXT_BROWN = (118, 76, 0)    # the dialogs' text colour


def sparkle(cv, x, y, arm, c, centre):
    for i in range(1, arm + 1):
        for dx, dy in ((i, 0), (-i, 0), (0, i), (0, -i)):
            cv.set(x + dx, y + dy, c)
    cv.set(x, y, centre)


def about_picture():
    cv = Canvas(ABOUT_W, ABOUT_H, PALE)
    moon_layer = Canvas(ABOUT_W, ABOUT_H)
    shape = crescent(62, 50, 43, 89, 31, 37)
    moon_layer.shape(shape, YELLOW)
    # shade the lower-left of the body: brown under the rim, orange inside it
    inner = crescent(65, 47, 43, 89, 31, 37)
    moon_layer.shape(lambda x, y: shape(x, y) and not inner(x, y), ORANGE)
    moon_layer.edge(BROWN)
    cv.blit(moon_layer, 0, 0)
    for x, y, arm in ((112, 16, 3), (127, 40, 2), (106, 50, 1), (22, 12, 2), (12, 40, 1)):
        sparkle(cv, x, y, arm, ORANGE, YELLOW if arm > 1 else ORANGE)
    # the title across the crescent, kept readable by a pale rim
    title = Canvas(ABOUT_W, ABOUT_H)
    scale = 3
    w = text_width(FONT_TITLE, 'Noctil!', scale)
    title.text(FONT_TITLE, 'Noctil!', (ABOUT_W - w) // 2, 62, BROWN, scale)
    title.halo(PALE, BROWN)
    cv.blit(title, 0, 0)
    sub = '（システム終了タイマー）'
    w = text_width(FONT_JP, sub)
    cv.text(FONT_JP, sub, (ABOUT_W - w) // 2, 104, TEXT_BROWN)
    return cv


# ---------------------------------------------------------------------------
# Cursors

ARROW = """
X...........
XX..........
XoX.........
XooX........
XoooX.......
XooooX......
XoooooX.....
XooooooX....
XoooooooX...
XooooooooX..
XoooooooooX.
XooooooXXXXX
XoooXooX....
XooXXooX....
XoX..XooX...
XX...XooX...
X.....XooX..
......XooX..
.......XooX.
.......XooX.
........XX..
"""


SMALL_ARROW = """
X.......
XX......
XoX.....
XooX....
XoooX...
XooooX..
XoooooX.
XooooooX
XoooXXXX
XoXooX..
XX.XoX..
X..XooX.
....XoX.
....XX..
"""

SIZE_NS = """
....X....
...XoX...
..XoooX..
.XoooooX.
XoooooooX
XXXXoXXXX
...XoX...
...XoX...
...XoX...
...XoX...
...XoX...
XXXXoXXXX
XoooooooX
.XoooooX.
..XoooX..
...XoX...
....X....
"""


RETICLE = """
....X....
..XXXXX..
.X.....X.
.X.....X.
XX..X..XX
.X.....X.
.X.....X.
..XXXXX..
....X....
"""


# The same pointers as outlines, in pixel-edge coordinates of the pictures
# above (their painted pixels are those whose centres lie inside), to draw
# them at other sizes.
ARROW_OUTLINE = [(0, 0), (1, 0), (13, 12), (7.75, 12), (11.75, 20), (9, 21), (8.25, 21),
                 (13 / 3.0, 79 / 6.0), (0, 17.5)]
SMALL_ARROW_OUTLINE = [(0, 0), (1, 0), (8, 7), (8, 9), (5.75, 9), (7.75, 13), (5, 14),
                       (4.75, 14), (8 / 3.0, 59 / 6.0), (0, 12.5)]
SIZE_NS_OUTLINE = [(4.5, 0), (9, 4.5), (9, 6), (6, 6), (6, 11), (9, 11), (9, 12.5), (4.5, 17),
                   (0, 12.5), (0, 11), (3, 11), (3, 6), (0, 6), (0, 4.5)]

CURSOR_SIZES = (32, 48, 64)        # 100, 150 and 200 %


def outlined(cv, outline, scale, at, fill, rim, width):
    """Draws a pointer outline at `scale` with its corner (0, 0) at `at`:
    filled, with a rim `width` pixels deep."""
    layer = Canvas(cv.w, cv.h)
    layer.shape(polygon(outline, scale, *at), fill)
    layer.edge(rim, width=width)
    cv.blit(layer, 0, 0)


def line_width(size):
    """The pixels a one-pixel line of the 32-pixel pictures takes at `size`."""
    return max(1, int(size / 32.0 + 0.5))


def cursor_arrow(size=32):
    cv = Canvas(size, size)
    if size == 32:
        paint(cv, 0, 0, ARROW)
    else:
        outlined(cv, ARROW_OUTLINE, size / 32.0, (0, 0), WHITE, BLACK, line_width(size))
    return cv


def cursor_updown(size=32):
    cv = Canvas(size, size)
    if size == 32:
        paint(cv, 0, 0, SIZE_NS, {'X': WHITE, 'o': BLACK})
    else:
        outlined(cv, SIZE_NS_OUTLINE, size / 32.0, (0, 0), BLACK, WHITE, line_width(size))
    return cv


PICKER_FONT = {48: FONT8x11, 64: FONT10x14}


def window_picker_picture(size=32):
    """Arrow pointer at the top left (tip at 4, 4), WIN beside it, and below a
    small window whose client area holds a cross-hair. The 32-pixel picture
    is drawn pixel by pixel; the others follow the same plan in 32-pixel
    units: the larger ones alike, the icon sizes under 32 leave the letters
    out and give their room to a larger arrow over the window's corner."""
    cv = Canvas(size, size)
    if size == 32:
        paint(cv, 4, 4, SMALL_ARROW)
        letters = Canvas(32, 32)
        letters.text(FONT5x7, 'WIN', 14, 4, BLACK)
        letters.halo(WHITE, BLACK)
        cv.blit(letters, 0, 0)
        # window: outline, black title bar with a white close button, white
        # client holding the reticle
        x0, y0, x1, y1 = 12, 15, 30, 30
        cv.rect(x0, y0, x1, y1, WHITE)
        cv.frame(x0, y0, x1, y1, BLACK)
        cv.rect(x0, y0, x1, y0 + 3, BLACK)
        cv.rect(x1 - 3, y0 + 1, x1 - 2, y0 + 2, WHITE)
        paint(cv, x0 + 5, y0 + 5, RETICLE)
        return cv
    s, lw = size / 32.0, line_width(size)
    u = lambda v: int(round(v * s))      # a 32-pixel place at this size
    if size > 32:
        tip, (x0, y0, x1, y1), bar = (4, 4), (12, 15, 31, 31), 4
        letters = Canvas(size, size)
        letters.text(PICKER_FONT[size], 'WIN', u(14), u(4), BLACK)
        letters.halo(WHITE, BLACK, lw)
        cv.blit(letters, 0, 0)
        arrow = s
    else:
        tip, (x0, y0, x1, y1), bar = (2, 2), (11, 12, 30, 30), 5
        arrow = 1.4 * s
    # the window within the pixel edges [x0, x1) x [y0, y1)
    x0, y0, x1, y1 = u(x0), u(y0), u(x1), u(y1)
    bar = max(2, u(bar))
    cv.rect(x0, y0, x1 - 1, y1 - 1, WHITE)
    cv.rect(x0, y0, x1 - 1, y0 + bar - 1, BLACK)
    for i in range(lw):
        cv.frame(x0 + i, y0 + i, x1 - 1 - i, y1 - 1 - i, BLACK)
    box = max(1, u(2))
    cv.rect(x1 - 1 - lw - box, y0 + lw, x1 - 2 - lw, y0 + lw + box - 1, WHITE)
    # the reticle: a ring with four ticks outwards and a dot, centred in the
    # client area
    top = y0 + bar
    # centred on a pixel for odd line widths, on a corner for even ones,
    # so that the ring is symmetric
    snap = (lambda v: v // 2 + 0.5) if lw % 2 else (lambda v: (v + 1) // 2)
    cx, cy = snap(x0 + x1), snap(top + y1)
    r = min(x1 - x0, y1 - top) / 2.0 - lw - max(1, u(1.5))
    ring = lambda x, y: r - lw <= ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5 < r
    tick = lambda x, y: ((abs(x - cx) < lw / 2.0 and r - lw <= abs(y - cy) < r + max(1, u(1)))
                         or (abs(y - cy) < lw / 2.0 and r - lw <= abs(x - cx) < r + max(1, u(1))))
    dot = lambda x, y: abs(x - cx) < lw / 2.0 and abs(y - cy) < lw / 2.0
    cv.shape(lambda x, y: ring(x, y) or tick(x, y) or dot(x, y), BLACK,
             x0 + lw, top, x1 - 1 - lw, y1 - 1 - lw)
    outlined(cv, SMALL_ARROW_OUTLINE, arrow, (u(tip[0]), u(tip[1])), WHITE, BLACK, lw)
    return cv


# ---------------------------------------------------------------------------

def write(root, rel, data):
    path = os.path.join(root, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
    return path


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    art = 'resources/art/'
    outputs = {
        art + 'ico114.ico': ico_bytes([icon_program(n) for n in ICON_SIZES]),
        art + 'ico118.ico': ico_bytes([icon_tray(YELLOW, BROWN, n) for n in ICON_SIZES]),
        art + 'ico119.ico': ico_bytes([icon_tray(RED_ORANGE, DARK_OUTLINE, n) for n in ICON_SIZES]),
        art + 'ico124.ico': ico_bytes([window_picker_picture(n) for n in ICON_SIZES]),
        art + 'cur105.cur': cur_bytes(cursor_sizes(cursor_arrow, (0, 0))),
        art + 'cur109.cur': cur_bytes(cursor_sizes(cursor_updown, (4, 8))),
        art + 'cur122.cur': cur_bytes(cursor_sizes(window_picker_picture, (4, 4))),
    }
    outputs[art + 'bmp113.bmp'] = bmp_bytes(about_picture(), 4)
    for ident, cv in skin_pieces(BUILTIN).items():
        outputs[art + 'bmp%d.bmp' % ident] = bmp_bytes(cv, 4)
    # the built-in sheet for 175 % and more; it is compiled in, so packed small
    outputs[art + 'sheet@2x.bmp'] = bmp_bytes(skin_sheet(BUILTIN, 2), 4, rle=True)
    for folder, name, theme, colours in SAMPLE_SKINS:
        outputs['skins/%s/skin.bmp' % folder] = bmp_bytes(skin_sheet(theme), 24)
        outputs['skins/%s/skin@2x.bmp' % folder] = bmp_bytes(skin_sheet(theme, 2), 24)
        outputs['skins/%s/skin.ini' % folder] = skin_ini(name, colours)
    for rel in sorted(outputs):
        write(root, rel, outputs[rel])
        print('%-32s %6d bytes' % (rel, len(outputs[rel])))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
