"""A private wine world for the tests: its own virtual X display, a throwaway
wine prefix copied from a prepared template, and one persistent wineserver.
Only the processes started here are ended, by id."""

import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

TEMPLATE_ROOT = Path(os.environ.get("XDG_CACHE_HOME", Path.home() / ".cache")) / "tamgalik"
# Skip the .NET and HTML engine installers; keep wine quiet.
BASE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}


def wait_for(condition, timeout, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


def free_display():
    for number in range(90, 200):
        if not Path(f"/tmp/.X{number}-lock").exists() and not Path(f"/tmp/.X11-unix/X{number}").exists():
            return number
    raise RuntimeError("no free X display number")


class WineSession:
    def __init__(self, width=1280, height=1024):
        self.width, self.height = width, height
        self.root = Path(tempfile.mkdtemp(prefix="tamgalik-wine-"))
        self.prefix = self.root / "prefix"
        self.display = None
        self._xvfb = None
        self._wineserver = None

    @property
    def env(self):
        env = dict(os.environ)
        env.update(BASE_ENV)
        env.update({"DISPLAY": f":{self.display}", "WINEPREFIX": str(self.prefix)})
        return env

    def start(self):
        self.display = free_display()
        self._xvfb = subprocess.Popen(
            ["Xvfb", f":{self.display}", "-screen", "0", f"{self.width}x{self.height}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: Path(f"/tmp/.X11-unix/X{self.display}").exists(), 20, what="Xvfb")
        template = self._template()
        shutil.copytree(template, self.prefix, symlinks=True)
        self._wineserver = subprocess.Popen(["wineserver", "-p", "-f"], env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The first process in the prefix brings up its services.
        subprocess.run(["wine", "cmd", "/c", "exit"], env=self.env, check=True, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def _template(self):
        version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
        template = TEMPLATE_ROOT / f"prefix-{version}"
        if (template / "system.reg").exists():
            return template
        TEMPLATE_ROOT.mkdir(parents=True, exist_ok=True)
        building = Path(tempfile.mkdtemp(prefix="building-", dir=TEMPLATE_ROOT))
        env = self.env
        env["WINEPREFIX"] = str(building)
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for key, name, value in [
            (r"HKCU\Software\Wine\X11 Driver", "Managed", "N"),   # no 2 s wait on every hide/close
            (r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", "0"),
        ]:
            kind = "REG_DWORD" if name == "ShowCrashDialog" else "REG_SZ"
            subprocess.run(["wine", "reg", "add", key, "/v", name, "/t", kind, "/d", value, "/f"],
                           env=env, check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, timeout=120)
        try:
            building.rename(template)
        except OSError:  # another run made it first
            shutil.rmtree(building, ignore_errors=True)
        return template

    def stop(self):
        if self.display is None:
            return
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for process in (self._wineserver, self._xvfb):
            if process and process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(self.root, ignore_errors=True)
        self.display = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()
