"""Other programs as the user has them open beside the palette: started,
placed, given the keyboard, and read back."""

import subprocess
import time
from dataclasses import dataclass

from wine_session import wait_for

# Without a window manager a window given the foreground is raised over the
# always-on-top palette; targets sit beside the palette, as a user keeps them.
TARGET_PLACE = (0, 0, 420, 300)
# The palette samples the focused window of the foreground program every
# 500 ms; nothing outside shows that a sample was taken.
TICK = 0.7


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def settled(read, expected, timeout=5.0):
    """Reads until the value equals `expected` or time is up; returns the last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if value == expected or time.monotonic() > deadline:
            return value
        time.sleep(0.02)


@dataclass
class Target:
    process: subprocess.Popen
    top: int
    focus: int


def open_target(desktop, program, window_class, *args):
    """Starts a program, places it beside the palette, gives it the keyboard
    and lets the palette's tick see it."""
    process = desktop.start(program, *args)
    top = desktop.wait_window(window_class)["hwnd"]
    desktop.probe("move", top, *TARGET_PLACE)
    desktop.focus(top)
    focus = wait_for(lambda: desktop.foreground()["focus"], 10, what="a focused window in the target")
    time.sleep(TICK)
    return Target(process, top, focus)


def open_notepad(desktop):
    return open_target(desktop, "notepad.exe", "Notepad")


def x_window(desktop, title):
    """The X window wine made for a top-level window, for real key presses."""
    found = wait_for(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                            env=desktop.env, capture_output=True, text=True).stdout.split(),
                     10, what=f"X window {title!r}")
    return found[0]


def give_keyboard(desktop, target, title):
    """Moves the X focus, with the foreground, to a target: real key presses
    go to the X window under focus."""
    desktop.focus(target.top)
    desktop.xdotool("windowfocus", "--sync", x_window(desktop, title))


def type_into(desktop, target, title, *xdotool_args):
    """Real key presses into a target."""
    give_keyboard(desktop, target, title)
    desktop.xdotool(*xdotool_args)
