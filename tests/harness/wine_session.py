"""A private wine world for the tests: its own virtual X display, a throwaway
wine prefix made for this session alone, and one persistent wineserver.
Only the processes started here are ended, by id."""

import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

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


class WineSession:
    """With `window_manager`, openbox manages wine's windows (wine's X11
    driver in its default managed mode), as on a user's desktop; without, wine
    places its windows itself and gives new windows the X focus."""

    def __init__(self, width=1280, height=1024, window_manager=False):
        self.width, self.height = width, height
        self.window_manager = window_manager
        self.root = Path(tempfile.mkdtemp(prefix="tamgalik-wine-"))
        self.prefix = self.root / "prefix"
        self.display = None
        self._processes = []

    @property
    def env(self):
        env = dict(os.environ)
        env.update(BASE_ENV)
        env.update({"DISPLAY": f":{self.display}", "WINEPREFIX": str(self.prefix)})
        return env

    def _background(self, *cmd):
        process = subprocess.Popen(cmd, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self._processes.append(process)
        return process

    def start(self):
        self.display = self._start_display()
        if self.window_manager:
            openbox = self._background("openbox", "--sm-disable")
            wait_for(lambda: openbox.poll() is not None or self._window_manager_running(), 20, what="openbox")
            if openbox.poll() is not None:
                raise RuntimeError(f"openbox ended with {openbox.returncode}")
        # A prefix of this run's own, made by wine itself as its first
        # process starts: nothing is taken from an earlier run. The
        # persistent server spares every later wine process its start.
        self.prefix.mkdir()
        self._background("wineserver", "-p", "-f")
        settings = self.root / "settings.reg"
        settings.write_text("REGEDIT4\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n\"ShowCrashDialog\"=dword:00000000\n\n"
                            # Unmanaged, every hide or close would wait 2 s for a window manager.
                            "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"
                            f"\"Managed\"=\"{'Y' if self.window_manager else 'N'}\"\n")
        subprocess.run(["wine", "regedit", "/S", str(settings)], env=self.env, check=True, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def _start_display(self):
        """Xvfb picks a free display number itself and writes it once it
        listens: sessions started side by side never race for one."""
        read, write = os.pipe()
        with os.fdopen(read) as answer:
            try:
                self._processes.append(subprocess.Popen(
                    ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{self.width}x{self.height}x24",
                     "-nolisten", "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            finally:
                os.close(write)
            number = answer.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        return int(number)

    def _window_manager_running(self):
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                             capture_output=True, text=True)
        return "window id" in out.stdout

    def stop(self):
        if self.prefix.exists():
            subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for process in reversed(self._processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(timeout=10)
        self._processes.clear()
        shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        try:
            return self.start()
        except BaseException:
            self.stop()
            raise

    def __exit__(self, *exc):
        self.stop()
