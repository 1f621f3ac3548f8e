"""The About and Help windows as a user meets them: opened from the palette's
"?" menu, read back from their own windows, hovered, clicked and typed at
with the real pointer and keyboard, closed and opened again."""

import subprocess
import time

import pytest

from targets import x_window
from wine_session import wait_for

ID_YARDEM2 = 221
ID_HEQQIDE1 = 222
WS_DISABLED = 0x08000000
TCM_GETITEMCOUNT = 0x1304
SCREEN_W, SCREEN_H = 1280, 1024
ADDRESS = "https://tamgalik.example.org/"
BLUE, BLACK = "0000ff", "000000"
# An absence (the window staying open) can only be watched for a while.
QUIET = 0.5

# Control identifiers of res/dialog_ids.h.
ABOUT_PANEL, ABOUT_ICON, ABOUT_LINES, ABOUT_LINK, ABOUT_OK = 310, 311, (312, 313, 314), 315, 1
HELP_BUTTON, HELP_TABS, HELP_LINK, HELP_PAGES, HELP_CHART = 320, 321, 322, (323, 324), 325

WINDOWS = {"about": (ID_HEQQIDE1, "Heqqide", ABOUT_LINK, ABOUT_OK),
           "help": (ID_YARDEM2, "Yardem", HELP_LINK, HELP_BUTTON)}


def parts(desktop, hwnd):
    return {child["id"]: child for child in desktop.children(hwnd)}


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def colours(desktop, rect):
    return desktop.probe("pixels", *rect)[0]["rgb"]


def open_window(desktop, palette, name):
    command, title, _, _ = WINDOWS[name]
    palette.post_command(command)
    return desktop.wait_window("#32770", title)


def closed(desktop, palette, window):
    wait_for(lambda: not desktop.info(window["hwnd"])["visible"], 10, what=f"{window['title']} hidden")
    assert palette.info()["enabled"], "the palette takes input again"


def press(desktop, window, key):
    """A real key press into the window: the X focus moves there first."""
    desktop.focus(window["hwnd"])
    desktop.xdotool("windowfocus", "--sync", x_window(desktop, window["title"]))
    desktop.xdotool("key", key)


def stays_open(desktop, window):
    time.sleep(QUIET)
    return desktop.info(window["hwnd"])["visible"]


def expect_modal_frame(palette, window, width, height):
    left, top, right, bottom = window["rect"]
    assert (window["client"][2] - window["client"][0], window["client"][3] - window["client"][1]) == (width, height)
    # Never moved yet: centred on the screen.
    assert (left, top) == ((SCREEN_W - (right - left)) // 2, (SCREEN_H - (bottom - top)) // 2)
    info = palette.info()
    assert info["style"] & WS_DISABLED and not info["enabled"], "the palette takes no input meanwhile"


@pytest.fixture
def opened_addresses(desktop, tmp_path):
    """Points the shell's https handler at a recorder (cmd appending its
    argument to a file) for the test, and puts the prefix's own handler back."""
    key = r"HKCR\https\shell\open\command"
    record = tmp_path / "opened.txt"

    def reg(*args):
        return subprocess.run(["wine", "reg", *args], env=desktop.env, capture_output=True, text=True, timeout=60)

    query = reg("query", key, "/ve").stdout
    before = next((line.split("REG_SZ", 1)[1].strip() for line in query.splitlines() if "REG_SZ" in line), None)
    recorder = r"C:\windows\system32\cmd.exe /c echo %1>>Z:" + str(record).replace("/", "\\")
    assert reg("add", key, "/ve", "/d", recorder, "/f").returncode == 0
    try:
        yield record
    finally:
        if before is None:
            reg("delete", key, "/ve", "/f")
        else:
            reg("add", key, "/ve", "/d", before, "/f")


@pytest.mark.activation
def test_about_names_program_and_closes_on_enter(start_palette, desktop):
    palette = start_palette()
    about = open_window(desktop, palette, "about")
    expect_modal_frame(palette, about, 321, 106)

    found = parts(desktop, about["hwnd"])
    panel = found[ABOUT_PANEL]
    inside = parts(desktop, panel["hwnd"])
    assert [desktop.text(inside[line]["hwnd"]) for line in ABOUT_LINES] == [
        "Uyğur Tiliniŋ Tamgalik", "Ijatci: Tamgalik developers", "Vérsiye: 2.1, 2010 žili"]
    px, py = panel["rect"][:2]
    assert inside[ABOUT_ICON]["rect"] == [px + 13, py + 13, px + 46, py + 46]
    assert [inside[line]["rect"][:2] for line in ABOUT_LINES] == [[px + 64, py + 5], [px + 64, py + 21], [px + 64, py + 37]]
    desktop.screenshot("about")

    press(desktop, about, "Return")
    closed(desktop, palette, about)
    assert palette.process.poll() is None


@pytest.mark.parametrize("name", ["about", "help"])
def test_link_follows_pointer_and_opens_address(start_palette, desktop, opened_addresses, name):
    palette = start_palette()
    window = open_window(desktop, palette, name)
    _, _, link_id, close_id = WINDOWS[name]
    found = parts(desktop, window["hwnd"])
    link = found[link_id]
    assert desktop.text(link["hwnd"]) == "tamgalik.example.org"
    # Window-text colour is black here.
    rest = wait_for(lambda: (lambda seen: seen if BLACK in seen else None)(colours(desktop, link["rect"])), 10,
                    what="the link drawn")
    assert BLUE not in rest

    x, y = centre(link["rect"])
    desktop.xdotool("mousemove", "--sync", x, y)
    wait_for(lambda: BLUE in colours(desktop, link["rect"]), 10, what="link blue under the pointer")
    tip = wait_for(lambda: [t for t in desktop.visible_windows("tooltips_class32") if desktop.text(t["hwnd"]) == ADDRESS],
                   10, what="the address as a tooltip")
    assert tip

    away = centre(found[close_id]["rect"])
    desktop.xdotool("mousemove", "--sync", away[0], away[1] - 30)
    wait_for(lambda: (lambda seen: BLUE not in seen and BLACK in seen)(colours(desktop, link["rect"])), 10,
             what="link black again off the pointer")

    desktop.click(x, y)
    wait_for(lambda: opened_addresses.exists() and ADDRESS in opened_addresses.read_text(), 20,
             what="the shell asked to open the address")
    assert stays_open(desktop, window), "the window stays open after the link is clicked"

    desktop.click(*centre(found[close_id]["rect"]))
    closed(desktop, palette, window)


def test_about_reopens_where_the_user_moved_it(start_palette, desktop):
    palette = start_palette()
    about = open_window(desktop, palette, "about")
    left, top, right, bottom = about["rect"]
    caption = (left + 60, top + 8)  # on the title bar, clear of the close button
    desktop.xdotool("mousemove", "--sync", *caption, "mousedown", 1)
    desktop.xdotool("mousemove", "--sync", caption[0] - 200, caption[1] - 150)
    desktop.xdotool("mousemove", "--sync", caption[0] - 300, caption[1] - 250, "mouseup", 1)
    # Read once the drag has ended: the window passes the first position on its way.
    moved = [left - 300, top - 250, right - 300, bottom - 250]
    wait_for(lambda: desktop.info(about["hwnd"])["rect"] == moved, 10, what="the About window dragged to the end")
    desktop.click(*centre(parts(desktop, about["hwnd"])[ABOUT_OK]["rect"]))
    closed(desktop, palette, about)

    again = open_window(desktop, palette, "about")
    assert again["hwnd"] == about["hwnd"], "the same window, hidden in between"
    assert again["rect"] == moved


def test_help_pages_chart_and_what_a_showing_keeps(start_palette, desktop):
    palette = start_palette()
    helpwin = open_window(desktop, palette, "help")
    expect_modal_frame(palette, helpwin, 419, 453)
    found = parts(desktop, helpwin["hwnd"])
    tabs = found[HELP_TABS]
    assert desktop.probe("send", tabs["hwnd"], TCM_GETITEMCOUNT, 0, 0, 5000)[0]["result"] == 2
    pages = parts(desktop, tabs["hwnd"])
    first, second = pages[HELP_PAGES[0]], pages[HELP_PAGES[1]]
    assert first["visible"] and not second["visible"]
    chart = parts(desktop, first["hwnd"])[HELP_CHART]
    assert chart["rect"][:2] == [first["rect"][0] + 96, first["rect"][1] + 32]
    desktop.screenshot("help-alphabet")

    # One column of pixels down the chart's Latin letters tells where it stands.
    cl, ct, cr, cb = chart["client"]
    column = (cl + 30, ct, cl + 31, cb)
    top_of_chart = colours(desktop, column)
    desktop.xdotool("mousemove", "--sync", *centre(chart["rect"]))
    desktop.xdotool("click", "--repeat", 3, 5)  # the wheel, turned down
    scrolled = wait_for(lambda: (lambda seen: seen if seen != top_of_chart else None)(colours(desktop, column)), 10,
                        what="the chart scrolled by the wheel")
    desktop.screenshot("help-alphabet-scrolled")

    # To the second page with the keyboard; Enter there does not close.
    desktop.click(tabs["rect"][0] + 20, tabs["rect"][1] + 10)
    press(desktop, helpwin, "Right")
    wait_for(lambda: desktop.info(second["hwnd"])["visible"], 10, what="the second page")
    assert not desktop.info(first["hwnd"])["visible"]
    desktop.screenshot("help-description")
    press(desktop, helpwin, "Return")
    assert stays_open(desktop, helpwin), "Enter closes the Help window only from its button"

    desktop.click(*centre(found[HELP_BUTTON]["rect"]))
    closed(desktop, palette, helpwin)

    again = open_window(desktop, palette, "help")
    assert again["rect"] == helpwin["rect"]
    assert desktop.info(second["hwnd"])["visible"] and not desktop.info(first["hwnd"])["visible"]
    desktop.click(tabs["rect"][0] + 20, tabs["rect"][1] + 10)
    wait_for(lambda: desktop.info(first["hwnd"])["visible"], 10, what="the first page")
    assert colours(desktop, column) == scrolled, "the chart is where it was left"
    press(desktop, again, "Tab")  # the focus goes round to the OK button
    press(desktop, again, "Return")
    closed(desktop, palette, again)
