"""Picking a letter with the keyboard: the global keys pressed for real
(xdotool) while another program keeps the keyboard, arrows and Enter moving
and typing, and what reaches that program meanwhile."""

import subprocess

import pytest

from targets import open_notepad, open_target, settled, type_into, windows_path
from test_delivery import ID_KORSITISH1, PEERS, foreground, lines
from test_tray import in_tray, wait_for_picture
from wine_session import wait_for

ARM, SWITCH = "ctrl+shift+F7", "ctrl+shift+F8"
KEYS_ONLY = PEERS / "keyboard_only_target.exe"
FRAME = "TamgaInventedToolkitFrame"
TITLE = "Keyboard-only target"
NOTEPAD = "Untitled - Notepad"
# Virtual keys the palette uses while armed.
PICKING_KEYS = {0x0D, 0x1B, 0x20, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28}


def keys_only(desktop, tmp_path):
    logs = {name: tmp_path / f"{name}.log" for name in ("text", "keys", "focus")}
    target = open_target(desktop, KEYS_ONLY, FRAME, FRAME, "--log", windows_path(logs["text"]),
                         "--key-log", windows_path(logs["keys"]), "--focus-log", windows_path(logs["focus"]))
    return target, logs


def keys_seen(log):
    return {int(line.split()[1], 16) for line in lines(log)}


def press(desktop, target, title, *keys):
    type_into(desktop, target, title, "key", "--delay", "80", *keys)


@pytest.mark.activation
def test_arming_key_arrows_and_enter_type_the_chosen_letter_and_keep_the_keyboard(start_palette, desktop, tmp_path):
    start_palette()
    target, logs = keys_only(desktop, tmp_path)
    # É is selected first: right to Ğ, down to ğ.
    press(desktop, target, TITLE, ARM, "Right", "Down", "Return")
    assert settled(lambda: desktop.text(target.focus), "ğ") == "ğ"
    # The next picking starts on the letter picked last.
    press(desktop, target, TITLE, ARM, "End", "Up", "Return")
    assert settled(lambda: desktop.text(target.focus), "ğŽ") == "ğŽ"
    assert not keys_seen(logs["keys"]) & PICKING_KEYS, "a key the palette used reached the program"
    assert lines(logs["focus"]) == []
    assert foreground(desktop) == target.top

    notepad = open_notepad(desktop)
    press(desktop, notepad, NOTEPAD, ARM, "Left", "Return")
    assert settled(lambda: desktop.text(notepad.focus), "Ü") == "Ü"


@pytest.mark.activation
def test_escape_types_nothing_and_any_other_key_ends_the_picking_unchanged(start_palette, desktop, tmp_path):
    start_palette()
    target, logs = keys_only(desktop, tmp_path)
    press(desktop, target, TITLE, ARM, "Right", "Escape", "x")
    assert settled(lambda: desktop.text(target.focus), "x") == "x"
    # Another key passes and ends the picking; keyboard changing applies to it
    # as usual, and Enter then reaches the program.
    press(desktop, target, TITLE, ARM, "1", "Return")
    assert settled(lambda: desktop.text(target.focus), "xé\r") == "xé\r"
    # Pressed again, the arming key ends the picking.
    press(desktop, target, TITLE, ARM, ARM, "Return")
    assert settled(lambda: desktop.text(target.focus), "xé\r\r") == "xé\r\r"
    assert 0x1B not in keys_seen(logs["keys"])


@pytest.mark.activation
def test_from_the_tray_the_palette_shows_for_the_picking_and_goes_back(start_palette, desktop):
    palette, _ = in_tray(start_palette, desktop)
    notepad = open_notepad(desktop)
    press(desktop, notepad, NOTEPAD, ARM)
    wait_for(lambda: palette.info()["visible"], 5, what="the palette shown for the picking")
    assert foreground(desktop) == notepad.top
    press(desktop, notepad, NOTEPAD, "Right", "Right", "Return")
    assert settled(lambda: desktop.text(notepad.focus), "İ") == "İ"
    wait_for(lambda: not palette.info()["visible"], 5, what="the palette back in the tray")
    assert foreground(desktop) == notepad.top


@pytest.mark.activation
def test_the_switching_key_turns_keyboard_changing_off_and_on(start_palette, desktop):
    palette, icon = in_tray(start_palette, desktop)
    notepad = open_notepad(desktop)
    desktop.probe("move", notepad.top, 600, 400, 420, 300)  # off the tray's icons
    press(desktop, notepad, NOTEPAD, SWITCH, "1")
    assert settled(lambda: desktop.text(notepad.focus), "1") == "1"
    wait_for_picture(desktop, icon, 2)
    press(desktop, notepad, NOTEPAD, SWITCH, "1")
    assert settled(lambda: desktop.text(notepad.focus), "1é") == "1é"
    wait_for_picture(desktop, icon, 0)


def keyboard_on_palette(desktop, palette):
    """X sends keys to its focused window, which the palette never takes by
    itself (it is made never to take the keyboard from a click): the test
    gives it, as the system does on Windows when the palette comes to the
    front. Wine's X window for it is as wide as the palette, or as its client
    area when a window manager draws the frame."""
    widths = {f"WIDTH={r[2] - r[0]}\n" for r in (palette.info()["rect"], palette.info()["client"])}

    def found():
        for xid in subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(palette.process.pid)],
                                  env=desktop.env, capture_output=True, text=True).stdout.split():
            geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", xid], env=desktop.env,
                                      capture_output=True, text=True).stdout
            if any(width in geometry for width in widths):
                return xid
        return None
    desktop.xdotool("windowfocus", "--sync", wait_for(found, 10, what="the palette's X window"))


def balloons(desktop):
    """The tray's notices about the program's keys (the tray's process shows them)."""
    return [w for w in desktop.visible_windows("tooltips_class32")
            if "Ctrl+Shift+F7 is taken" in (desktop.text(w["hwnd"]) or "")]  # it may be going


@pytest.mark.activation
def test_a_taken_arming_key_is_told_and_the_palette_in_front_still_picks(start_palette, desktop):
    desktop.start(PEERS / "hotkey_holder.exe")
    desktop.wait_window("", "HotKeyHolder")
    palette = start_palette(shown=False)
    notice = wait_for(lambda: balloons(desktop), 10, what="a balloon naming the taken keys")[0]
    # Both keys in one balloon: a second balloon would replace the first.
    assert "Ctrl+Shift+F8 is taken" in desktop.text(notice["hwnd"])
    # Read, it is clicked away, as a user does.
    left, top, right, bottom = notice["rect"]
    desktop.click((left + right) // 2, (top + bottom) // 2)
    wait_for(lambda: not balloons(desktop), 10, what="the balloon clicked away")
    notepad = open_notepad(desktop)
    type_into(desktop, notepad, NOTEPAD, "type", "a")  # remembered as the target
    assert settled(lambda: desktop.text(notepad.focus), "a") == "a"
    palette.command(ID_KORSITISH1)
    wait_for(lambda: foreground(desktop) == palette.hwnd, 5, what="the palette in front")
    keyboard_on_palette(desktop, palette)
    desktop.xdotool("key", "--delay", "80", "Down", "Right", "Return")
    assert settled(lambda: desktop.text(notepad.focus), "ağ") == "ağ"
