"""The palette for listeners and in high contrast: button names, light
letters on dark faces, and the Help chart as text."""

import subprocess
import time

import pytest

from test_about_help import HELP_BUTTON, HELP_CHART, HELP_PAGES, HELP_TABS, closed, open_window, parts
from test_display_scale import DESKTOP_KEY, button_faces, registry_values, window_shot

ID_SLAVEN1 = 204
# Where wine keeps colours set by SetSysColors (the Win32 tests make one): they
# hold for the rest of the session, over the profile's, as on Windows.
SESSION_COLOURS = r"HKCU\Software\Wine\Temporary System Parameters\Control Panel\Colors"
# The Help chart's rows: Latin beside Cyrillic, capital and small.
ALPHABET = [
    ("Aa", "Аа"), ("Bb", "Бб"), ("Cc", "Чч"), ("Dd", "Дд"), ("Ee", "Әә"), ("Éé", "Ее"), ("Ff", "Фф"), ("Gg", "Гг"),
    ("Ğğ", "Ғғ"), ("Hh", "Һһ"), ("İi", "Ии"), ("Jj", "Җҗ"), ("Kk", "Кк"), ("Ll", "Лл"), ("Mm", "Мм"), ("Nn", "Нн"),
    ("Ŋŋ", "Ңң"), ("Oo", "Оо"), ("Öö", "Өө"), ("Pp", "Пп"), ("Qq", "Ққ"), ("Rr", "Рр"), ("Ss", "Сс"), ("Şş", "Шш"),
    ("Tt", "Тт"), ("Uu", "Уу"), ("Üü", "Үү"), ("Ww", "Вв"), ("Xx", "Хх"), ("Yy", "Йй"), ("Zz", "Зз"), ("Žž", "Жж"),
]


def test_buttons_name_their_letters_in_both_scripts(start_palette, desktop):
    palette = start_palette()
    for letters, script in (("ÉéĞğİiŊŋÖöŞşÜüŽž", None), ("ӘәҒғҖҗҚқҢңӨөҮүҺһ", ID_SLAVEN1)):
        if script:
            palette.command(script)
        names = [b["title"] for b in palette.visible_buttons()]
        assert len(set(names)) == 16, names
        for position, (letter, name) in enumerate(zip(letters, names), start=1):
            assert name.startswith(letter + (", capital " if position % 2 else ", small ")), name
            assert "&" not in name and "button" not in name.lower(), name


@pytest.mark.parametrize("dpi", [96, 144])
def test_light_on_dark_button_colours_show_every_letter(start_palette, desktop, dpi):
    light_on_dark = {"ButtonFace": ("REG_SZ", "0 0 0"), "ButtonText": ("REG_SZ", "255 255 255")}
    for name in light_on_dark:  # absent values give exit 1: nothing to clear
        subprocess.run(["wine", "reg", "delete", SESSION_COLOURS, "/v", name, "/f"], env=desktop.env,
                       capture_output=True, timeout=60)
    with registry_values(desktop.env, r"HKCU\Control Panel\Colors", light_on_dark), \
            registry_values(desktop.env, DESKTOP_KEY, {"LogPixels": ("REG_DWORD", dpi)}):
        palette = start_palette()
        panel = next(p for p in palette.panels() if p["visible"])
        # Brought back from the tray, the buttons are painted a moment after
        # the window shows: read until each shows ink, or time is up.
        buttons = palette.visible_buttons()
        deadline = time.monotonic() + 5
        faces = button_faces(desktop, panel, buttons, dpi)
        while not all(len(set(face)) > 1 for face in faces) and time.monotonic() < deadline:
            faces = button_faces(desktop, panel, buttons, dpi)
        window_shot(desktop, palette.info(), f"palette-high-contrast-{dpi}")
    for position, face in enumerate(faces, start=1):
        assert set(face) == {"000000", "ffffff"}, f"button {position}: white ink on black, nothing else"
        assert face.count("ffffff") > 20 * (dpi / 96) ** 2, f"button {position} shows no letter"
    assert len(set(faces)) == 16, "sixteen different letters"


def test_help_chart_reads_as_text(start_palette, desktop):
    palette = start_palette()
    helpwin = open_window(desktop, palette, "help")
    found = parts(desktop, helpwin["hwnd"])
    page = parts(desktop, found[HELP_TABS]["hwnd"])[HELP_PAGES[0]]
    headings, *rows = desktop.text(parts(desktop, page["hwnd"])[HELP_CHART]["hwnd"]).split("\r\n")
    assert headings == "ULY2, USY, IPA"
    assert [tuple(row.split(" ")[:2]) for row in rows] == ALPHABET
    button = found[HELP_BUTTON]["rect"]
    desktop.click((button[0] + button[2]) // 2, (button[1] + button[3]) // 2)
    closed(desktop, palette, helpwin)
