"""Letters into programs that take text only as keyboard input: our stand-in
ignores WM_PASTE, WM_UNICHAR and WM_CHAR without a key press, under the
window classes of such programs. Real clicks on the palette; the text read
back from the stand-in's window."""

import time

import pytest

from desktop import PROBE  # noqa: F401  (the probe must be built)
from probe_session import ProbeSession
from targets import open_notepad, open_target, settled, windows_path
from test_delivery import (CYRILLIC, ID_ESTESAQLASH1, ID_SLAVEN1, LATIN, PEERS, QUIET, Keys, clipboard,
                           error_boxes, foreground, handed_back, lines, palette_in_front, responsive)
from wine_session import wait_for

KEYS_ONLY = PEERS / "keyboard_only_target.exe"
WM_CHAR, WM_UNICHAR, WM_PASTE = 0x0102, 0x0109, 0x0302


def open_keys_only(desktop, tmp_path, top_class, *args):
    log = tmp_path / f"keys-only-{len(list(tmp_path.glob('keys-only-*')))}.log"
    target = open_target(desktop, KEYS_ONLY, top_class, top_class, "--log", windows_path(log), *args)
    return target, log


def typed(letters):
    return [f"typed {ord(c):04X}" for c in letters]


def type_every_letter(desktop, keys, target, letters, before=""):
    for position, letter in enumerate(letters, start=1):
        keys.click(position)
        expected = before + letters[:position]
        assert settled(lambda: desktop.text(target.focus), expected) == expected, f"after clicking {letter}"
        assert handed_back(desktop, target), f"after clicking {letter}"


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


@pytest.mark.parametrize("clipboard_mode, top_class", [(True, "Chrome_WidgetWin_1"), (False, "MozillaWindowClass")])
def test_every_letter_arrives_as_a_key_press_in_both_scripts(start_palette, desktop, tmp_path, clipboard_mode,
                                                              top_class):
    palette = start_palette()
    keys = Keys(palette)
    target, log = open_keys_only(desktop, tmp_path, top_class)
    desktop.probe("set-clipboard", "sentinel")
    if not clipboard_mode:
        palette.command(ID_ESTESAQLASH1)

    type_every_letter(desktop, keys, target, LATIN)
    assert clipboard(desktop) == ("ž" if clipboard_mode else "sentinel")
    palette.command(ID_SLAVEN1)
    wait_for(lambda: [p["visible"] for p in palette.panels()] == [False, True], 5, what="the Cyrillic panel")
    type_every_letter(desktop, Keys(palette), target, CYRILLIC, before=LATIN)
    assert clipboard(desktop) == ("һ" if clipboard_mode else "sentinel")
    assert lines(log) == typed(LATIN + CYRILLIC)  # one key press each, nothing else


@pytest.mark.parametrize("top_class, child_class", [
    ("Qt5152QWindowIcon", None),
    ("HwndWrapper[Editor.exe;;7f3c6a1e-93b4-4c55-a1d2-6b8e0f6c2d10]", None),
    ("CASCADIA_HOSTING_WINDOW_CLASS", None),
    ("Windows.UI.Core.CoreWindow", None),
    ("SunAwtFrame", "SunAwtCanvas"),
    ("EditorFrame", "Chrome_RenderWidgetHostHWND"),  # a browser view inside an ordinary frame
    ("gdkWindowToplevel", "EditorCanvas"),  # an ordinary child in a toolkit's frame
])
def test_keys_only_window_classes_get_key_presses(start_palette, desktop, tmp_path, top_class, child_class):
    palette = start_palette()
    keys = Keys(palette)
    target, log = open_keys_only(desktop, tmp_path, top_class, *(["--child", child_class] if child_class else []))
    if child_class:
        assert desktop.info(target.focus)["class"] == child_class

    keys.click(7)
    palette.command(ID_ESTESAQLASH1)
    keys.click(14)
    assert settled(lambda: desktop.text(target.focus), "Ŋü") == "Ŋü"
    assert handed_back(desktop, target)
    assert lines(log) == typed("Ŋü")


def test_message_routes_stay_for_other_windows(start_palette, desktop, tmp_path):
    """An edit control, as in notepad and wordpad, still gets WM_PASTE and
    WM_UNICHAR, never a key press."""
    palette = start_palette()
    keys = Keys(palette)
    log = tmp_path / "edit.log"
    target = open_target(desktop, PEERS / "typing_target.exe", "TypingTarget", "--log", windows_path(log))

    keys.click(1)
    assert settled(lambda: desktop.text(target.focus), "É") == "É"
    assert handed_back(desktop, target)
    palette.command(ID_ESTESAQLASH1)
    keys.click(2)
    assert settled(lambda: desktop.text(target.focus), "Éé") == "Éé"
    time.sleep(QUIET)
    assert lines(log) == ["WM_PASTE", "WM_UNICHAR 00E9"]


def test_target_closed_before_the_click_gets_nothing_typed_anywhere(start_palette, desktop, tmp_path):
    palette = start_palette()
    keys = Keys(palette)
    notepad = open_notepad(desktop)
    target, log = open_keys_only(desktop, tmp_path, "Chrome_WidgetWin_1")
    keys.click_caption()  # the palette in front keeps the stand-in as target
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


def test_target_that_never_comes_to_the_front_gets_nothing_typed(start_palette, desktop, tmp_path):
    """The stand-in hands every activation on to a second window of its own:
    the foreground never returns to the target, and a key press sent anyway
    would land in that second window."""
    palette = start_palette()
    keys = Keys(palette)
    target, log = open_keys_only(desktop, tmp_path, "Chrome_WidgetWin_1", "--decoy")
    decoy = desktop.wait_window("KeyboardOnlyDecoy")["hwnd"]

    keys.click(1)
    assert settled(lambda: foreground(desktop), decoy) == decoy
    time.sleep(1.0)  # beyond the palette's wait for the target
    assert desktop.text(target.focus) == ""
    assert desktop.text(decoy) == ""
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
    with ProbeSession(desktop.env) as probe:
        back = {"foreground": target.top, "focus": target.focus}
        for click in range(SOAK_CLICKS):
            position = click % 16 + 1
            keys.click(position)
            expected += LATIN[position - 1]
            text = settled(lambda: probe.text(target.focus), expected)
            if text != expected:
                break
            returned += settled(lambda: probe.ask("foreground")[0], back) == back
    elapsed = time.monotonic() - started
    print(f"\nsoak: {len(text)} letters in order of {SOAK_CLICKS} clicks, foreground handed back "
          f"{returned} times, in {elapsed:.0f} s")
    assert text == expected
    assert returned == SOAK_CLICKS
    assert lines(log) == typed(expected)  # none doubled, none refused
