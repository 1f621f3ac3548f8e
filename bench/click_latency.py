"""Click → letter latency of the real program under wine, as a ratio against
the cost of looking: one round trip of the running probe reading the
target's text (the resolution of the measurement itself). Two routes in the
same run: WM_PASTE into notepad, and the key press into our stand-in for a
program that takes text only as keyboard input (a browser's window class).

  /usr/bin/python3 bench/click_latency.py [--clicks 200]

Uses the Windows build (build/windows, or TAMGA_BUILD_DIR). Each sample is a
real xdotool click on a palette button, timed from the button's release to
the letter read back from the target's window. Clicks are spaced as a user
spaces them: the next comes after the target has the foreground back and the
palette has ticked once.
"""

import argparse
import json
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "harness"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))
from desktop import BUILD, Desktop, install_copy  # noqa: E402
from probe_session import ProbeSession  # noqa: E402
from targets import TICK, open_notepad, open_target  # noqa: E402
from wine_session import WineSession, wait_for  # noqa: E402

LATIN = "ÉéĞğİiŊŋÖöŞşÜüŽž"
WM_COMMAND, ID_KORSITISH1 = 0x0111, 231
HOLD = 0.1  # how long the button is held down, as a hand holds it


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


def click_latencies(desktop, probe, points, target, clicks):
    samples = []
    expected = probe.text(target.focus)
    for click in range(clicks):
        position = click % 16
        x, y = points[position]
        desktop.xdotool("mousemove", x, y, "mousedown", 1)
        time.sleep(HOLD)
        expected += LATIN[position]
        started = time.perf_counter()
        desktop.xdotool("mouseup", 1)
        deadline = started + 5
        while probe.text(target.focus) != expected:
            if time.perf_counter() > deadline:
                raise RuntimeError(f"click {click + 1}: {LATIN[position]} did not arrive")
        samples.append(time.perf_counter() - started)
        back = {"foreground": target.top, "focus": target.focus}
        wait_for(lambda: probe.ask("foreground")[0] == back, 5, interval=0.01, what="the target in front again")
        time.sleep(TICK)
    return samples


def row(name, samples, baseline):
    median = statistics.median(samples)
    p90 = statistics.quantiles(samples, n=10)[-1]
    ratio = median / baseline if baseline else float("nan")
    return f"{name:<38} {median * 1000:>9.2f} {p90 * 1000:>9.2f} {ratio:>8.1f}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--clicks", type=int, default=200)
    parser.add_argument("--json", type=Path, help="also write the rows to this file as a JSON list")
    args = parser.parse_args()

    folder = Path(tempfile.mkdtemp(prefix="tamgalik-latency-"))
    exe = install_copy(folder)
    with WineSession() as session:
        desktop = Desktop(session.env)
        try:
            points = show_palette(desktop, exe)
            notepad = open_notepad(desktop)
            with ProbeSession(session.env) as probe:
                look = timed(lambda: probe.text(notepad.focus), args.clicks)
                xdotool = timed(lambda: subprocess.run(["xdotool", "getmouselocation"], env=session.env,
                                                       capture_output=True, check=True), args.clicks)
                pasted = click_latencies(desktop, probe, points, notepad, args.clicks)
                keys_only = open_target(desktop, BUILD / "peers" / "keyboard_only_target.exe",
                                        "Chrome_WidgetWin_1", "Chrome_WidgetWin_1")
                typed = click_latencies(desktop, probe, points, keys_only, args.clicks)
        finally:
            desktop.end_started()
    shutil.rmtree(folder, ignore_errors=True)

    baseline = statistics.median(look)
    print(f"{args.clicks} samples each")
    print(f"{'measure':<38} {'median ms':>9} {'p90 ms':>9} {'ratio':>8}")
    print(row("probe round trip (baseline)", look, baseline))
    print(row("xdotool call (part of each sample)", xdotool, baseline))
    print(row("click -> letter in notepad (WM_PASTE)", pasted, baseline))
    print(row("click -> letter as key press", typed, baseline))
    print(f"key press route / WM_PASTE route: {statistics.median(typed) / statistics.median(pasted):.2f}")
    if args.json:
        def json_row(measure, samples, baseline, base_samples):
            value, base = statistics.median(samples) * 1000, statistics.median(base_samples) * 1000
            return {"measure": f"{measure}, median of {args.clicks}", "value": value, "unit": "ms",
                    "baseline": baseline, "baseline_value": base, "ratio": value / base}
        args.json.write_text(json.dumps([
            json_row("click → letter in notepad (WM_PASTE)", pasted, "probe round trip", look),
            json_row("click → letter as key press", typed, "the WM_PASTE route, same run", pasted),
        ], indent=1, ensure_ascii=False) + "\n")


if __name__ == "__main__":
    main()
