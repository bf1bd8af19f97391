"""Shared pieces of the power end-to-end tests: the options file and the face click."""
import os
import struct
import time

WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN = 0x0200, 0x0201, 0x0202, 0x0100
VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3 = 0x61, 0x62, 0x63
MK_LBUTTON = 0x0001
START_BUTTON = (195, 35)  # inside the start/stop button


def options_bytes(always_on_top=1, silent=0, force_action=0, rect=(100, 100, 320, 165), host=b"",
                  force_if_hung=0, power_action=0, clock_minute=55, clock_hour=7, skin=b""):
    """noctil.gid: ten fields, 1324 bytes, little-endian, no header."""
    data = struct.pack("<3i4i1024s4i256s", always_on_top, silent, force_action, *rect, host,
                       force_if_hung, power_action, clock_minute, clock_hour, skin)
    assert len(data) == 1324
    return data


def options_fields(data):
    names = ("alwaysOnTop", "silent", "forceAction", "left", "top", "right", "bottom", "hostName",
             "forceIfHung", "powerAction", "clockMinute", "clockHour", "skinName")
    values = struct.unpack("<3i4i1024s4i256s", data)
    return {n: (v.split(b"\0")[0] if isinstance(v, bytes) else v) for n, v in zip(names, values)}


def install_with_options(h, **fields):
    """The recording program in a fresh folder with an options file of `fields`."""
    app = h.install()
    with open(os.path.join(app, "noctil.gid"), "wb") as f:
        f.write(options_bytes(**fields))
    return app


def click_start(h):
    """Presses and releases the start/stop button as the mouse would."""
    lparam = (START_BUTTON[1] << 16) | START_BUTTON[0]
    h.probe("send", WM_MOUSEMOVE, 0, lparam)
    h.probe("send", WM_LBUTTONDOWN, MK_LBUTTON, lparam)
    h.probe("send", WM_LBUTTONUP, 0, lparam)


def arm_due_now(h):
    """Starts the timer (target 20 s ahead), then steps the target back with the
    keypad until the confirmation opens. The fields wrap without carrying, so
    no one key always goes back: minute down does unless the target's minute
    is 0 (it wraps to 59), hour down then does unless its hour is 0, and day
    down then does unless it is the 1st. Returns whether the confirmation opened."""
    click_start(h)
    for key in (VK_NUMPAD3, VK_NUMPAD2, VK_NUMPAD1):
        h.probe("post", WM_KEYDOWN, key, 0)
        if wait_for(lambda: h.probe("dialog", "Noctil !")[0] == 0, 3, 0.2) is not None:
            return True
    return False


def wait_for(predicate, timeout, step=0.1):
    """Polls until predicate() is true; returns the seconds it took, or None."""
    start = time.time()
    while time.time() - start < timeout:
        if predicate():
            return time.time() - start
        time.sleep(step)
    return None


def notice(h):
    rc, out = h.probe("notice")
    if rc != 0:
        return None
    f = [int(x) for x in out.split()]
    return {"left": f[0], "top": f[1], "width": f[2], "height": f[3], "topmost": f[4],
            "desk_right": f[5], "desk_bottom": f[6]}


def centred(n):
    return (n["left"] == n["desk_right"] // 2 - n["width"] // 2
            and n["top"] == n["desk_bottom"] // 2 - n["height"] // 2)
