"""Letters from the palette into other programs, as a user meets it: real
clicks on the palette's buttons, real programs as targets (Wine's notepad and
wordpad, our stand-ins for a word processor and for troubled programs), and
the letters read back from the targets' own windows."""

import subprocess
import time
from dataclasses import dataclass
from pathlib import Path

import pytest

from desktop import BUILD, PROBE
from targets import TARGET_PLACE, TICK, open_notepad, open_target, settled, windows_path
from wine_session import wait_for

LATIN = "ÉéĞğİiŊŋÖöŞşÜüŽž"
CYRILLIC = "ӘәҒғҖҗҚқҢңӨөҮүҺһ"

ID_ESTESAQLASH1 = 202
ID_SLAVEN1 = 204
ID_CHIQISH1 = 205
ID_KORSITISH1 = 231
WM_NULL = 0x0000
WM_CLOSE = 0x0010
SS_TYPEMASK, SS_ICON = 0x1F, 0x03

PEERS = BUILD / "peers"
CONTAINER = "  MSO Generic Control Container "
# An absence (no message box, no second call) can only be watched for a while.
QUIET = 0.5


def lines(path):
    return path.read_text(encoding="utf-8").splitlines() if path.exists() else None


class Keys:
    """The palette's visible letter buttons, clicked for real."""

    def __init__(self, palette):
        self.palette, self.desktop = palette, palette.desktop
        def sixteen():
            buttons = palette.visible_buttons()
            return buttons if len(buttons) == 16 else None
        buttons = wait_for(sixteen, 10, what="sixteen letter buttons")
        self.points = [((l + r) // 2, (t + b) // 2) for l, t, r, b in (b["rect"] for b in buttons)]

    def click(self, position):
        x, y = self.points[position - 1]
        self._click(x, y)

    def _click(self, x, y):
        # Held as a hand holds it. Without a window manager, a press and
        # release in the same instant let wine act on the palette's own
        # activation after the click has handed the foreground back, and the
        # target program loses it to the desktop. (No --sync on the move: it
        # stalls when the pointer is already there.)
        self.desktop.xdotool("mousemove", x, y, "mousedown", 1, "sleep", 0.1, "mouseup", 1)


def palette_in_front(desktop, palette):
    front = desktop.info(foreground(desktop))
    return bool(front) and front["pid"] == palette.info()["pid"]


def responsive(desktop, hwnd):
    answer = desktop.probe("send", hwnd, WM_NULL, 0, 0, 3000)
    return bool(answer and answer[0]["ok"])


def error_boxes(desktop):
    return desktop.visible_windows("#32770", "Tamgalik")


def foreground(desktop):
    return desktop.foreground()["foreground"]


def clipboard(desktop):
    return desktop.clipboard()["text"]


def handed_back(desktop, target):
    """Waits for the foreground, with the focus, to be back on the target and
    tells whether it is. The next click may follow at once: on its way back
    the target's frame holds the focus for a moment, and a tick seeing that
    must not take the frame for the target."""
    back = {"foreground": target.top, "focus": target.focus}
    return settled(desktop.foreground, back) == back


# --- Wine's own programs ------------------------------------------------------

def type_all(desktop, keys, target, letters):
    """Clicks every letter in order; after each, the target has the text so
    far and the foreground again."""
    for position, letter in enumerate(letters, start=1):
        keys.click(position)
        expected = letters[:position]
        assert settled(lambda: desktop.text(target.focus), expected) == expected, f"after clicking {letter}"
        assert handed_back(desktop, target), f"after clicking {letter}"


@pytest.mark.activation
def test_latin_letters_arrive_in_notepad_in_order(start_palette, desktop):
    palette = start_palette()
    keys = Keys(palette)
    notepad = open_notepad(desktop)

    # The palette in front (brought back from the tray) keeps the target.
    palette.command(ID_KORSITISH1)
    assert settled(lambda: palette_in_front(desktop, palette), True) is True
    time.sleep(TICK)

    type_all(desktop, keys, notepad, LATIN)
    assert clipboard(desktop) == "ž"
    # Clipboard history and cloud clipboard are told to leave the letter out.
    formats = desktop.probe("clipboard-formats")[0]["formats"]
    assert {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
            "CanUploadToCloudClipboard"} <= set(formats)


def test_slaven_script_delivers_cyrillic_letters(start_palette, desktop):
    palette = start_palette()
    palette.command(ID_SLAVEN1)
    wait_for(lambda: [p["visible"] for p in palette.panels()] == [False, True], 5, what="the Cyrillic panel")
    keys = Keys(palette)
    notepad = open_notepad(desktop)

    type_all(desktop, keys, notepad, CYRILLIC)
    assert clipboard(desktop) == "һ"


def test_clipboard_mode_off_sends_the_letter_and_leaves_the_clipboard(start_palette, desktop):
    palette = start_palette()
    keys = Keys(palette)
    notepad = open_notepad(desktop)
    desktop.probe("set-clipboard", "sentinel")

    palette.command(ID_ESTESAQLASH1)
    keys.click(8)
    assert settled(lambda: desktop.text(notepad.focus), "ŋ") == "ŋ"
    assert handed_back(desktop, notepad)
    assert clipboard(desktop) == "sentinel"

    # The mode toggles back: the clipboard carries the next letter again.
    palette.command(ID_ESTESAQLASH1)
    keys.click(1)
    assert settled(lambda: desktop.text(notepad.focus), "ŋÉ") == "ŋÉ"
    assert clipboard(desktop) == "É"


def test_wordpad_rich_edit_receives_letters_by_both_routes(start_palette, desktop):
    palette = start_palette()
    keys = Keys(palette)
    wordpad_exe = Path(desktop.env["WINEPREFIX"]) / "drive_c/Program Files/Windows NT/Accessories/wordpad.exe"
    wordpad = open_target(desktop, wordpad_exe, "WORDPADTOP")
    assert desktop.info(wordpad.focus)["class"].lower().startswith("richedit")

    keys.click(11)
    typed = "Ş"
    assert settled(lambda: desktop.text(wordpad.focus), typed) == typed
    assert handed_back(desktop, wordpad)
    palette.command(ID_ESTESAQLASH1)
    keys.click(14)
    typed += "ü"
    assert settled(lambda: desktop.text(wordpad.focus), typed) == typed
    assert handed_back(desktop, wordpad)


# --- a word processor's document ----------------------------------------------

@dataclass
class AutomationServer:
    process: subprocess.Popen
    window: int
    log: Path

    def calls(self):
        return lines(self.log)


@pytest.fixture
def word_server(desktop, tmp_path):
    """Starts the stand-in "Word.Application"; ends it properly afterwards,
    so it is no longer registered as running."""
    servers = []

    def start(*args):
        log = tmp_path / f"word-application-{len(servers)}.log"
        process = desktop.start(PEERS / "automation_server.exe", windows_path(log), *args)
        window = desktop.wait_window("AutomationServerStandIn", visible=False)["hwnd"]
        servers.append(AutomationServer(process, window, log))
        return servers[-1]

    yield start
    for server in servers:
        stop_server(desktop, server)


def stop_server(desktop, server):
    if server.process.poll() is None:
        desktop.probe("post", server.window, WM_CLOSE, 0, 0)
        server.process.wait(timeout=10)


def open_document(desktop, tmp_path, container=CONTAINER):
    """The stand-in document window: its first child carries `container` as
    title; the edit beside it records what it receives."""
    log = tmp_path / "document.log"
    target = open_target(desktop, PEERS / "typing_target.exe", "TypingTarget",
                         "--first-child", container, "--log", windows_path(log))
    return target, log


def test_word_document_gets_letters_through_the_selection(start_palette, desktop, word_server, tmp_path):
    server = word_server()
    palette = start_palette()
    keys = Keys(palette)
    document, received = open_document(desktop, tmp_path)

    keys.click(1)
    assert settled(server.calls, ["Selection", "Paste"]) == ["Selection", "Paste"]
    assert clipboard(desktop) == "É"
    assert handed_back(desktop, document)

    desktop.probe("set-clipboard", "sentinel")
    palette.command(ID_ESTESAQLASH1)
    keys.click(12)
    both = ["Selection", "Paste", "Selection", "TypeText ş"]
    assert settled(server.calls, both) == both
    assert settled(lambda: foreground(desktop), document.top) == document.top
    time.sleep(QUIET)
    assert server.calls() == both  # once each, "Selection" fetched anew
    assert clipboard(desktop) == "sentinel"
    assert lines(received) == []  # nothing went to the edit itself
    assert desktop.text(document.focus) == ""


@pytest.mark.activation
def test_word_document_without_running_server_gets_nothing(start_palette, desktop, word_server, tmp_path):
    """Registered but not running: the click is dropped silently, and the
    foreground stays where it was."""
    server = word_server()
    stop_server(desktop, server)
    palette = start_palette()
    keys = Keys(palette)
    document, received = open_document(desktop, tmp_path)
    desktop.probe("set-clipboard", "sentinel")

    keys.click(3)
    assert settled(lambda: clipboard(desktop), "Ğ") == "Ğ"  # clipboard mode set it first
    time.sleep(QUIET)
    assert foreground(desktop) == document.top
    assert error_boxes(desktop) == []
    assert lines(received) == []
    assert desktop.text(document.focus) == ""
    assert server.calls() == []
    assert responsive(desktop, palette.hwnd)


def stop_icon_shown(desktop, icon):
    left, top, right, bottom = icon["rect"]
    colours = desktop.probe("pixels", left, top, right, bottom)[0]["rgb"]
    red = [c for c in colours if int(c[0:2], 16) > 0xB0 and int(c[2:4], 16) < 0x60 and int(c[4:6], 16) < 0x60]
    return len(red) > len(colours) // 4


@pytest.mark.parametrize("raised, shown", [
    ("The selection is locked", "The selection is locked."),
    ("The document is protected.", "The document is protected."),
    ("Read only!", "Read only!"),
    ("Saved under C:/", "Saved under C:/."),  # "/" sorts just after "."
])
def test_word_error_shows_the_general_error_box(start_palette, desktop, word_server, tmp_path, raised, shown):
    server = word_server("--fail-typing", raised)
    palette = start_palette()
    keys = Keys(palette)
    document, received = open_document(desktop, tmp_path)
    palette.command(ID_ESTESAQLASH1)

    keys.click(1)
    box = desktop.wait_window("#32770", "Tamgalik", timeout=10)
    children = desktop.children(box["hwnd"])
    texts = [c["title"] for c in children if c["class"] == "Static" and c["style"] & SS_TYPEMASK != SS_ICON]
    icons = [c for c in children if c["class"] == "Static" and c["style"] & SS_TYPEMASK == SS_ICON]
    buttons = [c for c in children if c["class"] == "Button"]
    assert texts == [shown]
    assert [b["title"] for b in buttons] == ["OK"]
    assert len(icons) == 1 and settled(lambda: stop_icon_shown(desktop, icons[0]), True) is True
    assert server.calls() == ["Selection", "TypeText É"]

    desktop.probe("click-button", buttons[0]["hwnd"])
    assert settled(lambda: error_boxes(desktop), []) == []
    # The foreground is not handed to the document after a failure.
    assert settled(lambda: palette_in_front(desktop, palette), True) is True
    time.sleep(QUIET)
    assert palette_in_front(desktop, palette)
    assert lines(received) == []
    assert responsive(desktop, palette.hwnd)


def test_lower_case_container_title_is_an_ordinary_window(start_palette, desktop, word_server, tmp_path):
    server = word_server()
    palette = start_palette()
    keys = Keys(palette)
    document, received = open_document(desktop, tmp_path, "mso generic control container")

    keys.click(1)
    assert settled(lambda: lines(received), ["WM_PASTE"]) == ["WM_PASTE"]
    assert settled(lambda: desktop.text(document.focus), "É") == "É"
    time.sleep(QUIET)
    assert server.calls() == []


WS_EX_TOPMOST = 0x0008
WM_COMMAND = 0x0111
ID_HERDAYIMUSTIDE1 = 201


def test_word_processor_hanging_in_paste_leaves_the_palette_answering(start_palette, desktop, word_server,
                                                                       tmp_path):
    """The stand-in sleeps 20 s inside "Paste". A menu command posted meanwhile
    is handled at once; a second click waits behind the first call, never
    nested inside it, and is dropped when the palette gives up on the word
    processor."""
    server = word_server("--hang-in-paste", "20000")
    palette = start_palette()
    keys = Keys(palette)
    document, received = open_document(desktop, tmp_path)

    keys.click(1)
    clicked = time.monotonic()
    assert settled(server.calls, ["Selection", "Paste"]) == ["Selection", "Paste"]
    desktop.probe("post", palette.hwnd, WM_COMMAND, ID_HERDAYIMUSTIDE1, 0)
    wait_for(lambda: not palette.info()["exstyle"] & WS_EX_TOPMOST, 3, interval=0.02, what="stay-on-top off")
    assert time.monotonic() - clicked < 3
    keys.click(2)
    assert responsive(desktop, palette.hwnd)

    time.sleep(3)  # past the palette's giving up
    assert server.calls() == ["Selection", "Paste"]
    assert error_boxes(desktop) == []
    assert lines(received) == []
    assert palette.process.poll() is None and responsive(desktop, palette.hwnd)
    server.process.kill()  # still asleep
    server.process.wait(timeout=10)


# --- faults -------------------------------------------------------------------

@pytest.mark.activation
def test_click_before_any_other_program_was_in_front(start_palette, desktop):
    """Notepad runs but has not been in front since the palette started: the
    click has no target, delivers nothing and breaks nothing."""
    desktop.start("notepad.exe")
    notepad_top = desktop.wait_window("Notepad")["hwnd"]
    desktop.probe("move", notepad_top, *TARGET_PLACE)
    palette = start_palette()
    keys = Keys(palette)
    assert settled(lambda: palette_in_front(desktop, palette), True) is True
    time.sleep(TICK)

    keys.click(1)
    assert settled(lambda: clipboard(desktop), "É") == "É"  # the click was handled
    time.sleep(QUIET)
    notepad_edit = desktop.children(notepad_top)[0]["hwnd"]
    assert desktop.text(notepad_edit) == ""
    # Nothing is handed the foreground. (Without a window manager, wine's
    # own tray window now and then takes it at this point, as a late answer
    # to its showing when the palette's icon came.)
    assert foreground(desktop) != notepad_top
    assert error_boxes(desktop) == []
    assert palette.process.poll() is None and responsive(desktop, palette.hwnd)

    # Once notepad has been in front, letters reach it.
    desktop.focus(notepad_top)
    time.sleep(TICK)
    keys.click(2)
    assert settled(lambda: desktop.text(notepad_edit), "é") == "é"


def test_target_closed_between_tick_and_click(start_palette, desktop):
    palette = start_palette()
    keys = Keys(palette)
    notepad = open_notepad(desktop)
    notepad.process.kill()
    notepad.process.wait(timeout=10)
    wait_for(lambda: desktop.info(notepad.top) is None, 10, what="notepad gone")

    keys.click(1)
    assert settled(lambda: clipboard(desktop), "É") == "É"
    time.sleep(QUIET)
    assert error_boxes(desktop) == []
    assert palette.process.poll() is None and responsive(desktop, palette.hwnd)

    second = open_notepad(desktop)
    keys.click(2)
    assert settled(lambda: desktop.text(second.focus), "é") == "é"


@pytest.mark.activation
def test_program_in_front_without_focused_window_keeps_the_target(start_palette, desktop):
    """No window has the focus while a program whose windows take no keys is
    in front, nor for a moment in every switch between programs: the window
    last typed in stays the target."""
    palette = start_palette()
    keys = Keys(palette)
    notepad = open_notepad(desktop)
    desktop.start(PEERS / "typing_target.exe", "--no-focus")
    keyless = desktop.wait_window("TypingTarget")["hwnd"]
    desktop.probe("move", keyless, 0, 320, 420, 100)
    desktop.focus(keyless)
    assert desktop.foreground()["focus"] == 0
    time.sleep(TICK)

    keys.click(1)
    assert settled(lambda: desktop.text(notepad.focus), "É") == "É"
    assert settled(lambda: foreground(desktop), notepad.top) == notepad.top


@pytest.mark.parametrize("clipboard_mode, message", [(True, "WM_PASTE"), (False, "WM_UNICHAR 00C9")])
def test_hung_target_leaves_the_palette_responsive(start_palette, desktop, tmp_path, clipboard_mode, message):
    palette = start_palette()
    keys = Keys(palette)
    log = tmp_path / "hung.log"
    target = open_target(desktop, PEERS / "typing_target.exe", "TypingTarget", "--hang", "--log", windows_path(log))
    if not clipboard_mode:
        palette.command(ID_ESTESAQLASH1)

    keys.click(1)
    assert settled(lambda: lines(log), [message]) == [message]  # the target now sleeps 30 s
    assert not desktop.probe("send", target.focus, WM_NULL, 0, 0, 300)[0]["ok"]
    # Through the palette's wait for the target and what follows it.
    until = time.monotonic() + 3
    while time.monotonic() < until:
        assert responsive(desktop, palette.hwnd)
    assert error_boxes(desktop) == []
    assert palette.process.poll() is None


def test_clipboard_held_by_another_program_pastes_no_stale_text(start_palette, desktop, tmp_path):
    """While another program holds the clipboard the letter cannot be put on
    it; pasting then would paste what was there before."""
    palette = start_palette()
    keys = Keys(palette)
    log = tmp_path / "target.log"
    target = open_target(desktop, PEERS / "typing_target.exe", "TypingTarget", "--log", windows_path(log))
    desktop.probe("set-clipboard", "sentinel")

    holder = subprocess.Popen(["wine", str(PROBE), "hold-clipboard", "2000"], env=desktop.env,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        assert b"holding" in holder.stdout.readline()
        keys.click(1)
        assert holder.wait(timeout=15) == 0
    finally:
        if holder.poll() is None:
            holder.kill()
            holder.wait(timeout=10)
    time.sleep(QUIET)
    assert lines(log) == []  # no WM_PASTE for a letter that is not on the clipboard
    assert desktop.text(target.focus) == ""
    assert clipboard(desktop) == "sentinel"
    assert palette.process.poll() is None and responsive(desktop, palette.hwnd)

    # With the clipboard free again, the next click goes through.
    desktop.focus(target.top)
    time.sleep(TICK)
    keys.click(2)
    assert settled(lambda: lines(log), ["WM_PASTE"]) == ["WM_PASTE"]
    assert settled(lambda: desktop.text(target.focus), "é") == "é"


# --- menus ----------------------------------------------------------------------

def test_exit_command_ends_the_program_with_code_0(start_palette, desktop):
    palette = start_palette()
    palette.command(ID_CHIQISH1)
    assert palette.process.wait(timeout=10) == 0
    assert desktop.windows("TForm1") == []


# --- soak -----------------------------------------------------------------------

SOAK_CLICKS = 1000


@pytest.mark.soak
def test_soak_a_thousand_letters_arrive_in_order(start_palette, desktop):
    """Run with: python3 -m pytest -q -s -p no:cacheprovider -m soak test_delivery.py
    (each click waits for its letter and the foreground's return)."""
    palette = start_palette()
    keys = Keys(palette)
    notepad = open_notepad(desktop)
    expected, text, returned = "", "", 0
    started = time.monotonic()
    for click in range(SOAK_CLICKS):
        position = click % 16 + 1  # never the same button twice running
        keys.click(position)
        expected += LATIN[position - 1]
        text = settled(lambda: desktop.text(notepad.focus), expected)
        if text != expected:
            break
        returned += handed_back(desktop, notepad)
    elapsed = time.monotonic() - started
    print(f"\nsoak: {len(text)} letters in order of {SOAK_CLICKS} clicks, foreground handed back "
          f"{returned} times, in {elapsed:.0f} s")
    assert text == expected
    assert returned == SOAK_CLICKS
