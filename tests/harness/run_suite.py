"""Builds everything and runs every test layer: native unit tests (with
sanitizers), the fuzzer for a bounded time, the Win32 tests and the
end-to-end scenarios in private wine worlds, those that depend on activation
once more under a window manager. Ends with one summary line."""

import argparse
import os
import re
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

from wine_session import WineSession

REPO = Path(__file__).resolve().parents[2]
# What pytest reports when no test matched; a layer that runs nothing fails.
NONE_SELECTED = (0, 0)
STARTED = time.monotonic()


def run(cmd, **kw):
    print(f"+ [{time.monotonic() - STARTED:5.0f} s]", " ".join(map(str, cmd)), flush=True)
    return subprocess.run(cmd, cwd=REPO, **kw)


def ctest(build_dir, env=None, extra=()):
    """Runs ctest and returns (passed, failed) from its closing lines."""
    out = run(["ctest", "--test-dir", build_dir, "--output-on-failure", "--no-tests=error", *extra], env=env,
              capture_output=True, text=True)
    sys.stdout.write(out.stdout)
    sys.stderr.write(out.stderr)
    match = re.search(r"tests passed, (\d+) tests failed out of (\d+)", out.stdout)
    if not match:
        return 0, 1 if out.returncode else 0
    failed, total = int(match.group(1)), int(match.group(2))
    return total - failed, failed


def pytest(env, args):
    out = run([sys.executable, "-m", "pytest", "-q", "-p", "no:cacheprovider", "--durations=10", *args], env=env,
              capture_output=True, text=True)
    sys.stdout.write(out.stdout)
    sys.stderr.write(out.stderr)
    closing = out.stdout.strip().splitlines()[-1] if out.stdout.strip() else ""
    passed = sum(int(n) for n in re.findall(r"(\d+) passed", closing))
    failed = sum(int(n) for n in re.findall(r"(\d+) (?:failed|errors?)\b", closing))
    if out.returncode == 5 and not passed and not failed:
        return NONE_SELECTED
    # Any other exit is a failure too.
    if out.returncode and not failed:
        failed = 1
    return passed, failed


def fuzz(seconds):
    """Builds the key-mapper fuzzer with clang and runs it for `seconds`."""
    build = REPO / "build" / "fuzz"
    ok = run(["cmake", "-S", REPO / "tests" / "fuzz", "-B", build, "-G", "Ninja",
              "-DCMAKE_CXX_COMPILER=clang++", "-DCMAKE_C_COMPILER=clang"]).returncode == 0
    ok = ok and run(["cmake", "--build", build]).returncode == 0
    if ok:
        out = run([build / "key_mapper_fuzz", f"-max_total_time={seconds}", "-print_final_stats=1"],
                  capture_output=True, text=True)
        ok = out.returncode == 0
        # Its progress lines run to thousands; the end says how it went.
        print("\n".join((out.stdout + out.stderr).splitlines()[-12 if ok else -80:]))
    return (1, 0) if ok else (0, 1)


def desktop_layers(keyword, marker):
    """The Win32 tests and the end-to-end scenarios, in wine worlds side by
    side: the scenarios mostly wait on other programs, and two worlds of
    them, with a third for the Win32 tests and then the scenarios under a
    window manager, keep both cores busy."""
    suite = {"TAMGA_SUITE": "1", "TAMGA_BUILD_DIR": str(REPO / "build" / "windows")}
    e2e = [str(REPO / "tests" / "e2e"), *(["-k", keyword] if keyword else [])]

    def scenarios():
        # Each worker makes a wine world of its own; a file's scenarios stay
        # together, sharing what their module sets up.
        env = {**os.environ, **suite}
        return {"e2e": pytest(env, [*e2e, "-n", "2", "--dist", "loadfile", *(["-m", marker] if marker else [])])}

    def win_then_window_manager():
        layers = {}
        with WineSession() as session:
            layers["win"] = ctest(REPO / "build" / "windows", env={**session.env, **suite})
        if not marker:
            # What depends on which window is activated, once more with a
            # window manager managing wine's windows, as on a user's desktop.
            with WineSession(window_manager=True) as session:
                env = {**session.env, **suite, "TAMGA_WINDOW_MANAGER": "1"}
                layers["e2e-wm"] = pytest(env, [*e2e, "-m", "activation"])
            if keyword and layers["e2e-wm"] == NONE_SELECTED:
                del layers["e2e-wm"]  # the chosen scenarios do not depend on activation
        return layers

    with ThreadPoolExecutor() as pool:
        first, second = pool.submit(win_then_window_manager), pool.submit(scenarios)
        return {**first.result(), **second.result()}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--fuzz-seconds", type=int, default=60)
    parser.add_argument("-k", dest="keyword", help="only e2e tests matching this pytest expression")
    parser.add_argument("-m", dest="marker", help="e2e tests by pytest marker, e.g. soak for the endurance runs")
    args = parser.parse_args()

    totals = {}
    # The clang build only shows that the tree builds with a second compiler.
    for preset in ("native", "windows", "windows-clang"):
        if run(["cmake", "--preset", preset]).returncode or run(["cmake", "--build", "--preset", preset]).returncode:
            print(f"build of {preset} failed")
            print("summary: 0 passed, 1 failed")
            return 1
    # The downloads, from the windows build: a release that cannot be made fails the run.
    if run(["cmake", "--build", "--preset", "windows", "--target", "release"]).returncode:
        print("build of the release failed")
        print("summary: 0 passed, 1 failed")
        return 1

    totals["unit"] = ctest(REPO / "build" / "native")
    totals["fuzz"] = fuzz(args.fuzz_seconds)

    totals.update(desktop_layers(args.keyword, args.marker))
    for layer, (p, f) in totals.items():
        if p + f == 0:
            print(f"{layer:>6}: ran no test")
            totals[layer] = (0, 1)
        else:
            print(f"{layer:>6}: {p} passed, {f} failed")
    passed = sum(p for p, _ in totals.values())
    failed = sum(f for _, f in totals.values())
    print(f"took {time.monotonic() - STARTED:.0f} s")
    print(f"summary: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
