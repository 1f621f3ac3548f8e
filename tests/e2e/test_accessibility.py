"""The palette for listeners and for high-contrast users: every button's
name tells its letter apart in both scripts, the letters take the system's
button colours at every scale, and the Help window's alphabet chart reads
as text."""

import struct

import pytest

from desktop import REPO
from test_about_help import HELP_BUTTON, HELP_CHART, HELP_PAGES, HELP_TABS, closed, open_window, parts
from test_display_scale import DESKTOP_KEY, button_faces, registry_values, scaled, window_shot

ID_SLAVEN1 = 204
COLORS_KEY = r"HKCU\Control Panel\Colors"
BLACK, WHITE = "000000", "ffffff"
LATIN = "ÉéĞğİiŊŋÖöŞşÜüŽž"
CYRILLIC = "ӘәҒғҖҗҚқҢңӨөҮүҺһ"
# The Help chart's rows: Latin beside Cyrillic, capital and small.
ALPHABET = [
    ("Aa", "Аа"), ("Bb", "Бб"), ("Cc", "Чч"), ("Dd", "Дд"), ("Ee", "Әә"), ("Éé", "Ее"), ("Ff", "Фф"), ("Gg", "Гг"),
    ("Ğğ", "Ғғ"), ("Hh", "Һһ"), ("İi", "Ии"), ("Jj", "Җҗ"), ("Kk", "Кк"), ("Ll", "Лл"), ("Mm", "Мм"), ("Nn", "Нн"),
    ("Ŋŋ", "Ңң"), ("Oo", "Оо"), ("Öö", "Өө"), ("Pp", "Пп"), ("Qq", "Ққ"), ("Rr", "Рр"), ("Ss", "Сс"), ("Şş", "Шш"),
    ("Tt", "Тт"), ("Uu", "Уу"), ("Üü", "Үү"), ("Ww", "Вв"), ("Xx", "Хх"), ("Yy", "Йй"), ("Zz", "Зз"), ("Žž", "Жж"),
]


def check_names(titles, letters):
    assert len(titles) == 16 and len(set(titles)) == 16, titles
    for position, (title, letter) in enumerate(zip(titles, letters), start=1):
        assert title.startswith(letter + ", "), title
        words = title[len(letter) + 2:].lower()
        assert words.startswith("capital " if position % 2 else "small "), title
        assert "&" not in title and "button" not in title.lower(), title
    # Heard without its diacritic, a letter's words still tell it apart.
    assert len({title.split(", ", 1)[1] for title in titles}) == 16, titles


def test_buttons_name_their_letters_in_both_scripts(start_palette, desktop):
    palette = start_palette()
    check_names([b["title"] for b in palette.visible_buttons()], LATIN)
    palette.command(ID_SLAVEN1)
    check_names([b["title"] for b in palette.visible_buttons()], CYRILLIC)


def glyph_ink(dpi):
    """The committed glyph strip of a scale (a one-bit BMP): rows top to
    bottom, True where a letter has ink."""
    suffix = "" if dpi == 96 else f"_{dpi}"
    data = (REPO / "res" / f"glyphs{suffix}.bmp").read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    assert struct.unpack_from("<H", data, 28)[0] == 1 and height > 0
    ink_index = 0 if data[54:57] == b"\0\0\0" else 1
    stride = (width + 31) // 32 * 4
    return [[(data[offset + y * stride + x // 8] >> (7 - x % 8) & 1) == ink_index for x in range(width)]
            for y in range(height - 1, -1, -1)]


def expected_face(strip, dpi, position, ink, face):
    """A Latin button's face inside its edge: its strip cell in the top-left
    corner of the picture, which fills the button exactly."""
    cell, pitch = scaled(30, dpi), scaled(28, dpi)
    left, top = (position - 1) * pitch + scaled(4, dpi), scaled(3, dpi)
    size, inset = scaled(33, dpi), scaled(2, dpi)
    return tuple(ink if x < cell and y < cell and strip[top + y][left + x] else face
                 for y in range(inset, size - inset) for x in range(inset, size - inset))


COLOURS = {
    "default": ({}, BLACK, None),
    "high-contrast": ({"ButtonFace": ("REG_SZ", "0 0 0"), "ButtonText": ("REG_SZ", "255 255 255")}, WHITE, BLACK),
}


@pytest.mark.parametrize("dpi", [96, 144])
@pytest.mark.parametrize("scheme", COLOURS)
def test_letters_in_the_button_colours_pixel_for_pixel(start_palette, desktop, scheme, dpi):
    colours, ink, face = COLOURS[scheme]
    with registry_values(desktop.env, COLORS_KEY, colours), \
            registry_values(desktop.env, DESKTOP_KEY, {"LogPixels": ("REG_DWORD", dpi)}):
        palette = start_palette()
        panel = next(p for p in palette.panels() if p["visible"])
        faces = button_faces(desktop, panel, palette.visible_buttons(), dpi)
        window_shot(desktop, palette.info(), f"palette-{scheme}-{dpi}")
    face = face or faces[0][0]
    strip = glyph_ink(dpi)
    for position, shown in enumerate(faces, start=1):
        assert shown == expected_face(strip, dpi, position, ink, face), f"button {position}"
        assert shown.count(ink) > 20 * (dpi / 96) ** 2, f"button {position} shows no letter"


def test_help_chart_reads_as_text(start_palette, desktop):
    palette = start_palette()
    helpwin = open_window(desktop, palette, "help")
    found = parts(desktop, helpwin["hwnd"])
    page = parts(desktop, found[HELP_TABS]["hwnd"])[HELP_PAGES[0]]
    chart = parts(desktop, page["hwnd"])[HELP_CHART]
    headings, *rows = desktop.text(chart["hwnd"]).split("\r\n")
    assert headings.split(", ") == ["ULY2", "USY", "IPA"]
    assert [tuple(row.split(" ")[:2]) for row in rows] == ALPHABET
    assert all(len(row.split(" ")) == 3 and row.split(" ")[2].startswith("[") for row in rows), rows
    button = found[HELP_BUTTON]["rect"]
    desktop.click((button[0] + button[2]) // 2, (button[1] + button[3]) // 2)
    closed(desktop, palette, helpwin)
