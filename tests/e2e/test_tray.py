"""The tray icon as a user meets it in Wine's standalone tray: real clicks on
the icon and keys in its menu, the icon's pictures read off the screen, and a
shell that loses its icons and announces its restart."""

import struct
import subprocess
import time

import pytest

from desktop import REPO
from wine_session import wait_for

TRAY, ICON, MENU, TOOLTIP = "__winex11_standalone_tray", "__winex11_tray_icon", "#32768", "tooltips_class32"
HANDLER = "TamgalikTrayIconHandler"
FIRST_ICON_ID = 1
WM_NCHITTEST, HTMINBUTTON = 0x0084, 8
ID_TILTAXTINIOZGERTISH1, ID_HERIPYOTKESH1, ID_JUPYOTKESH1 = 211, 212, 213
LATIN, CYRILLIC, OFF = 0, 1, 2
RUSSIAN = {"LC_ALL": "ru_RU.UTF-8"}
# The palette's timer writes the picture every 500 ms; "stays" means over this many ticks.
WATCHED_TICKS = 3
TICK = 0.5


# --- the pictures the icon may show -------------------------------------------

def tray_pictures():
    """The three 16x16 pictures of res/tray_states.bmp (side by side, 24-bit),
    each as top-down RGB bytes."""
    data = (REPO / "res" / "tray_states.bmp").read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    assert struct.unpack_from("<H", data, 28)[0] == 24
    stride = (width * 3 + 3) // 4 * 4

    def rgb(x, y):
        row = height - 1 - y if height > 0 else y
        b, g, r = data[offset + row * stride + x * 3:offset + row * stride + x * 3 + 3]
        return bytes((r, g, b))

    rows = abs(height)
    return [b"".join(rgb(16 * index + x, y) for y in range(rows) for x in range(16)) for index in range(width // 16)]


PICTURES = tray_pictures()


def screen_area(desktop, rect):
    left, top, right, bottom = rect
    width, height = right - left, bottom - top
    raw = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "-depth", "8",
                          "rgb:-"], env=desktop.env, capture_output=True, check=True, timeout=30).stdout
    assert len(raw) == width * height * 3
    return raw, width, height


def shown_picture(desktop, icon):
    """Which of the three pictures the icon window shows, wherever it sits in
    the window; None for anything else."""
    raw, width, height = screen_area(desktop, desktop.info(icon)["rect"])
    for top in range(height - 15):
        for left in range(width - 15):
            block = b"".join(raw[((top + y) * width + left) * 3:((top + y) * width + left + 16) * 3] for y in range(16))
            if block in PICTURES:
                return PICTURES.index(block)
    return None


def wait_for_picture(desktop, icon, expected):
    wait_for(lambda: shown_picture(desktop, icon) == expected, 5, what=f"tray picture {expected}")


def pictures_over_ticks(desktop, icon):
    """Every picture the icon shows while the palette's timer ticks a few times."""
    seen = set()
    deadline = time.monotonic() + WATCHED_TICKS * TICK
    while time.monotonic() < deadline:
        seen.add(shown_picture(desktop, icon))
    return seen


# --- the tray and the program in it -------------------------------------------

def tray_icons(desktop):
    icons = []
    for tray in desktop.windows(TRAY):
        icons += [c["hwnd"] for c in desktop.children(tray["hwnd"]) if c["class"] == ICON and c["visible"]]
    return icons


def centre(desktop, hwnd):
    left, top, right, bottom = desktop.info(hwnd)["rect"]
    return (left + right) // 2, (top + bottom) // 2


def in_tray(start_palette, desktop, env=None):
    """Starts the program and waits for it to settle in the tray; returns the
    palette and its icon window."""
    before = set(tray_icons(desktop))
    palette = start_palette(env=env, shown=False)
    new = wait_for(lambda: set(tray_icons(desktop)) - before, 10, what="the program's tray icon")
    assert len(new) == 1
    return palette, new.pop()


def point_at(desktop, x, y):
    # `mousemove --sync` to where the pointer already is waits for a motion that never comes.
    where = subprocess.run(["xdotool", "getmouselocation"], env=desktop.env, capture_output=True, text=True,
                           check=True).stdout.split()
    if where[:2] != [f"x:{x}", f"y:{y}"]:
        desktop.xdotool("mousemove", "--sync", x, y)


# A press within the double-click time (wine's default, with a margin) of the
# previous press of the same button makes a double-click, and a right one opens
# no menu; each click of a test stands alone.
DOUBLE_CLICK_TIME = 0.6
last_press = {}


def click(desktop, x, y, button=1, times=1):
    point_at(desktop, x, y)
    time.sleep(max(0.0, last_press.get(button, 0.0) + DOUBLE_CLICK_TIME - time.monotonic()))
    desktop.xdotool("click", "--repeat", times, "--delay", 80, button)
    last_press[button] = time.monotonic()


def double_click(desktop, icon):
    click(desktop, *centre(desktop, icon), times=2)


# --- the tray menu ------------------------------------------------------------

def open_menu(desktop, icon):
    """Right-clicks the icon; returns the menu's window once it is up."""
    click(desktop, *centre(desktop, icon), button=3)
    return desktop.wait_window(MENU, timeout=10)


def x_window_of(desktop, palette, rect):
    """The X window wine made for one of the program's windows, once the X
    server shows it where wine placed it."""
    left, top, right, bottom = rect

    def shown():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(palette.process.pid)],
                               env=desktop.env, capture_output=True, text=True).stdout.split()
        for xid in found:
            geometry = dict(line.split("=") for line in subprocess.run(
                ["xdotool", "getwindowgeometry", "--shell", xid], env=desktop.env, capture_output=True,
                text=True).stdout.split())
            if [int(geometry[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")] == [left, top, right - left, bottom - top]:
                return xid
        return None
    return wait_for(shown, 10, what=f"an X window of the program at {rect}")


def menu_keys(desktop, palette, menu, *keys):
    """Real key presses into the open menu: X sends keys to the focused window,
    which after the click is the tray's."""
    desktop.xdotool("windowfocus", "--sync", x_window_of(desktop, palette, menu["rect"]))
    desktop.xdotool("key", "--delay", "50", *keys)


def caption_marks(desktop, menu):
    """For each item with a caption, top to bottom, whether a mark is drawn in
    the margin before its caption. Separators have no dark pixels."""
    raw, width, height = screen_area(desktop, menu["rect"])

    def dark(x, y):
        return sum(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) < 250

    border = 3
    lefts, band = [], None  # leftmost dark column of each band of rows with dark pixels
    for y in range(border, height - border):
        xs = [x for x in range(border, width - border) if dark(x, y)]
        if xs:
            band = min(xs) if band is None else min(band, min(xs))
        elif band is not None:
            lefts.append(band)
            band = None
    if band is not None:
        lefts.append(band)
    caption_left = max(lefts, default=0)
    return [left < caption_left - 5 for left in lefts]


def menu_marks(desktop, palette, menu):
    """The marks of the open tray menu's five captioned items, once all are drawn."""
    # The click may raise the tray's window over the menu; only the picture changes.
    desktop.xdotool("windowraise", x_window_of(desktop, palette, menu["rect"]))

    def drawn():
        marks = caption_marks(desktop, menu)
        return marks if len(marks) == 5 else None
    return wait_for(drawn, 5, what="a menu of five captioned items")


# --- the tests ----------------------------------------------------------------

def test_first_tick_hides_the_window_and_its_taskbar_button_into_the_tray(start_palette, desktop):
    palette, icon = in_tray(start_palette, desktop)
    button = palette.info()["owner"]  # the taskbar button's window
    wait_for(lambda: not desktop.info(button)["visible"], 5, what="the taskbar button hiding")
    wait_for_picture(desktop, icon, LATIN)
    desktop.screenshot("tray-icon")


@pytest.mark.activation
def test_tray_menu_order_marks_show_and_exit(start_palette, desktop):
    palette, icon = in_tray(start_palette, desktop)
    menu = open_menu(desktop, icon)
    # Körsitiş, Til taxtini özgertiş (checked), Herip yötkeş (checked), Jüp yötkeş, Ciqiş.
    assert menu_marks(desktop, palette, menu) == [False, True, True, False, False]
    desktop.screenshot("tray-menu")
    menu_keys(desktop, palette, menu, "Down", "Return")  # the first item
    wait_for(lambda: palette.info()["visible"], 10, what="the palette shown by the first item")
    assert not desktop.visible_windows(MENU)

    # The marks follow the main menu's keyboard settings.
    palette.command(ID_JUPYOTKESH1)
    palette.command(ID_TILTAXTINIOZGERTISH1)
    menu = open_menu(desktop, icon)
    assert menu_marks(desktop, palette, menu) == [False, False, False, True, False]
    desktop.screenshot("tray-menu-pairs-switched-off")
    menu_keys(desktop, palette, menu, "Escape")
    wait_for(lambda: not desktop.visible_windows(MENU), 5, what="the menu closing")
    assert palette.process.poll() is None

    menu = open_menu(desktop, icon)
    menu_keys(desktop, palette, menu, "Up", "Return")  # the last item
    assert palette.process.wait(timeout=10) == 0
    wait_for(lambda: icon not in tray_icons(desktop), 5, what="the icon leaving the tray")


def minimise_box(desktop, hwnd):
    left, top, right, _ = desktop.info(hwnd)["rect"]
    caption_y = top + 10
    for x in range(right - 4, left, -4):
        if desktop.probe("send", hwnd, WM_NCHITTEST, 0, (caption_y << 16) | x, 5000)[0]["result"] == HTMINBUTTON:
            return x, caption_y
    raise AssertionError("no minimise box on the caption")


@pytest.mark.activation
def test_double_click_shows_and_minimising_hides_into_the_tray(start_palette, desktop):
    palette, icon = in_tray(start_palette, desktop)
    button = palette.info()["owner"]  # the taskbar button's window

    def shown():
        return (palette.info()["visible"], desktop.info(button)["visible"])

    double_click(desktop, icon)
    wait_for(lambda: shown() == (True, True), 10, what="the palette and its button shown by a double-click")

    click(desktop, *minimise_box(desktop, palette.hwnd))
    wait_for(lambda: shown() == (False, False), 10, what="the palette and its button minimised into the tray")
    assert icon in tray_icons(desktop)
    assert palette.process.poll() is None

    double_click(desktop, icon)
    wait_for(lambda: shown() == (True, True), 10, what="the palette and its button back from the tray")
    assert not palette.info()["iconic"]


def test_picture_follows_the_layout_the_mode_and_the_switch(start_palette, desktop):
    palette, icon = in_tray(start_palette, desktop, env=RUSSIAN)
    wait_for_picture(desktop, icon, CYRILLIC)

    palette.command(ID_TILTAXTINIOZGERTISH1)  # off: the cross, which no tick replaces
    wait_for_picture(desktop, icon, OFF)
    assert pictures_over_ticks(desktop, icon) == {OFF}
    palette.command(ID_TILTAXTINIOZGERTISH1)
    wait_for_picture(desktop, icon, CYRILLIC)

    palette.command(ID_JUPYOTKESH1)  # pair mode never shows the Cyrillic picture
    wait_for_picture(desktop, icon, LATIN)
    assert pictures_over_ticks(desktop, icon) == {LATIN}
    palette.command(ID_HERIPYOTKESH1)
    wait_for_picture(desktop, icon, CYRILLIC)


def tooltip_text(desktop, icon):
    """Hovers over the icon and reads the tooltip the tray shows for it."""
    point_at(desktop, 640, 900)
    wait_for(lambda: not desktop.visible_windows(TOOLTIP), 10, what="no tooltip")
    x, y = centre(desktop, icon)
    point_at(desktop, x - 3, y - 3)
    point_at(desktop, x, y)
    tip = desktop.wait_window(TOOLTIP, timeout=10)
    return desktop.text(tip["hwnd"])


def test_icon_comes_back_with_its_picture_and_tooltip_after_the_shell_restarts(start_palette, desktop):
    palette, icon = in_tray(start_palette, desktop)
    others = set(tray_icons(desktop)) - {icon}
    handler = [w for w in desktop.windows(HANDLER) if w["pid"] == palette.info()["pid"]][0]["hwnd"]
    palette.command(ID_TILTAXTINIOZGERTISH1)  # a picture no tick writes, unlike the start's
    wait_for_picture(desktop, icon, OFF)
    assert tooltip_text(desktop, icon) == "Tamgalik"

    # The announcement while the icon is still there: still one icon, as it was.
    assert desktop.probe("broadcast-registered", "TaskbarCreated")
    assert pictures_over_ticks(desktop, icon) == {OFF}
    assert set(tray_icons(desktop)) - others == {icon}

    assert desktop.probe("tray-delete", handler, FIRST_ICON_ID)[0]["ok"]
    wait_for(lambda: icon not in tray_icons(desktop), 5, what="the icon lost by the shell")
    assert desktop.probe("broadcast-registered", "TaskbarCreated")
    back = wait_for(lambda: set(tray_icons(desktop)) - others, 10, what="the icon back in the tray")
    assert len(back) == 1
    back = back.pop()
    wait_for_picture(desktop, back, OFF)
    assert tooltip_text(desktop, back) == "Tamgalik"
    desktop.screenshot("tray-after-shell-restart")

    # The shell's notifications reach the program through the new icon.
    double_click(desktop, back)
    wait_for(lambda: palette.info()["visible"], 10, what="the palette shown from the re-added icon")
