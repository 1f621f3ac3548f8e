"""The palette for listeners: every button's name tells its letter apart in
both scripts."""

ID_SLAVEN1 = 204
LATIN = "ÉéĞğİiŊŋÖöŞşÜüŽž"
CYRILLIC = "ӘәҒғҖҗҚқҢңӨөҮүҺһ"


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
