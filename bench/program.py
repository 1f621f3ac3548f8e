"""Program benchmarks under wine, each a ratio against baselines built the same
way and run in the same session:
  start-up until the main window is on the screen and until it is drawn, and
  peak memory, against the bare window and the floor (the bare window plus
  COM, the common controls and one tray icon: what the palette's start-up
  cannot leave out);
  CPU while idle in the tray, against both with a 500 ms timer;
  file sizes.

  /usr/bin/python3 bench/program.py [--runs 15] [--idle-seconds 60] [--json FILE]

The three programs start in turn, round after round, so that the machine's
changing load falls on all of them alike. A start is timed from launching
`wine` (whose own start is in all three) to the X server showing the window
(mapped), and to the last drawing into it in its first second, or before the
palette's first tick hides it (drawn): the window then looks as painted.
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
from wine_session import WineSession  # noqa: E402
from x_window import WindowWatch  # noqa: E402

BUILD = REPO / "build" / "windows"
SETTLE = 1.0  # after the window shows: how long its drawing is followed, before the peak memory is read
AFTER_STOP = 3.0  # seconds between one start's end and the next


def peak_rss_kib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    """CPU time of all the process's threads, to the nanosecond (the scheduler's
    own account, not the 10 ms ticks of /proc/PID/stat)."""
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that ended meanwhile
    return total / 1e9


class Program:
    def __init__(self, name, exe, title):
        self.name, self.exe, self.title = name, exe, title
        self.mapped, self.drawn, self.peaks = [], [], []

    def launch(self, env, args=(), follow=0.0):
        """The process, the seconds until its window was mapped and until it was
        drawn (followed for `follow` seconds after the map)."""
        with WindowWatch(env["DISPLAY"]) as watch:
            started = time.perf_counter()
            process = subprocess.Popen(["wine", str(self.exe), *args], env=env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            mapped = watch.wait_mapped(self.title, 30)
            drawn = watch.drawn_until(mapped + follow) or mapped
        return process, mapped - started, drawn - started


def stop(process):
    process.kill()
    process.wait(timeout=10)


def measure_start(env, program):
    process, mapped, drawn = program.launch(env, follow=SETTLE)
    program.peaks.append(peak_rss_kib(process.pid))
    stop(process)
    # Under wine, a program with a tray icon, once killed, holds up the next
    # program's start for about 2 s: every start waits that out, so none pays it.
    time.sleep(AFTER_STOP)
    program.mapped.append(mapped)
    program.drawn.append(drawn)


def measure_idle(env, program, args, seconds):
    process, _, _ = program.launch(env, args)
    time.sleep(2)  # the palette is in the tray by now
    before = cpu_seconds(process.pid)
    time.sleep(seconds)
    used = cpu_seconds(process.pid) - before
    stop(process)
    return used


def row(measure, value, unit, baseline=None, baseline_value=None):
    ratio = value / baseline_value if baseline_value else None
    return {"measure": measure, "value": value, "unit": unit, "baseline": baseline,
            "baseline_value": baseline_value, "ratio": ratio}


def middle_half(ours, base):
    """The middle half of the ratios of starts in the same round: the spread."""
    ratios = sorted(a / b for a, b in zip(ours, base))
    if len(ratios) < 4:
        return f"{ratios[0]:.2f}–{ratios[-1]:.2f}"
    quartiles = statistics.quantiles(ratios, n=4)
    return f"{quartiles[0]:.2f}–{quartiles[2]:.2f}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--idle-seconds", type=int, default=60)
    parser.add_argument("--json", type=Path, help="also write the rows to this file as a JSON list")
    args = parser.parse_args()

    folder = Path(tempfile.mkdtemp(prefix="tamgalik-bench-"))
    for name in ("tamgalik.exe", "tamgahook.dll"):
        shutil.copy2(BUILD / "bin" / name, folder / name)
    tamgalik = Program("Tamgalik", folder / "tamgalik.exe", "Tamgalik")
    bare = Program("bare window", BUILD / "bench" / "bare_window.exe", "Bare")
    floor = Program("floor", BUILD / "bench" / "floor_window.exe", "Floor")
    programs = [tamgalik, bare, floor]

    rows = []
    with WineSession() as session:
        env = session.env
        for round_number in range(args.runs):
            # Each round in another order: no program always follows the same one.
            for program in programs[round_number % 3:] + programs[:round_number % 3]:
                measure_start(env, program)
        runs = f"median of {args.runs}"
        for until, times in (("on the screen", lambda p: p.mapped), ("drawn", lambda p: p.drawn)):
            for base in (bare, floor):
                rows.append(row(f"start-up until the window is {until} ({runs}; middle half of the ratios "
                                f"per round {middle_half(times(tamgalik), times(base))})",
                                statistics.median(times(tamgalik)) * 1000, "ms",
                                base.name, statistics.median(times(base)) * 1000))
        for base in (bare, floor):
            rows.append(row(f"peak resident memory ({runs})", statistics.median(tamgalik.peaks) / 1024, "MiB",
                            base.name, statistics.median(base.peaks) / 1024))
        if args.idle_seconds:
            used = measure_idle(env, tamgalik, [], args.idle_seconds)
            for base in (bare, floor):
                base_used = measure_idle(env, base, ["timer"], args.idle_seconds)
                rows.append(row(f"CPU while idle in the tray, {args.idle_seconds} s", used * 1000, "ms",
                                f"{base.name} with a 500 ms timer", base_used * 1000))
    shutil.rmtree(folder, ignore_errors=True)
    rows.append(row("tamgalik.exe size", (BUILD / "bin" / "tamgalik.exe").stat().st_size / 1024, "KiB"))
    rows.append(row("tamgahook.dll size", (BUILD / "bin" / "tamgahook.dll").stat().st_size / 1024, "KiB"))

    print(f"{'measure':<100} {'Tamgalik':>10} {'baseline':>10} {'ratio':>6}")
    for r in rows:
        base = f"{r['baseline_value']:.1f}" if r["baseline_value"] is not None else ""
        ratio = f"{r['ratio']:.2f}" if r["ratio"] is not None else ""
        name = r["measure"] + (f" vs {r['baseline']}" if r["baseline"] else "") + f", {r['unit']}"
        print(f"{name:<100} {r['value']:>10.1f} {base:>10} {ratio:>6}")
    if args.json:
        args.json.write_text(json.dumps(rows, indent=1, ensure_ascii=False) + "\n")


if __name__ == "__main__":
    main()
