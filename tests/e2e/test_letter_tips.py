"""A tip over a letter of the inactive palette, while notepad keeps the keyboard."""

import pytest

from targets import open_notepad
from wine_session import wait_for


@pytest.mark.activation
def test_resting_on_a_letter_shows_its_tip_while_notepad_keeps_the_keyboard(start_palette, desktop):
    palette = start_palette()
    notepad = open_notepad(desktop)
    in_front = {"foreground": notepad.top, "focus": notepad.focus}
    assert desktop.foreground() == in_front

    left, top, right, bottom = palette.visible_buttons()[10]["rect"]  # Ş
    desktop.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
    pid = palette.info()["pid"]
    tip = wait_for(lambda: next((t for t in desktop.visible_windows("tooltips_class32") if t["pid"] == pid), None),
                   10, what="the letter's tip")
    assert desktop.text(tip["hwnd"]) == "Ş, capital S with cedilla\r\nKeys: Shift+6"
    desktop.screenshot("letter-tip")
    assert desktop.foreground() == in_front
