"""Letters into every window that is not an edit control, as key presses:
our stand-in for such programs ignores WM_PASTE, WM_UNICHAR and WM_CHAR
without a key press, whatever its class names. Real clicks on the palette,
which never take the keyboard from the program being typed in; the text
read back from the stand-in's window."""

import time

import pytest

from desktop import PROBE  # noqa: F401  (the probe must be built)
from targets import TICK, open_notepad, open_target, settled, windows_path
from test_delivery import (CYRILLIC, ID_ESTESAQLASH1, ID_KORSITISH1, ID_SLAVEN1, LATIN, PEERS, QUIET, Keys, clipboard,
                           error_boxes, handed_back, lines, palette_in_front, responsive)
from wine_session import wait_for

KEYS_ONLY = PEERS / "keyboard_only_target.exe"
WM_CLOSE, WM_CHAR, WM_UNICHAR, WM_PASTE, WM_COMMAND = 0x0010, 0x0102, 0x0109, 0x0302, 0x0111
ID_LATIN1 = 203
DECOY_TRIES = 100


def open_keys_only(desktop, tmp_path, top_class, *args):
    log = tmp_path / f"keys-only-{len(list(tmp_path.glob('keys-only-*')))}.log"
    target = open_target(desktop, KEYS_ONLY, top_class, top_class, "--log", windows_path(log), *args)
    return target, log


def typed(letters):
    return [f"typed {ord(c):04X}" for c in letters]


def test_the_stand_in_takes_no_text_but_key_presses(desktop, tmp_path):
    """What the scenarios below rely on: messages carrying text do nothing."""
    target, log = open_keys_only(desktop, tmp_path, "Chrome_WidgetWin_1")
    desktop.probe("send", target.focus, WM_PASTE, 0, 0, 3000)
    desktop.probe("send", target.focus, WM_UNICHAR, 0xC9, 0, 3000)
    desktop.probe("send", target.focus, WM_CHAR, 0xC9, 0, 3000)
    desktop.probe("post", target.focus, WM_CHAR, 0xE9, 0)
    expected = ["WM_PASTE ignored", "WM_UNICHAR 00C9 ignored", "WM_CHAR 00C9 ignored", "WM_CHAR 00E9 ignored"]
    assert settled(lambda: lines(log), expected) == expected
    assert desktop.text(target.focus) == ""


def steady(condition, what, hold=0.1, timeout=5):
    """Waits until `condition` has held for `hold` seconds on end. Without a
    window manager, wine answers a change of the X focus late, and a program
    that just lost the foreground may take it back a moment later."""
    deadline = time.monotonic() + timeout
    since = None
    while time.monotonic() < deadline:
        if not condition():
            since = None
        elif since is None:
            since = time.monotonic()
        elif time.monotonic() - since >= hold:
            return
        time.sleep(0.01)
    raise TimeoutError(f"timed out after {timeout}s waiting for {what} to hold")


# Class names of real programs and of made-up toolkits: none is named
# anywhere in the program.
@pytest.mark.activation
@pytest.mark.parametrize("top_class, child_class", [
    ("SALFRAME", None),
    ("OpusApp", "_WwG"),
    ("TamgaInventedToolkitFrame", "TamgaInventedToolkitField"),
])
def test_every_window_gets_every_letter_in_both_modes_and_keeps_the_keyboard(start_palette, desktop, tmp_path,
                                                                              top_class, child_class):
    palette = start_palette()
    focus_log = tmp_path / "focus.log"
    target, log = open_keys_only(desktop, tmp_path, top_class, "--focus-log", windows_path(focus_log),
                                 *(["--child", child_class] if child_class else []))
    desktop.probe("set-clipboard", "sentinel")
    text = ""
    for clipboard_mode in (True, False):
        for script, letters in ((None, LATIN), (ID_SLAVEN1, CYRILLIC)):
            palette.command(script or ID_LATIN1)
            keys = Keys(palette)
            for position, letter in enumerate(letters, start=1):
                keys.click(position)
                text += letter
                assert settled(lambda: desktop.text(target.focus), text) == text, f"after clicking {letter}"
            assert clipboard(desktop) == (letters[-1] if clipboard_mode else "һ")
        palette.command(ID_ESTESAQLASH1)
    assert lines(log) == typed(text)  # one key press each, nothing else
    assert lines(focus_log) == []  # the keyboard never left the target
    assert desktop.foreground() == {"foreground": target.top, "focus": target.focus}


@pytest.mark.activation
def test_edit_controls_keep_the_message_routes_and_the_keyboard(start_palette, desktop, tmp_path):
    """An edit superclassed under a name of its own pastes and takes
    WM_UNICHAR; it never gets a key press."""
    palette = start_palette()
    keys = Keys(palette)
    log, focus_log = tmp_path / "edit.log", tmp_path / "focus.log"
    target = open_target(desktop, PEERS / "typing_target.exe", "TypingTarget", "--edit-class", "NoteEditorField",
                         "--log", windows_path(log), "--focus-log", windows_path(focus_log))
    assert desktop.info(target.focus)["class"] == "NoteEditorField"

    keys.click(1)
    assert settled(lambda: desktop.text(target.focus), "É") == "É"
    palette.command(ID_ESTESAQLASH1)
    keys.click(2)
    assert settled(lambda: desktop.text(target.focus), "Éé") == "Éé"
    time.sleep(QUIET)
    assert lines(log) == ["WM_PASTE", "WM_UNICHAR 00E9"]
    assert lines(focus_log) == []


@pytest.mark.activation
def test_program_switched_to_just_before_the_click_gets_the_letter(start_palette, desktop, tmp_path):
    palette = start_palette()
    keys = Keys(palette)
    first, first_log = open_keys_only(desktop, tmp_path, "TamgaInventedToolkitFrame")
    second = open_notepad(desktop)
    desktop.focus(first.top)
    time.sleep(TICK)
    desktop.probe("set-foreground", second.top)
    keys.click(1)  # most often before the next tick
    assert settled(lambda: desktop.text(second.focus), "É") == "É"
    assert lines(first_log) == []


@pytest.mark.activation
def test_with_the_palette_in_front_the_letter_reaches_the_remembered_target(start_palette, desktop, tmp_path):
    palette = start_palette()
    keys = Keys(palette)
    target, log = open_keys_only(desktop, tmp_path, "TamgaInventedToolkitFrame")
    for expected in ("É", "Éé"):
        palette.command(ID_KORSITISH1)  # back from the tray: the palette in front
        assert settled(lambda: palette_in_front(desktop, palette), True) is True
        keys.click(len(expected))
        # The key press follows the hand-back by a few ms; bringing the
        # palette back before it would rightly cost the letter.
        assert settled(lambda: desktop.text(target.focus), expected) == expected
        assert handed_back(desktop, target), f"after clicking {expected[-1]}"
    assert lines(log) == typed("Éé")


def test_target_closed_before_the_click_gets_nothing_typed_anywhere(start_palette, desktop, tmp_path):
    palette = start_palette()
    keys = Keys(palette)
    notepad = open_notepad(desktop)
    target, log = open_keys_only(desktop, tmp_path, "Chrome_WidgetWin_1")
    palette.command(ID_KORSITISH1)  # the palette in front keeps the stand-in as target
    assert settled(lambda: palette_in_front(desktop, palette), True) is True
    target.process.kill()
    target.process.wait(timeout=10)
    wait_for(lambda: desktop.info(target.top) is None, 10, what="the stand-in gone")

    keys.click(1)
    time.sleep(QUIET)
    assert desktop.text(notepad.focus) == ""
    assert lines(log) == []
    assert error_boxes(desktop) == []
    assert palette_in_front(desktop, palette)
    assert responsive(desktop, palette.hwnd)

    # The palette goes on: the next program gets its letters.
    second, second_log = open_keys_only(desktop, tmp_path, "Chrome_WidgetWin_1")
    keys.click(2)
    assert settled(lambda: desktop.text(second.focus), "é") == "é"
    assert desktop.text(notepad.focus) == ""


def menu_bar_items_right_edge(desktop, palette):
    """The right edge of the menu bar's last caption ("?"), from its ink."""
    left, top, right, _ = palette.info()["client"]
    band = desktop.probe("pixels", left, top - 12, right, top - 8)[0]["rgb"]
    width = right - left
    inked = [i % width for i, c in enumerate(band) if int(c[0:2], 16) < 0x60]
    return left + max(inked)


@pytest.mark.activation
def test_menu_bar_and_caption_work_with_the_mouse(start_palette, desktop, tmp_path):
    palette = start_palette()
    target, _ = open_keys_only(desktop, tmp_path, "TamgaInventedToolkitFrame")
    # "?" opens on a click; the lower of its two items is About.
    x, y = menu_bar_items_right_edge(desktop, palette) - 2, palette.info()["client"][1] - 10
    desktop.xdotool("mousemove", x, y, "mousedown", 1, "sleep", 0.1, "mouseup", 1)
    menu = desktop.wait_window("#32768", timeout=10)
    left, top, right, bottom = menu["rect"]
    desktop.xdotool("mousemove", (left + right) // 2, top + (bottom - top) * 3 // 4, "sleep", 0.1, "click", 1)
    about = desktop.wait_window("#32770", "Heqqide", timeout=10)
    desktop.probe("post", about["hwnd"], WM_CLOSE, 0, 0)
    wait_for(lambda: not desktop.info(about["hwnd"])["visible"], 10, what="About closed")

    # The caption drags the palette.
    before = palette.info()["rect"]
    grab = ((before[0] + before[2]) // 2, before[1] + 8)
    desktop.xdotool("mousemove", *grab, "mousedown", 1, "sleep", 0.1, "mousemove", grab[0] + 30, grab[1] + 20,
                    "sleep", 0.1, "mousemove", grab[0] + 60, grab[1] + 40, "sleep", 0.1, "mouseup", 1)
    moved = [before[0] + 60, before[1] + 40, before[2] + 60, before[3] + 40]
    assert settled(lambda: palette.info()["rect"], moved) == moved

    # Letters still go where the keyboard is.
    desktop.focus(target.top)
    Keys(palette).click(1)
    assert settled(lambda: desktop.text(target.focus), "É") == "É"


@pytest.mark.activation
def test_target_that_never_comes_to_the_front_gets_nothing_typed(start_palette, desktop, tmp_path):
    """The stand-in hands every activation on to a second window of its own:
    with the palette in front, the foreground never returns to the target, and
    a key press sent anyway would land in that second window."""
    palette = start_palette()
    keys = Keys(palette)
    target, log = open_keys_only(desktop, tmp_path, "TamgaInventedToolkitFrame", "--decoy")
    decoy = desktop.wait_window("KeyboardOnlyDecoy")["hwnd"]

    palette_process = palette.info()["pid"]

    def in_front():
        found = desktop.info(desktop.foreground()["foreground"])
        return found["pid"] if found else None

    for attempt in range(DECOY_TRIES):
        desktop.probe("send", palette.hwnd, WM_COMMAND, ID_KORSITISH1, 0, 5000)
        steady(lambda: in_front() == palette_process, "the palette in front")
        keys.click(attempt % 16 + 1)
        steady(lambda: desktop.foreground()["foreground"] == decoy, "the decoy in front")
    # The last letter's wait for the target runs out.
    time.sleep(1.0)
    assert desktop.text(decoy) == "" and desktop.text(target.focus) == ""
    assert lines(log) == []
    assert error_boxes(desktop) == []
    assert responsive(desktop, palette.hwnd)
    palette.command(ID_SLAVEN1)  # menus still work
    wait_for(lambda: [p["visible"] for p in palette.panels()] == [False, True], 5, what="the Cyrillic panel")


SOAK_CLICKS = 1000


@pytest.mark.soak
def test_soak_a_thousand_key_presses_arrive_in_order(start_palette, desktop, tmp_path):
    """Run with: python3 -m pytest -q -s -p no:cacheprovider -m soak test_keystroke.py"""
    palette = start_palette()
    keys = Keys(palette)
    target, log = open_keys_only(desktop, tmp_path, "Chrome_WidgetWin_1")
    expected, text, returned = "", "", 0
    started = time.monotonic()
    back = {"foreground": target.top, "focus": target.focus}
    for click in range(SOAK_CLICKS):
        position = click % 16 + 1
        keys.click(position)
        expected += LATIN[position - 1]
        text = settled(lambda: desktop.text(target.focus), expected)
        if text != expected:
            break
        returned += settled(desktop.foreground, back) == back
    elapsed = time.monotonic() - started
    print(f"\nsoak: {len(text)} letters in order of {SOAK_CLICKS} clicks, foreground handed back "
          f"{returned} times, in {elapsed:.0f} s")
    assert text == expected
    assert returned == SOAK_CLICKS
    assert lines(log) == typed(expected)  # none doubled, none refused
