"""Click → letter latency of the real program under wine, against the floor
no letter can beat: a key typed on the keyboard into the same target, timed
the same way in the same run. Each route is timed from the X event that
produces the letter (the key press, or the release of the palette button) to
the letter read back from the target's text, with the shipped hook library
loaded and keyboard changing on (the program's default):

  1. the keyboard-only stand-in (a program that takes text only as keyboard
     input, under a class name no list holds): the palette presses a key;
  2. an edit control without scroll bars (wine's edit redraws both at every
     insertion, whoever sends the letter, 6–12 ms that would hide the route):
     clipboard mode (WM_PASTE), then clipboard mode off (WM_UNICHAR);
  3. notepad, for reference: clipboard mode (WM_PASTE).

  /usr/bin/python3 bench/click_latency.py [--clicks 200] [--json FILE]

Uses the Windows build (build/windows, or TAMGA_BUILD_DIR). Keys and clicks
go through the X server's test extension (the path xdotool takes, without
starting a process per event). The typed key is 'a', which the hook lets
through unchanged; a click is held as a hand holds it. Within each route the
samples alternate one by one, typed then clicked, so that the machine's
changing load falls on both alike.
"""

import argparse
import ctypes
import json
import os
import shutil
import statistics
import sys
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "harness"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))
from desktop import BUILD, Desktop, install_copy  # noqa: E402
from targets import give_keyboard, open_notepad, open_target  # noqa: E402
from wine_session import WineSession, wait_for  # noqa: E402

LATIN = "ÉéĞğİiŊŋÖöŞşÜüŽž"
TYPED = "a"  # passed through unchanged by the hook
WM_COMMAND, ID_ESTESAQLASH1, ID_KORSITISH1 = 0x0111, 202, 231
HOLD = 0.1  # how long the button is held down, as a hand holds it
PAUSE = 0.05  # between one letter's arrival and the next event
ARRIVAL = 5.0  # seconds a letter may take before the run fails


class Pointer:
    """The X test extension: button presses and key presses as real input,
    from this process."""

    def __init__(self, display):
        self._x11 = ctypes.CDLL("libX11.so.6")
        self._xtst = ctypes.CDLL("libXtst.so.6")
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x11.XStringToKeysym.restype = ctypes.c_ulong
        self._x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self._x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self._x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self._xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                    ctypes.c_ulong]
        self._xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self._xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self._display = self._x11.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display}")

    def move(self, x, y):
        self._xtst.XTestFakeMotionEvent(self._display, -1, x, y, 0)
        self._x11.XSync(self._display, 0)

    def button(self, down):
        self._xtst.XTestFakeButtonEvent(self._display, 1, 1 if down else 0, 0)
        self._x11.XSync(self._display, 0)

    def keycode(self, name):
        code = self._x11.XKeysymToKeycode(self._display, self._x11.XStringToKeysym(name.encode()))
        if not code:
            raise RuntimeError(f"no key types {name!r}")
        return code

    def key(self, keycode, down):
        self._xtst.XTestFakeKeyEvent(self._display, keycode, 1 if down else 0, 0)
        self._x11.XSync(self._display, 0)

    def close(self):
        self._x11.XCloseDisplay(self._display)


def show_palette(desktop, exe):
    """Starts the program and brings it back from the tray its first tick hides
    it in; returns its window and the centres of its letter buttons."""
    desktop.start(exe)
    window = desktop.wait_window("TForm1", "Tamgalik", visible=False)["hwnd"]
    wait_for(lambda: desktop.info(window)["visible"], 10, what="the palette shown at start")
    wait_for(lambda: not desktop.info(window)["visible"], 10, what="the palette hiding into the tray")
    desktop.probe("send", window, WM_COMMAND, ID_KORSITISH1, 0, 5000)
    wait_for(lambda: desktop.info(window)["visible"], 10, what="the palette shown again")
    panel = next(p for p in desktop.children(window) if p["visible"])
    return window, [((l + r) // 2, (t + b) // 2) for l, t, r, b in (b["rect"] for b in desktop.children(panel["hwnd"]))]


def arrived(desktop, target, expected, started, what):
    """Seconds from `started` until the target's text reads `expected`."""
    while desktop.text(target.focus) != expected:
        if time.perf_counter() > started + ARRIVAL:
            raise RuntimeError(f"{what} did not arrive")
    return time.perf_counter() - started


def typed_and_clicked(pointer, desktop, points, target, samples):
    """`samples` keys typed and as many palette clicks into the target,
    alternately: the latencies of each."""
    key = pointer.keycode(TYPED)
    in_front = {"foreground": target.top, "focus": target.focus}
    typed, clicked = [], []
    expected = desktop.text(target.focus)
    for sample in range(samples):
        # The click before handed the foreground back; the key needs it.
        wait_for(lambda: desktop.foreground() == in_front, 5, interval=0.01, what="the target back in front")
        expected += TYPED
        started = time.perf_counter()
        pointer.key(key, True)
        typed.append(arrived(desktop, target, expected, started, f"key {sample + 1}"))
        pointer.key(key, False)
        time.sleep(PAUSE)

        position = sample % 16
        pointer.move(*points[position])
        pointer.button(True)
        time.sleep(HOLD)
        expected += LATIN[position]
        started = time.perf_counter()
        pointer.button(False)
        clicked.append(arrived(desktop, target, expected, started, f"click {sample + 1} ({LATIN[position]})"))
        time.sleep(PAUSE)
    return typed, clicked


def milliseconds(samples):
    return statistics.median(samples) * 1000, statistics.quantiles(samples, n=10)[-1] * 1000


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--clicks", type=int, default=200, help="samples of each route, and as many typed keys")
    parser.add_argument("--json", type=Path, help="also write the rows to this file as a JSON list")
    args = parser.parse_args()

    load_before = os.getloadavg()
    folder = Path(tempfile.mkdtemp(prefix="tamgalik-latency-"))
    exe = install_copy(folder)
    routes = []  # (target, route, typed samples, clicked samples)
    with WineSession() as session:
        desktop = Desktop(session.env)
        pointer = Pointer(session.env["DISPLAY"])
        try:
            palette, points = show_palette(desktop, exe)

            def measure(target, title, name, route):
                give_keyboard(desktop, target, title)
                routes.append((name, route, *typed_and_clicked(pointer, desktop, points, target, args.clicks)))

            keys_only = open_target(desktop, BUILD / "peers" / "keyboard_only_target.exe",
                                    "TamgaInventedToolkitFrame", "TamgaInventedToolkitFrame")
            measure(keys_only, "Keyboard-only target", "the keyboard-only program", "key press")
            edit = open_target(desktop, BUILD / "peers" / "typing_target.exe", "TypingTarget", "--plain-edit")
            measure(edit, "Typing target", "an edit without scroll bars", "clipboard mode, WM_PASTE")
            # The menu command toggles clipboard mode. With it off, a letter
            # leaves the clipboard as it was: that tells the route taken.
            desktop.probe("set-clipboard", "untouched")
            desktop.probe("send", palette, WM_COMMAND, ID_ESTESAQLASH1, 0, 5000)
            measure(edit, "Typing target", "an edit without scroll bars", "clipboard mode off, WM_UNICHAR")
            if desktop.clipboard()["text"] != "untouched":
                raise RuntimeError("clipboard mode was still on")
            desktop.probe("send", palette, WM_COMMAND, ID_ESTESAQLASH1, 0, 5000)
            measure(open_notepad(desktop), "Untitled - Notepad", "notepad", "clipboard mode, WM_PASTE")
        finally:
            pointer.close()
            desktop.end_started()
    shutil.rmtree(folder, ignore_errors=True)
    load_after = os.getloadavg()

    print(f"{args.clicks} samples each, typed and clicked alternately; load average "
          f"{load_before[0]:.2f} before, {load_after[0]:.2f} after")
    print(f"{'measure':<72} {'median ms':>9} {'p90 ms':>9} {'ratio':>6}")
    rows = []
    for name, route, typed, clicked in routes:
        (key_median, key_p90), (click_median, click_p90) = milliseconds(typed), milliseconds(clicked)
        ratio = click_median / key_median
        print(f"{f'key typed into {name}':<72} {key_median:>9.2f} {key_p90:>9.2f}")
        print(f"{f'  click -> {name} ({route})':<72} {click_median:>9.2f} {click_p90:>9.2f} {ratio:>6.2f}")
        rows.append({"measure": f"click → letter in {name} ({route}), median of {args.clicks} "
                                f"(p90 {click_p90:.1f} ms; typed {key_p90:.1f} ms)",
                     "value": click_median, "unit": "ms", "baseline": "a key typed into it",
                     "baseline_value": key_median, "ratio": ratio})
    if args.json:
        args.json.write_text(json.dumps(rows, indent=1, ensure_ascii=False) + "\n")


if __name__ == "__main__":
    main()
