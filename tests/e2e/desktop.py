"""What an end-to-end test sees and does on the test desktop: real windows
read through the probe program, real clicks and keys through xdotool."""

import os
import shutil
import subprocess
from pathlib import Path

from probe_session import ProbeSession
from wine_session import wait_for

REPO = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("TAMGA_BUILD_DIR", REPO / "build" / "windows"))
BIN = BUILD / "bin"
PROBE = BUILD / "e2e" / "probe.exe"
SHOTS = Path(os.environ.get("TAMGA_SHOTS_DIR", REPO / "build" / "shots"))


class Desktop:
    def __init__(self, env):
        self.env = env
        self.started = []
        self._probe = None

    # --- reading windows -------------------------------------------------
    def probe(self, *args, timeout=30):
        """The probe's answer lines, from one probe kept running."""
        if self._probe is None:
            self._probe = ProbeSession(PROBE, self.env)
        return self._probe.ask(*args, timeout=timeout)

    def windows(self, cls="", title=""):
        return self.probe("windows", cls, title)

    def visible_windows(self, cls="", title=""):
        return [w for w in self.windows(cls, title) if w["visible"]]

    def info(self, hwnd):
        found = self.probe("info", hwnd)
        return found[0] if found else None

    def children(self, hwnd):
        return self.probe("children", hwnd)

    def text(self, hwnd):
        found = self.probe("text", hwnd)
        return found[0]["text"] if found else None

    def foreground(self):
        return self.probe("foreground")[0]

    def clipboard(self):
        return self.probe("clipboard")[0]

    def wait_window(self, cls="", title="", timeout=20, visible=True):
        def find():
            found = self.visible_windows(cls, title) if visible else self.windows(cls, title)
            return found[0] if found else None
        return wait_for(find, timeout, interval=0.1, what=f"window class={cls!r} title={title!r}")

    # --- acting ----------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=30)

    def click(self, x, y, button=1):
        # No --sync: it stalls when the pointer is already there.
        self.xdotool("mousemove", x, y, "click", button)

    def focus(self, hwnd):
        """Gives the keyboard to a top-level window, for the wine side and for X."""
        self.probe("set-foreground", hwnd)
        wait_for(lambda: self.foreground()["foreground"] == hwnd, 10, what="foreground")

    def screenshot(self, name):
        SHOTS.mkdir(parents=True, exist_ok=True)
        path = SHOTS / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True, timeout=60)
        return path

    # --- programs --------------------------------------------------------
    def start(self, program, *args, cwd=None, env=None):
        process = subprocess.Popen(["wine", str(program), *map(str, args)], cwd=cwd,
                                   env={**self.env, **(env or {})},
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.started.append(process)
        return process

    def end_started(self):
        for process in self.started:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=10)
        self.started.clear()
        if self._probe is not None:
            self._probe.close()
            self._probe = None


def install_copy(destination, hook=BIN / "tamgahook.dll"):
    """A private copy of the program's folder, so a test can vary what lies
    beside the exe."""
    destination.mkdir(parents=True, exist_ok=True)
    shutil.copy2(BIN / "tamgalik.exe", destination / "tamgalik.exe")
    if hook:
        shutil.copy2(hook, destination / "tamgahook.dll")
    return destination / "tamgalik.exe"
