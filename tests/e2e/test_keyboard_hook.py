"""The keyboard hook as a user meets it: real key presses typed with xdotool
into Wine's notepad through the real tamgalik.exe and tamgahook.dll, the hook
commands of the menus, and the start-up checks on the library."""

import random
import subprocess

import pytest

from desktop import BUILD, install_copy
from targets import open_notepad, settled, type_into, windows_path
from wine_session import wait_for

ID_TILTAXTINIOZGERTISH1 = 211
ID_JUPYOTKESH1 = 213
ID_HERIPYOTKESH2 = 233
ID_CHIQISH1 = 205
WM_CLOSE = 0x0010
NOTEPAD = "Untitled - Notepad"
PEERS = BUILD / "peers"


def typed(desktop, notepad, *xdotool_args, expect):
    type_into(desktop, notepad, NOTEPAD, *xdotool_args)
    return settled(lambda: desktop.text(notepad.focus), expect)


def test_letter_mode_number_keys_give_latin_letters(start_palette, desktop):
    start_palette()
    notepad = open_notepad(desktop)
    expect = "éğiŋöşüž!%"
    assert typed(desktop, notepad, "type", "--delay", "40", "1234567890", expect=expect) == expect
    expect += "ÉĞİŊÖŞÜŽ"
    assert typed(desktop, notepad, "key", "--delay", "40", *[f"shift+{d}" for d in "12345678"], expect=expect) == expect
    # Shift+9 and Shift+0 are the keyboard's own.
    expect += "()"
    assert typed(desktop, notepad, "key", "--delay", "40", "shift+9", "shift+0", expect=expect) == expect


def test_letter_mode_on_the_russian_layout_gives_cyrillic(start_palette, desktop):
    start_palette(env={"LC_ALL": "ru_RU.UTF-8"})
    notepad = open_notepad(desktop)
    expect = "әғҗқңөүһ!?"
    assert typed(desktop, notepad, "type", "--delay", "40", "1234567890", expect=expect) == expect
    expect += "ӘҒҖҚҢӨҮҺ"
    assert typed(desktop, notepad, "key", "--delay", "40", *[f"shift+{d}" for d in "12345678"], expect=expect) == expect


def test_switched_off_digits_pass_and_pair_mode_replaces_pairs(start_palette, desktop):
    palette = start_palette()
    notepad = open_notepad(desktop)
    palette.command(ID_TILTAXTINIOZGERTISH1)
    assert typed(desktop, notepad, "type", "--delay", "40", "123 ", expect="123 ") == "123 "

    palette.command(ID_TILTAXTINIOZGERTISH1)  # on again, still letter mode
    palette.command(ID_JUPYOTKESH1)
    sentence = "chagh nga sha zha e'a i'a o'a u'a shh Sh"
    expect = "123 cağ ŋa şa ža éa ia öa üa şh Ş"
    assert typed(desktop, notepad, "type", "--delay", "60", sentence, expect=expect) == expect

    palette.command(ID_HERIPYOTKESH2)  # back to letter mode from the tray copy
    expect += "é"
    assert typed(desktop, notepad, "type", "--delay", "40", "1", expect=expect) == expect


# --- the library as the program finds it ---------------------------------------

def hook_log(tmp_path):
    return tmp_path / "hook.log"


def log_lines(path):
    return path.read_text().splitlines() if path.exists() else []


def palette_with_recording_hook(start_palette, tmp_path):
    """The palette with the stand-in library that logs its calls, once it has started the hook."""
    log = hook_log(tmp_path)
    palette = start_palette(hook=PEERS / "recording_hook" / "tamgahook.dll",
                            env={"TAMGA_HOOK_LOG": windows_path(log)})
    assert settled(lambda: log_lines(log), ["HookStart1"]) == ["HookStart1"]
    return palette, log


def test_close_box_finishes_and_frees_the_library(start_palette, desktop, tmp_path):
    palette, log = palette_with_recording_hook(start_palette, tmp_path)
    palette.command(ID_JUPYOTKESH1)
    assert log_lines(log) == ["HookStart1", "HookFinish", "HookStart2"]
    desktop.probe("post", palette.hwnd, WM_CLOSE, 0, 0)
    assert palette.process.wait(timeout=10) == 0
    assert log_lines(log) == ["HookStart1", "HookFinish", "HookStart2", "HookFinish", "unload"]


def test_mode_choice_while_switched_off_waits_for_switching_on(start_palette, tmp_path):
    palette, log = palette_with_recording_hook(start_palette, tmp_path)
    palette.command(ID_TILTAXTINIOZGERTISH1)  # off
    palette.command(ID_JUPYOTKESH1)
    palette.command(ID_HERIPYOTKESH2)
    palette.command(ID_JUPYOTKESH1)
    assert log_lines(log) == ["HookStart1", "HookFinish"]
    palette.command(ID_TILTAXTINIOZGERTISH1)  # on: the mode chosen last
    assert log_lines(log) == ["HookStart1", "HookFinish", "HookFinish", "HookStart2"]


WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, WTS_SESSION_UNLOCK, WTS_CONSOLE_CONNECT = 0x02B1, 7, 8, 1
WM_POWERBROADCAST, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC = 0x0218, 4, 0x12


def test_unlock_switch_back_and_resume_start_the_hook_afresh(start_palette, desktop, tmp_path):
    palette, log = palette_with_recording_hook(start_palette, tmp_path)
    palette.command(ID_JUPYOTKESH1)
    expected = ["HookStart1", "HookFinish", "HookStart2"]

    def tell(message, wparam):
        assert desktop.probe("send", palette.hwnd, message, wparam, 0, 5000)[0]["ok"]

    tell(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK)
    tell(WM_POWERBROADCAST, PBT_APMSUSPEND)
    assert log_lines(log) == expected  # going away changes nothing
    for message, wparam in [(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK), (WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT),
                            (WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)]:
        tell(message, wparam)
        expected += ["HookFinish", "HookStart2"]  # in the mode chosen
        assert log_lines(log) == expected

    palette.command(ID_TILTAXTINIOZGERTISH1)  # off: coming back starts nothing
    expected += ["HookFinish"]
    tell(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK)
    tell(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)
    assert log_lines(log) == expected


def test_exit_command_leaves_the_hook_to_the_end_of_the_process(start_palette, tmp_path):
    log = hook_log(tmp_path)
    palette = start_palette(hook=PEERS / "recording_hook" / "tamgahook.dll",
                            env={"TAMGA_HOOK_LOG": windows_path(log)})
    palette.post_command(ID_CHIQISH1)
    assert palette.process.wait(timeout=10) == 0
    assert log_lines(log) == ["HookStart1", "exit"]


def answer_missing_library_box(desktop):
    box = desktop.wait_window("#32770", "Error")
    texts = [desktop.text(c["hwnd"]) for c in desktop.children(box["hwnd"]) if c["class"] == "Static"]
    assert "Tapalmidim tamgahook.dll !" in texts
    buttons = [c for c in desktop.children(box["hwnd"]) if c["class"] == "Button"]
    assert [desktop.text(b["hwnd"]) for b in buttons] == ["OK"]
    desktop.probe("click-button", buttons[0]["hwnd"])


@pytest.mark.parametrize("library", [None, PEERS / "incomplete_hook" / "tamgahook.dll"], ids=["missing", "incomplete"])
def test_unusable_library_shows_the_error_box_then_ends(desktop, tmp_path, library):
    exe = install_copy(tmp_path / "app", hook=library)
    process = desktop.start(exe)
    answer_missing_library_box(desktop)
    assert process.wait(timeout=10) == 0


def test_library_planted_in_the_current_directory_never_runs(desktop, tmp_path):
    planted_library = PEERS / "planted_hook" / "tamgahook.dll"
    marker = tmp_path / "planted.marker"
    env = {"TAMGA_PLANTED_MARKER": windows_path(marker)}

    # Beside the program the same library is loaded, and leaves its marker.
    process = desktop.start(install_copy(tmp_path / "beside", hook=planted_library), env=env)
    assert wait_for(marker.exists, 10, what="the marker of a loaded library")
    process.kill()
    process.wait(timeout=10)
    marker.unlink()

    exe = install_copy(tmp_path / "app", hook=None)
    current_directory = tmp_path / "cwd"
    current_directory.mkdir()
    (current_directory / "tamgahook.dll").write_bytes(planted_library.read_bytes())
    process = desktop.start(exe, cwd=current_directory, env=env)
    answer_missing_library_box(desktop)
    assert process.wait(timeout=10) == 0
    assert not marker.exists()


# --- endurance -----------------------------------------------------------------

NATIVE = BUILD.parent / "native"


def predicted(mode, typed):
    oracle = NATIVE / "tests" / "unit" / "typing_oracle"
    return subprocess.run([str(oracle), mode], input=typed.encode(), capture_output=True, check=True).stdout.decode()


@pytest.mark.soak
def test_ten_thousand_random_keys_give_the_predicted_text(start_palette, desktop):
    """Run with: tests/run-all -m soak (or pytest -m soak tests/e2e)."""
    palette = start_palette()
    palette.command(ID_JUPYOTKESH1)
    notepad = open_notepad(desktop)
    random.seed(2010)
    # Pair letters and their partners often, so pairs form and break a lot.
    alphabet = "cghnszeiou'" * 3 + "abdkrtCGNSZEIOU" + "0123456789" + " "
    typed = "".join(random.choice(alphabet) for _ in range(10_000))
    # Wine's notepad may take longer for a letter than the typing takes for a
    # key: each burst is read back whole before the next, so no backlog
    # builds up past any deadline.
    for end in range(250, len(typed) + 1, 250):
        type_into(desktop, notepad, NOTEPAD, "type", "--delay", "8", typed[end - 250:end])
        expect = predicted("pairs", typed[:end])
        assert settled(lambda: desktop.text(notepad.focus), expect, timeout=60) == expect, f"after {end} keys"
