import os
import subprocess
import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "harness"))
sys.path.insert(0, str(Path(__file__).resolve().parent))

from desktop import Desktop, install_copy  # noqa: E402
from wine_session import WineSession, wait_for  # noqa: E402


@pytest.fixture(scope="session")
def wine_env():
    # Inside tests/run-all the suite's session may already be running; spread
    # over workers, each makes a world of its own.
    if os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY") and os.environ.get("TAMGA_SUITE") and \
            not os.environ.get("PYTEST_XDIST_WORKER"):
        yield dict(os.environ)
        return
    with WineSession(window_manager=os.environ.get("TAMGA_WINDOW_MANAGER") == "1") as session:
        yield session.env


@pytest.fixture
def desktop(wine_env):
    d = Desktop(wine_env)
    yield d
    d.end_started()


class Palette:
    """The running program as the tests see it."""

    def __init__(self, desktop, process, hwnd):
        self.desktop, self.process, self.hwnd = desktop, process, hwnd

    def info(self):
        return self.desktop.info(self.hwnd)

    def panels(self):
        return self.desktop.children(self.hwnd)

    def visible_buttons(self):
        buttons = []
        for panel in self.panels():
            if panel["visible"]:
                buttons += [b for b in self.desktop.children(panel["hwnd"]) if b["visible"]]
        return buttons

    def click_letter(self, position):
        """Clicks the button of letter `position` (1..16) of the visible panel."""
        button = self.visible_buttons()[position - 1]
        left, top, right, bottom = button["rect"]
        self.desktop.click((left + right) // 2, (top + bottom) // 2)

    def post_command(self, item_id):
        """The menu command, for commands that open a modal window."""
        self.desktop.probe("post", self.hwnd, 0x0111, item_id, 0)

    def command(self, item_id):
        """The menu command, handled before this returns."""
        assert self.desktop.probe("send", self.hwnd, 0x0111, item_id, 0, 5000)[0]["ok"]


ID_KORSITISH1 = 231


WM_CLOSE = 0x0010


@pytest.fixture
def start_palette(desktop, tmp_path):
    """Starts the program; it shows its window, hides into the tray at the
    first tick, and (with `shown`) is brought back by the tray menu's show
    command, as a user would. A program still running at the end is closed as
    a user closes it, so its icon leaves the tray (a killed program's icon
    stays until the tray notices, and moves the others when it goes)."""
    started = []

    def start(hook=install_copy.__defaults__[0], env=None, folder=None, shown=True):
        exe = install_copy(folder or tmp_path / "tamgalik", hook=hook)
        # The pointer rests away from the palette, which comes up at the
        # screen's centre: resting on a letter, it would show the letter's tip.
        desktop.xdotool("mousemove", 1270, 1010)
        # The window shows for half a second before the first tick hides it,
        # less than a probe start takes on a busy machine: the probe is
        # running before the program starts.
        desktop.probe("foreground")
        process = desktop.start(exe, env=env)
        window = wait_for(lambda: (desktop.windows("TForm1", "Tamgalik") or [None])[0], 20, interval=0.01,
                          what="the palette's window")
        palette = Palette(desktop, process, window["hwnd"])
        # Found before it is shown, the window is not yet hidden by the first
        # tick; hidden by it, the program has finished starting. (Its window
        # and tray icon are there before, and a command sent then runs in the
        # middle of the start.)
        wait_for(lambda: (desktop.info(palette.hwnd) or {}).get("visible"), 10, interval=0.01,
                 what="the palette shown at start")
        wait_for(lambda: not palette.info()["visible"], 10, what="the palette hiding into the tray")
        if shown:
            palette.command(ID_KORSITISH1)
            wait_for(lambda: palette.info()["visible"], 10, what="the palette shown again")
        started.append(palette)
        return palette
    yield start
    for palette in started:
        if palette.process.poll() is None:
            palette.desktop.probe("post", palette.hwnd, WM_CLOSE, 0, 0)
            try:
                palette.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass  # the desktop ends it
