"""The palette at the display scales users run: 100, 125, 150 and 200 %
(the prefix's LogPixels 96, 120, 144, 192), and under a thicker Windows 10
frame. Every button whole inside the window at its scaled place, its letter
drawn for the scale in pure black, and the menu bar whole above them."""

import struct
import subprocess
import time
import zlib
from contextlib import contextmanager

import pytest

from desktop import REPO
from targets import settled

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
METRICS_KEY = r"HKCU\Control Panel\Desktop\WindowMetrics"
BLACK = "000000"


def scaled(design, dpi):
    """The program's rounding: to the nearest pixel, halves away from zero."""
    product = design * dpi
    return (product + 48) // 96 if product >= 0 else -((-product + 48) // 96)


def reg(env, *args):
    """wine's reg tool; a change it fails to make now and then (exit 1, no
    word why) is tried once more."""
    for _ in range(2):
        done = subprocess.run(["wine", "reg", *args], env=env, capture_output=True, text=True, timeout=60)
        if done.returncode == 0 or args[0] == "query":
            return done
    return done


@contextmanager
def registry_values(env, key, values):
    """Sets values of `key` ({name: (type, data)}) for the programs started
    meanwhile; a new process reads them at start. Puts back what was there."""
    before = {}
    for name in values:
        line = next((l for l in reg(env, "query", key, "/v", name).stdout.splitlines() if name in l), None)
        before[name] = line.split(None, 2)[1:] if line else None
    for name, (kind, data) in values.items():
        assert reg(env, "add", key, "/v", name, "/t", kind, "/d", str(data), "/f").returncode == 0
    try:
        yield
    finally:
        for name, old in before.items():
            if old is None:
                reg(env, "delete", key, "/v", name, "/f")
            else:
                kind, data = old
                if kind == "REG_DWORD":
                    data = str(int(data, 16))
                reg(env, "add", key, "/v", name, "/t", kind, "/d", data, "/f")


def window_shot(desktop, info, name):
    """The screen, and beside it the window alone (for the README)."""
    shot = desktop.screenshot(name)
    left, top, right, bottom = info["rect"]
    subprocess.run(["convert", str(shot), "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                    str(shot.with_name(f"{name}-window.png"))], check=True, timeout=60)


def help_picture(name, dpi):
    """A committed Help picture (a packed one-bit BMP) as top-down rows of
    colours in the probe's spelling."""
    suffix = "" if dpi == 96 else f"_{dpi}"
    data = zlib.decompress((REPO / "res" / f"help_{name}{suffix}.bmp.z").read_bytes())
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    assert struct.unpack_from("<H", data, 28)[0] == 1 and height > 0
    palette = ["%02x%02x%02x" % tuple(reversed(data[54 + 4 * i:57 + 4 * i])) for i in range(2)]
    stride = (width + 31) // 32 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = data[offset + y * stride:offset + (y + 1) * stride]
        rows.append([palette[row[x // 8] >> (7 - x % 8) & 1] for x in range(width)])
    return rows


def button_faces(desktop, panel, buttons, dpi):
    """Each button's face inside its raised edge, as rows of colours read
    from the screen in one go."""
    left, top, right, bottom = panel["rect"]
    rgb = desktop.probe("pixels", left, top, right, bottom)[0]["rgb"]
    width = right - left
    inset = scaled(2, dpi)
    faces = []
    for button in buttons:
        bl, bt, br, bb = button["rect"]
        faces.append(tuple(rgb[(y - top) * width + (x - left)]
                           for y in range(bt + inset, bb - inset) for x in range(bl + inset, br - inset)))
    return faces


def menu_band(desktop, info):
    """The rows of menu-coloured background just above the client area, read
    down a column left of the first menu caption, and that band's colours."""
    left, client_top = info["client"][0], info["client"][1]
    window_top = info["rect"][1]
    column = desktop.probe("pixels", left + 1, window_top, left + 2, client_top)[0]["rgb"]
    menu_colour = column[-1]
    height = 0
    while height < len(column) and column[-1 - height] == menu_colour:
        height += 1
    band = desktop.probe("pixels", left, client_top - height, left + 60, client_top)[0]["rgb"]
    return height, band


def check_palette(desktop, palette, dpi):
    info = palette.info()
    outer = info["rect"][3] - info["rect"][1]
    client_width = info["client"][2] - info["client"][0]
    client_height = info["client"][3] - info["client"][1]
    assert client_width == scaled(329, dpi)
    # The whole palette shows; the window is no taller than the design's
    # scaled height unless the frame needs more.
    assert client_height >= scaled(89, dpi)
    assert outer == scaled(134, dpi) or client_height == scaled(89, dpi), (outer, client_height)

    band_height, band = menu_band(desktop, info)
    assert band_height >= scaled(18, dpi), "the menu bar keeps its height"
    assert BLACK in band, "the menu captions are drawn"

    panel = next(p for p in palette.panels() if p["visible"])
    assert panel["rect"] == [*info["client"][:2], info["client"][0] + scaled(337, dpi),
                             info["client"][1] + scaled(89, dpi)]
    buttons = palette.visible_buttons()
    assert len(buttons) == 16
    x0, y0 = info["client"][:2]
    for position, button in enumerate(buttons, start=1):
        column = (position - 1) // 2
        left = x0 + scaled(8 + 40 * column, dpi)
        top = y0 + scaled(8 if position % 2 else 48, dpi)
        size = scaled(33, dpi)
        assert button["rect"] == [left, top, left + size, top + size], position
        assert button["rect"][3] <= info["client"][3], f"button {position} cut off at the bottom"

    # Read once all sixteen are painted: on a busy machine the window shows
    # before its buttons have drawn their letters.
    faces = button_faces(desktop, panel, buttons, dpi)
    deadline = time.monotonic() + 5
    while len(set(faces)) < 16 and time.monotonic() < deadline:
        time.sleep(0.05)
        faces = button_faces(desktop, panel, buttons, dpi)
    face_colour = faces[0][0]
    for position, face in enumerate(faces, start=1):
        assert set(face) <= {face_colour, BLACK}, f"button {position}: ink only in pure black, no smoothing"
    assert len(set(faces)) == 16, "sixteen different letters"
    return sum(face.count(BLACK) for face in faces)


@pytest.fixture(scope="module")
def ink_at_100():
    return {}


@pytest.mark.parametrize("dpi", [96, 120, 144, 192])
def test_palette_whole_and_crisp_at_each_scale(start_palette, desktop, ink_at_100, dpi):
    with registry_values(desktop.env, DESKTOP_KEY, {"LogPixels": ("REG_DWORD", dpi)}):
        palette = start_palette()
        ink = check_palette(desktop, palette, dpi)
        window_shot(desktop, palette.info(), f"palette-{dpi}")
    if dpi == 96:
        ink_at_100["ink"] = ink
    elif "ink" in ink_at_100:
        # Drawn for the scale, the letters' ink grows with the area.
        ratio = ink / ink_at_100["ink"]
        assert 0.8 < ratio / (dpi / 96) ** 2 < 1.25, ratio


def test_palette_whole_under_windows_10_frame(start_palette, desktop):
    # Caption 23 px, menu bar 20 px, padded border 4 px, in the registry's twips.
    metrics = {"CaptionHeight": ("REG_SZ", -345), "MenuHeight": ("REG_SZ", -300),
               "PaddedBorderWidth": ("REG_SZ", -60)}
    with registry_values(desktop.env, METRICS_KEY, metrics):
        palette = start_palette()
        info = palette.info()
        assert info["rect"][3] - info["rect"][1] > 134, "the thicker frame gets a taller window"
        assert info["client"][3] - info["client"][1] == 89
        check_palette(desktop, palette, 96)
        window_shot(desktop, palette.info(), "palette-windows-10-frame")


@pytest.mark.parametrize("dpi", [144, 192])
def test_about_and_help_at_their_scaled_sizes(start_palette, desktop, dpi):
    from test_about_help import ABOUT_ICON, ABOUT_OK, ABOUT_PANEL, HELP_BUTTON, HELP_CHART, HELP_PAGES, HELP_TABS, \
        closed, expect_modal_frame, open_window, parts, press
    with registry_values(desktop.env, DESKTOP_KEY, {"LogPixels": ("REG_DWORD", dpi)}):
        palette = start_palette()
        about = open_window(desktop, palette, "about")
        expect_modal_frame(palette, about, scaled(321, dpi), scaled(106, dpi))
        found = parts(desktop, about["hwnd"])
        x0, y0 = about["client"][:2]
        ok = found[ABOUT_OK]["rect"]
        assert ok[:2] == [x0 + scaled(232, dpi), y0 + scaled(75, dpi)]
        assert [ok[2] - ok[0], ok[3] - ok[1]] == [scaled(75, dpi), scaled(25, dpi)]
        panel = found[ABOUT_PANEL]
        icon = parts(desktop, panel["hwnd"])[ABOUT_ICON]
        assert icon["rect"][:2] == [panel["rect"][0] + scaled(13, dpi), panel["rect"][1] + scaled(13, dpi)]
        window_shot(desktop, desktop.info(about["hwnd"]), f"about-{dpi}")
        press(desktop, about, "Return")
        closed(desktop, palette, about)

        helpwin = open_window(desktop, palette, "help")
        expect_modal_frame(palette, helpwin, scaled(419, dpi), scaled(453, dpi))
        found = parts(desktop, helpwin["hwnd"])
        button = found[HELP_BUTTON]["rect"]
        x0, y0 = helpwin["client"][:2]
        # The chart shown is the one drawn for the scale, pixel for pixel.
        page = parts(desktop, found[HELP_TABS]["hwnd"])[HELP_PAGES[0]]
        chart = parts(desktop, page["hwnd"])[HELP_CHART]
        assert chart["rect"][:2] == [page["rect"][0] + scaled(96, dpi), page["rect"][1] + scaled(32, dpi)]
        drawn = help_picture("chart", dpi)
        cl, ct, _, cb = chart["client"]
        expected = [colour for row in drawn[:cb - ct] for colour in row]
        # Read once the scroll box has drawn it: on a busy machine the
        # window's parts stand before its pictures are painted.
        assert settled(lambda: desktop.probe("pixels", cl, ct, cl + len(drawn[0]), cb)[0]["rgb"], expected) == expected
        assert button[:2] == [x0 + scaled(333, dpi), y0 + scaled(416, dpi)]
        window_shot(desktop, desktop.info(helpwin["hwnd"]), f"help-{dpi}")
        desktop.click((button[0] + button[2]) // 2, (button[1] + button[3]) // 2)
        closed(desktop, palette, helpwin)
