"""The face and the dialogs on a screen at NOCTIL_TEST_DPI (tools/at-dpi.sh
sets it; 96 without), as the user sees them: the window at the scale, the
face's text drawn in a font of the scaled height (not a 96-DPI face made
larger), and every label of the menu's dialogs whole in its own font.

The glyph rule is relative to the face at 96 DPI, shown by the same program
after a change of DPI to 96 (the digits' ink there is 7 rows of the 12-pixel
cell): at the DPI under test line 1's ink lies in the line's cell and is at
least the 96-DPI ink times the scale, less a row for rounding. A font left at
12 pixels keeps its 7 rows. The band of the text holds only the background
and the text's edge shades (Wine draws text with 17 levels of grey), where a
resampled face shows hundreds of colours."""
import os
import re
import time

from harness import Harness, wait_for

DPI = int(os.environ.get("NOCTIL_TEST_DPI", "96"))
WM_DPICHANGED = 0x02E0
IDCANCEL = 2
TEXT_COLOR_1 = (0x00, 0x7F, 0x29)  # kBuiltInTextColor1, line 1 of the built-in skin
MOST_BAND_COLOURS = 24

# The dialogs of the menu: (command, caption).
DIALOGS = [
    (40047, "カウントダウンタイマー"),
    (40048, "時間を指定して開始"),
    (40041, "ネットワーク監視"),
    (40040, "対象のｳｲﾝﾄﾞｳの選択"),
    (40049, "自動スタートの設定"),
    (40025, "このソフトについて"),
]


def scaled(value, dpi=DPI):
    return (value * dpi + 48) // 96


def pixels(path):
    """The rows of (r, g, b) of a PPM screenshot (8 or 16 bits a sample)."""
    data = open(path, "rb").read()
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(m[1]), int(m[2])
    raw = data[m.end():][::2] if int(m[3]) > 255 else data[m.end():]
    return [[tuple(raw[i:i + 3]) for i in range((y * width) * 3, (y + 1) * width * 3, 3)] for y in range(height)]


def line1(h, dpi):
    """Of line 1 (date and time, left of the start button) drawn at `dpi`: the
    rows, from the line's top, holding pixels of the pure text colour, and the
    number of colours in the line's text cell."""
    time.sleep(0.5)  # shown on the screen
    rows = pixels(h.screenshot("face%d.ppm" % dpi, h.info()))
    top, cell = scaled(20, dpi), scaled(12, dpi)
    band = [row[scaled(40, dpi):scaled(180, dpi)] for row in rows[top:scaled(40, dpi)]]
    ink = [y for y, row in enumerate(band) if TEXT_COLOR_1 in row]
    return ink, len({p for row in band[:cell] for p in row})


h = Harness()
app = h.install()
proc = h.start(app)
h.check(h.wait_window() and wait_for(lambda: h.info()["visible"]), "main window appears")
info = h.info()
h.check((info["width"], info["height"]) == (scaled(220), scaled(65)),
        "at %d DPI the window is %d x %d" % (DPI, scaled(220), scaled(65)), info)

for command, caption in DIALOGS:
    h.command(command)
    if not h.check(wait_for(lambda: h.probe("rect", caption)[0] == 0), "%s opens" % caption):
        continue
    rc, out = h.probe("labels", caption)
    labels = out.splitlines()
    for label in labels:
        print("info %s: %s" % (caption, label))
    h.check(rc == 0 and labels, "%s: its labels are measured" % caption, out)
    clipped = [label for label in labels if not label.startswith("OK ")]
    h.check(not clipped, "%s: every label fits its control at %d DPI" % (caption, DPI), clipped)
    h.probe("press", caption, IDCANCEL)
    h.check(wait_for(lambda: h.probe("rect", caption)[0] != 0), "%s closes" % caption)

ink, colours = line1(h, DPI)
h.probe("send", WM_DPICHANGED, 96 * 0x10001, 0)
ink96, _ = line1(h, 96)
at96 = h.info()
h.check((at96["left"], at96["top"], at96["width"], at96["height"]) == (info["left"], info["top"], 220, 65),
        "a change of DPI without a rectangle keeps the window's place and takes the face's size", at96)
h.probe("send", WM_DPICHANGED, DPI * 0x10001, 0)
height, height96 = (rows[-1] - rows[0] + 1 if rows else 0 for rows in (ink, ink96))
print("info line 1's ink: rows %s at %d DPI, %s at 96 DPI; %d colours in its cell"
      % (ink and (ink[0], ink[-1]), DPI, ink96 and (ink96[0], ink96[-1]), colours))
h.check(ink and ink[-1] < scaled(12), "line 1's ink lies in its %d-pixel cell" % scaled(12), ink)
least = height96 * DPI / 96 - 1
h.check(height96 and height >= least, "line 1's ink is %d rows: at least %.1f, the %d of 96 DPI scaled, less one"
        % (height, least, height96), ink)
h.check(colours <= MOST_BAND_COLOURS, "line 1's cell holds at most %d colours: text, not a resampled face"
        % MOST_BAND_COLOURS, colours)

h.check(h.exit_program(proc) == 0, "exits with 0")
h.finish()
