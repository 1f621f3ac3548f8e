"""Start-up as a user meets it: one always-on-top palette, centred, with the
Latin letters; a second copy leaves quietly."""

import pytest

WS_MAXIMIZEBOX = 0x00010000
WS_MINIMIZEBOX = 0x00020000
WS_SYSMENU = 0x00080000
WS_THICKFRAME = 0x00040000
WS_EX_TOPMOST = 0x00000008
SCREEN_W, SCREEN_H = 1280, 1024


@pytest.mark.activation
def test_palette_window_frame_and_latin_buttons(start_palette, desktop):
    palette = start_palette()
    info = palette.info()
    assert [w["hwnd"] for w in desktop.visible_windows(title="Tamgalik") if w["class"] == "TForm1"] == [palette.hwnd]
    left, top, right, bottom = info["rect"]
    assert bottom - top == 134
    assert info["exstyle"] & WS_EX_TOPMOST
    assert info["style"] & WS_SYSMENU and info["style"] & WS_MINIMIZEBOX
    assert not info["style"] & (WS_MAXIMIZEBOX | WS_THICKFRAME)
    assert abs((left + right) / 2 - SCREEN_W / 2) <= 1 and abs((top + bottom) / 2 - SCREEN_H / 2) <= 1
    assert info["client"][2] - info["client"][0] == 329

    panels = palette.panels()
    assert len(panels) == 2
    latin, cyrillic = panels[0], panels[1]
    assert latin["visible"] and not cyrillic["visible"]
    assert latin["rect"][:2] == info["client"][:2]

    buttons = palette.visible_buttons()
    assert len(buttons) == 16
    origin_x, origin_y = info["client"][:2]
    for position, button in enumerate(buttons, start=1):
        column = (position - 1) // 2
        expected_left = origin_x + 8 + 40 * column
        expected_top = origin_y + (8 if position % 2 else 48)
        assert button["rect"] == [expected_left, expected_top, expected_left + 33, expected_top + 33]
    # Each button's name for screen readers begins with its letter.
    assert "".join(b["title"][0] for b in buttons) == "ÉéĞğİiŊŋÖöŞşÜüŽž"
    desktop.screenshot("palette-latin")


def test_second_copy_ends_quietly(start_palette, desktop, tmp_path):
    first = start_palette()
    # A letter's tip may come and go under the resting pointer meanwhile.
    shown = lambda: {w["hwnd"] for w in desktop.visible_windows() if w["class"] != "tooltips_class32"}  # noqa: E731
    before = shown()
    second = desktop.start(tmp_path / "tamgalik" / "tamgalik.exe")
    assert second.wait(timeout=3) == 0
    after = shown()
    assert after == before  # no window, no message box
    assert first.process.poll() is None
    assert first.info()["visible"]
