#!/usr/bin/env python3
"""Draws Noctil's built-in pictures and writes them as BMP/ICO/CUR files.

Plain standard library: the file formats are packed by hand with struct, so
the output depends on nothing but this script and is byte-for-byte stable.

    python3 tools/make_art.py [repo-root]

writes resources/art/* (the built-in pictures) and skins/*/ (two sample
skins). tools/check_art.py --reproduce checks that the committed files are
exactly what this script writes.
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

class Canvas:
    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)
        if callable(fill):
            self.rect(0, 0, w - 1, h - 1, fill)

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y * self.w + x]
        return None

    def set(self, x, y, c):
        """c is a colour or a function of (x, y) giving one (gradients)."""
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c(x, y) if callable(c) else c

    def rect(self, x0, y0, x1, y1, c):
        """Fills the inclusive rectangle."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

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
        """Paints every pixel whose centre satisfies inside(x, y)."""
        x1 = self.w - 1 if x1 is None else x1
        y1 = self.h - 1 if y1 is None else y1
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if inside(x + 0.5, y + 0.5):
                    self.set(x, y, c)

    def blit(self, src, dx, dy):
        for y in range(src.h):
            for x in range(src.w):
                c = src.px[y * src.w + x]
                if c is not None:
                    self.set(dx + x, dy + y, c)

    def crop(self, x, y, w, h):
        out = Canvas(w, h)
        for j in range(h):
            for i in range(w):
                out.px[j * w + i] = self.get(x + i, y + j)
        return out

    def edge(self, c, where=None):
        """Recolours the rim of the painted area: painted pixels (optionally
        only those of colour `where`) next to a transparent pixel or the
        border, 4-neighbourhood."""
        hits = []
        for y in range(self.h):
            for x in range(self.w):
                p = self.get(x, y)
                if p is None or (where is not None and p != where):
                    continue
                for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    if not (0 <= nx < self.w and 0 <= ny < self.h) or self.get(nx, ny) is None:
                        hits.append((x, y))
                        break
        for x, y in hits:
            self.set(x, y, c)

    def halo(self, c, of):
        """Paints transparent pixels that touch (8-neighbourhood) a pixel of
        colour `of`."""
        hits = []
        for y in range(self.h):
            for x in range(self.w):
                if self.get(x, y) is not None:
                    continue
                if any(self.get(x + i, y + j) == of
                       for i in (-1, 0, 1) for j in (-1, 0, 1)):
                    hits.append((x, y))
        for x, y in hits:
            self.set(x, y, c)

    def text(self, font, s, x, y, c, scale=1, spacing=1):
        for ch in s:
            rows = font[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == 'X':
                        self.rect(x + i * scale, y + j * scale,
                                  x + i * scale + scale - 1, y + j * scale + scale - 1, c)
            x += (len(rows[0]) + spacing) * scale
        return x


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


INK = {'X': BLACK, 'o': WHITE}


def paint(cv, x0, y0, art, colours=INK):
    """Copies a character picture onto the canvas; characters missing from
    `colours` ('.') leave the canvas as it is."""
    for j, row in enumerate(art.split()):
        for i, ch in enumerate(row):
            if ch in colours:
                cv.set(x0 + i, y0 + j, colours[ch])


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


def _info_header(w, h, bpp, image_size, colours_used):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, image_size,
                       3780, 3780, colours_used, 0)


def bmp_bytes(cv, bpp):
    """A BITMAPINFOHEADER bottom-up BMP file of 4, 8 or 24 bits per pixel."""
    if any(p is None for p in cv.px):
        raise ValueError('a bitmap has no transparent pixels')
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
        data = _pack_indices([index[p] for p in cv.px], cv.w, cv.h, bpp)
        pal_bytes, used = _rgbquads(pal), 1 << bpp
    off = 14 + 40 + len(pal_bytes)
    head = struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off)
    return head + _info_header(cv.w, cv.h, bpp, len(data), used) + pal_bytes + bytes(data)


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


def cur_bytes(cv, hotspot):
    """A monochrome .cur file. Pixels: BLACK, WHITE or None (transparent)."""
    bad = {p for p in cv.px if p not in (BLACK, WHITE, None)}
    if bad:
        raise ValueError('cursor colours must be black, white or transparent: %r' % bad)
    xor = _pack_indices([1 if p == WHITE else 0 for p in cv.px], cv.w, cv.h, 1)
    mask = _and_mask(cv)
    blob = (_info_header(cv.w, cv.h * 2, 1, len(xor) + len(mask), 0)
            + _rgbquads([BLACK, WHITE]) + xor + mask)
    return (struct.pack('<HHH', 0, 2, 1)
            + struct.pack('<BBBBHHII', cv.w, cv.h, 2, 0, hotspot[0], hotspot[1], len(blob), 22)
            + blob)


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


def icon_program(size):
    cv = Canvas(size, size)
    r = 3 if size == 16 else 6
    cv.shape(rounded(0, 0, size, size, r), RIM_BLUE)
    # a lighter rim along the top and left catches the light
    cv.shape(rounded(1, 1, size - 1, size - 1, r - 1), MID_BLUE)
    cv.shape(rounded(2, 2, size - 1, size - 1, r - 1), DARK_BLUE)
    inner = Canvas(size, size)
    s = size / 16.0
    inner.shape(crescent(7.2 * s, 8.8 * s, 5.6 * s, 10.2 * s, 6.3 * s, 5.0 * s), YELLOW)
    inner.edge(ORANGE)
    cv.blit(inner, 0, 0)
    stars = [(12, 3), (13, 8)] if size == 16 else [(25, 7), (9, 5), (27, 16), (20, 3)]
    for x, y in stars:
        cv.set(x, y, PALE)
    if size == 32:
        for i, j in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            cv.set(25 + i, 7 + j, YELLOW)
    return cv


def icon_tray(fill, outline):
    cv = Canvas(16, 16)
    cv.shape(moon(16), fill)
    cv.edge(outline)
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


def small_moon(t):
    """The crescent of the menu icon, 12 x 11."""
    cv = Canvas(12, 11)
    cv.shape(crescent(5.4, 5.9, 4.9, 8.2, 3.4, 4.1), t['moon'])
    cv.edge(t['moon_edge'])
    return cv


def close_box(t, pressed):
    w, h = CLOSE_SIZE
    cv = Canvas(w, h, t['close_down'] if pressed else t['close_face'])
    cv.frame(0, 0, w - 1, h - 1, t['rim'])
    if pressed:
        cv.hline(1, w - 2, 1, t['rim'])
        cv.vline(1, 1, h - 2, t['rim'])
    else:
        cv.hline(1, w - 2, 1, t['light'])
        cv.vline(1, 1, h - 2, t['light'])
    d = 1 if pressed else 0
    mark = t['close_mark_down'] if pressed else t['close_mark']
    for i in range(5):
        cv.set(2 + d + i, 2 + d + i, mark)
        cv.set(6 + d - i, 2 + d + i, mark)
    return cv


def draw_panel(t):
    cv = Canvas(PANEL_W, PANEL_H, t['body'])
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
    cv.blit(small_moon(t), 3, 1)
    cv.vline(17, 2, 10, t['rim'])
    cv.vline(18, 2, 10, t['bar_light'])
    # title
    cv.text(FONT5x7, 'Noctil', 25, 4, t['title_shadow'])
    cv.text(FONT5x7, 'Noctil', 24, 3, t['title'])
    cv.blit(close_box(t, False), *CLOSE_AT)
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
    # a one-pixel ring split along the anti-diagonal: lit above, shaded below
    ring = rounded(1, 1, n - 1, n - 1, 3)
    cv.shape(lambda x, y: ring(x, y) and x + y < n - 0.5, light)
    cv.shape(lambda x, y: ring(x, y) and x + y > n + 0.5, dark)
    cv.shape(lambda x, y: ring(x, y) and abs(x + y - n) < 1, face)
    cv.shape(rounded(2, 2, n - 2, n - 2, 2), face)
    if stop:
        mark = lambda x, y: 7 <= x < 16 and 7 <= y < 16
    else:
        # rows 7..15, two pixels longer per row towards the middle one
        mark = lambda x, y: (7 <= int(y) <= 15
                             and 8 <= int(x) < 17 - 2 * abs(int(y) - 11))
    d = 1 if pressed else 0
    if not pressed:
        cv.shape(lambda x, y: mark(x - 1, y - 1), t['btn_mark_shadow'], 2, 2, n - 3, n - 3)
    cv.shape(lambda x, y: mark(x - d, y - d), t['btn_mark'], 2, 2, n - 3, n - 3)
    return cv


def spin_arrows(t, panel):
    w, h = ARROWS_SIZE
    cv = panel.crop(ARROWS_AT[0], ARROWS_AT[1], w, h)
    for off in DIGIT_OFFSETS:
        # the digit column is x = off+49 .. off+57 on the face, centre off+53
        cx = off + 53 - ARROWS_AT[0]
        for j in range(4):
            cv.hline(cx - j, cx + j, j, t['arrow'])
            cv.hline(cx - 3 + j, cx + 3 - j, h - 4 + j, t['arrow'])
    return cv


def skin_pieces(t):
    panel = draw_panel(t)
    return {
        101: panel,
        103: button(t, panel, False, False),
        104: button(t, panel, False, True),
        105: button(t, panel, True, False),
        106: button(t, panel, True, True),
        108: spin_arrows(t, panel),
        111: close_box(t, True),
    }


def skin_sheet(t):
    pieces = skin_pieces(t)
    sheet = Canvas(SHEET_W, SHEET_H, t['body'])
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


def cursor_arrow():
    cv = Canvas(32, 32)
    paint(cv, 0, 0, ARROW)
    return cv


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


def window_picker_picture():
    """Arrow pointer at the top left (tip at 4, 4), WIN beside it, and below a
    small window whose client area holds a cross-hair."""
    cv = Canvas(32, 32)
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


def cursor_updown():
    cv = Canvas(32, 32)
    paint(cv, 0, 0, SIZE_NS, {'X': WHITE, 'o': BLACK})
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
        art + 'ico114.ico': ico_bytes([icon_program(16), icon_program(32)]),
        art + 'ico118.ico': ico_bytes([icon_tray(YELLOW, BROWN)]),
        art + 'ico119.ico': ico_bytes([icon_tray(RED_ORANGE, DARK_OUTLINE)]),
        art + 'cur105.cur': cur_bytes(cursor_arrow(), (0, 0)),
    }
    outputs[art + 'bmp113.bmp'] = bmp_bytes(about_picture(), 4)
    picker = window_picker_picture()
    outputs[art + 'ico124.ico'] = ico_bytes([picker])
    outputs[art + 'cur122.cur'] = cur_bytes(picker, (4, 4))
    outputs[art + 'cur109.cur'] = cur_bytes(cursor_updown(), (4, 8))
    for ident, cv in skin_pieces(BUILTIN).items():
        outputs[art + 'bmp%d.bmp' % ident] = bmp_bytes(cv, 4)
    for folder, name, theme, colours in SAMPLE_SKINS:
        outputs['skins/%s/skin.bmp' % folder] = bmp_bytes(skin_sheet(theme), 24)
        outputs['skins/%s/skin.ini' % folder] = skin_ini(name, colours)
    for rel in sorted(outputs):
        write(root, rel, outputs[rel])
        print('%-32s %6d bytes' % (rel, len(outputs[rel])))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
