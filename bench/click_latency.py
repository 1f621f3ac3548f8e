"""Click → letter latency of the real program under wine, against the cost of
looking: one round trip of the running probe reading the target's text (the
resolution of the measurement itself), in the same run. Two routes:
a key press into the program in front (our stand-in for a program that
takes text only as keyboard input, under a class name no list holds), and
WM_PASTE into notepad.

  /usr/bin/python3 bench/click_latency.py [--clicks 200]

Uses the Windows build (build/windows, or TAMGA_BUILD_DIR). Each sample is a
real click on a palette button through the X server's test extension (the
same path xdotool takes, without starting a process per click), held as a
hand holds it and timed from the release to the letter read back from the
target's window.
"""

import argparse
import ctypes
import json
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
from targets import open_notepad, open_target  # noqa: E402
from wine_session import WineSession, wait_for  # noqa: E402

LATIN = "ÉéĞğİiŊŋÖöŞşÜüŽž"
WM_COMMAND, ID_KORSITISH1 = 0x0111, 231
HOLD = 0.1  # how long the button is held down, as a hand holds it
PAUSE = 0.05  # between one letter's arrival and the next press


class Pointer:
    """The X test extension: button presses as real input, from this process."""

    def __init__(self, display):
        self._x11 = ctypes.CDLL("libX11.so.6")
        self._xtst = ctypes.CDLL("libXtst.so.6")
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                    ctypes.c_ulong]
        self._xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self._display = self._x11.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display}")

    def move(self, x, y):
        self._xtst.XTestFakeMotionEvent(self._display, -1, x, y, 0)
        self._x11.XSync(self._display, 0)

    def button(self, down):
        self._xtst.XTestFakeButtonEvent(self._display, 1, 1 if down else 0, 0)
        self._x11.XSync(self._display, 0)

    def close(self):
        self._x11.XCloseDisplay(self._display)


def show_palette(desktop, exe):
    """Starts the program and brings it back from the tray its first tick hides it in."""
    desktop.start(exe)
    window = desktop.wait_window("TForm1", "Tamgalik", visible=False)["hwnd"]
    wait_for(lambda: desktop.info(window)["visible"], 10, what="the palette shown at start")
    wait_for(lambda: not desktop.info(window)["visible"], 10, what="the palette hiding into the tray")
    desktop.probe("send", window, WM_COMMAND, ID_KORSITISH1, 0, 5000)
    wait_for(lambda: desktop.info(window)["visible"], 10, what="the palette shown again")
    panel = next(p for p in desktop.children(window) if p["visible"])
    return [((l + r) // 2, (t + b) // 2) for l, t, r, b in (b["rect"] for b in desktop.children(panel["hwnd"]))]


def timed(action, runs):
    samples = []
    for _ in range(runs):
        started = time.perf_counter()
        action()
        samples.append(time.perf_counter() - started)
    return samples


def click_latencies(pointer, desktop, points, target, clicks):
    samples = []
    expected = desktop.text(target.focus)
    for click in range(clicks):
        position = click % 16
        pointer.move(*points[position])
        pointer.button(True)
        time.sleep(HOLD)
        expected += LATIN[position]
        started = time.perf_counter()
        pointer.button(False)
        deadline = started + 5
        while desktop.text(target.focus) != expected:
            if time.perf_counter() > deadline:
                raise RuntimeError(f"click {click + 1}: {LATIN[position]} did not arrive")
        samples.append(time.perf_counter() - started)
        time.sleep(PAUSE)
    return samples


def row(name, samples, baseline):
    median = statistics.median(samples)
    p90 = statistics.quantiles(samples, n=10)[-1]
    ratio = median / baseline if baseline else float("nan")
    return f"{name:<40} {median * 1000:>9.2f} {p90 * 1000:>9.2f} {ratio:>8.1f}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--clicks", type=int, default=200)
    parser.add_argument("--json", type=Path, help="also write the rows to this file as a JSON list")
    args = parser.parse_args()

    folder = Path(tempfile.mkdtemp(prefix="tamgalik-latency-"))
    exe = install_copy(folder)
    with WineSession() as session:
        desktop = Desktop(session.env)
        pointer = Pointer(session.env["DISPLAY"])
        try:
            points = show_palette(desktop, exe)
            keys_only = open_target(desktop, BUILD / "peers" / "keyboard_only_target.exe",
                                    "TamgaInventedToolkitFrame", "TamgaInventedToolkitFrame")
            look = timed(lambda: desktop.text(keys_only.focus), args.clicks)
            typed = click_latencies(pointer, desktop, points, keys_only, args.clicks)
            notepad = open_notepad(desktop)
            pasted = click_latencies(pointer, desktop, points, notepad, args.clicks)
        finally:
            pointer.close()
            desktop.end_started()
    shutil.rmtree(folder, ignore_errors=True)

    baseline = statistics.median(look)
    print(f"{args.clicks} samples each")
    print(f"{'measure':<40} {'median ms':>9} {'p90 ms':>9} {'ratio':>8}")
    print(row("probe round trip (baseline)", look, baseline))
    print(row("click -> key press into program in front", typed, baseline))
    print(row("click -> letter in notepad (WM_PASTE)", pasted, baseline))
    if args.json:
        def json_row(measure, samples, baseline, base_samples):
            value, base = statistics.median(samples) * 1000, statistics.median(base_samples) * 1000
            return {"measure": f"{measure}, median of {args.clicks}", "value": value, "unit": "ms",
                    "baseline": baseline, "baseline_value": base, "ratio": value / base}
        args.json.write_text(json.dumps([
            json_row("click → key press into the program in front", typed, "probe round trip", look),
            json_row("click → letter in notepad (WM_PASTE)", pasted, "probe round trip", look),
        ], indent=1, ensure_ascii=False) + "\n")


if __name__ == "__main__":
    main()
