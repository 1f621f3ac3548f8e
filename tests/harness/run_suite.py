"""Builds everything and runs every test layer: native unit tests (with
sanitizers), the fuzzer for a bounded time, the Win32 tests and the
end-to-end scenarios under one wine session. Ends with one summary line."""

import argparse
import re
import subprocess
import sys
import time
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
    out = run([sys.executable, "-m", "pytest", "-q", "-p", "no:cacheprovider", *args], env=env,
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

    suite = {"TAMGA_SUITE": "1", "TAMGA_BUILD_DIR": str(REPO / "build" / "windows")}
    selection = ["-k", args.keyword] if args.keyword else []
    with WineSession() as session:
        env = {**session.env, **suite}
        totals["win"] = ctest(REPO / "build" / "windows", env=env)
        totals["e2e"] = pytest(env, [str(REPO / "tests" / "e2e"), *selection,
                                     *(["-m", args.marker] if args.marker else [])])
    if not args.marker:
        # What depends on which window is activated, once more with a window
        # manager managing wine's windows, as on a user's desktop.
        with WineSession(window_manager=True) as session:
            env = {**session.env, **suite, "TAMGA_WINDOW_MANAGER": "1"}
            totals["e2e-wm"] = pytest(env, [str(REPO / "tests" / "e2e"), "-m", "activation", *selection])
        if args.keyword and totals["e2e-wm"] == NONE_SELECTED:
            del totals["e2e-wm"]  # the chosen scenarios do not depend on activation

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
