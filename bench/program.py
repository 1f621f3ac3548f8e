"""Program benchmarks under wine, each a ratio against the bare window program
built the same way and run in the same session:
  start-up to "main window visible", peak memory, idle CPU, file sizes.

  /usr/bin/python3 bench/program.py [--runs 7] [--idle-seconds 60]
"""

import argparse
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "harness"))
from wine_session import WineSession, wait_for  # noqa: E402

BUILD = REPO / "build" / "windows"


def visible(env, title):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], env=env,
                         capture_output=True, text=True)
    return out.returncode == 0 and out.stdout.strip() != ""


def peak_rss_kib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / 100.0  # utime + stime, clock ticks


def launch(env, exe, args, title):
    started = time.perf_counter()
    process = subprocess.Popen(["wine", str(exe), *args], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: visible(env, title), 30, interval=0.005, what=title)
    return process, time.perf_counter() - started


def stop(process):
    process.kill()
    process.wait(timeout=10)


def measure_start(env, exe, title, runs):
    times, peaks = [], []
    for _ in range(runs):
        process, elapsed = launch(env, exe, [], title)
        time.sleep(1.0)  # let it settle before reading its peak memory
        peaks.append(peak_rss_kib(process.pid))
        stop(process)
        times.append(elapsed)
    return statistics.median(times), statistics.median(peaks)


def measure_idle(env, exe, args, title, seconds):
    process, _ = launch(env, exe, args, title)
    time.sleep(2)
    before = cpu_seconds(process.pid)
    time.sleep(seconds)
    used = cpu_seconds(process.pid) - before
    stop(process)
    return used


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--idle-seconds", type=int, default=60)
    args = parser.parse_args()

    folder = Path(tempfile.mkdtemp(prefix="tamgalik-bench-"))
    for name in ("tamgalik.exe", "tamgahook.dll"):
        shutil.copy2(BUILD / "bin" / name, folder / name)
    tamgalik, bare = folder / "tamgalik.exe", BUILD / "bench" / "bare_window.exe"

    rows = []
    with WineSession() as session:
        env = session.env
        t_start, t_rss = measure_start(env, tamgalik, "Tamgalik", args.runs)
        b_start, b_rss = measure_start(env, bare, "Bare", args.runs)
        rows.append(("start-up to window visible (median, s)", t_start, b_start))
        rows.append(("peak resident memory (median, KiB)", t_rss, b_rss))
        if args.idle_seconds:
            t_cpu = measure_idle(env, tamgalik, [], "Tamgalik", args.idle_seconds)
            b_cpu = measure_idle(env, bare, ["timer"], "Bare", args.idle_seconds)
            rows.append((f"CPU over {args.idle_seconds} s idle (s)", t_cpu, b_cpu))
    rows.append(("tamgalik.exe size (KiB)", (BUILD / "bin" / "tamgalik.exe").stat().st_size / 1024,
                 bare.stat().st_size / 1024))
    rows.append(("tamgahook.dll size (KiB)", (BUILD / "bin" / "tamgahook.dll").stat().st_size / 1024,
                 float("nan")))
    shutil.rmtree(folder, ignore_errors=True)

    print(f"{'measure':<42} {'tamgalik':>10} {'bare':>10} {'ratio':>7}")
    for name, ours, base in rows:
        ratio = ours / base if base and base == base else float("nan")
        print(f"{name:<42} {ours:>10.3f} {base:>10.3f} {ratio:>7.2f}")


if __name__ == "__main__":
    main()
