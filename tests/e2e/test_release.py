"""The downloads as a Windows user meets them: the portable zip unpacked and
run; the per-user installer run silently and by hand, over a running copy,
damaged, and aimed at a folder it may not write; the uninstaller taking
everything away again."""

import contextlib
import os
import pwd
import re
import shutil
import struct
import subprocess
import time
import zipfile
from pathlib import Path

import pytest

from desktop import BIN, BUILD, REPO
from targets import TICK, open_notepad, settled, type_into, windows_path
from test_tray import LATIN, shown_picture, tray_icons
from wine_session import wait_for


def project_version():
    found = re.search(r"project\(Tamgalik VERSION (\d+\.\d+\.\d+)", (REPO / "CMakeLists.txt").read_text())
    return found.group(1)


VERSION = project_version()
ZIP = BUILD / "release" / f"tamgalik-{VERSION}-portable.zip"
SETUP = BUILD / "release" / f"tamgalik-{VERSION}-setup.exe"
FIVE_FILES = ["CHANGELOG.md", "LICENSE", "README.md", "tamgahook.dll", "tamgalik.exe"]
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamgalik"
SETUP_TITLE = f"Tamgalik {VERSION} Setup"
EXIT_FOLDER_NOT_WRITABLE, EXIT_BAD_OPTION = 2, 4
WM_CLOSE, WM_COMMAND = 0x0010, 0x0111
ID_KORSITISH1 = 231
LATIN_LETTERS = "ÉéĞğİiŊŋÖöŞşÜüŽž"


# --- what a release carries -----------------------------------------------------

def stamped_versions(exe):
    """The versions written into a program file: the version resource's
    numbers and product string, and the manifest's assembly identity."""
    data = exe.read_bytes()
    fixed = data.index(struct.pack("<I", 0xFEEF04BD))
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, fixed + 8)

    def quad(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    product = re.search("ProductVersion".encode("utf-16-le") + rb"(?:\0\0)+((?:[0-9.]\0)+)\0\0", data)
    manifest = re.search(rb'<assemblyIdentity type="win32" name="Tamgalik" version="([0-9.]+)"', data)
    return {"file": quad(file_ms, file_ls), "product": quad(product_ms, product_ls),
            "product text": product.group(1).decode("utf-16-le"), "manifest": manifest.group(1).decode()}


# --- the user's profile in the test prefix --------------------------------------

class Profile:
    """Where a per-user install lands, as Unix paths into the prefix."""

    def __init__(self, env):
        # Shortcuts in the Start menu must not turn into desktop entries of the machine running the tests.
        self.env = {**env, "WINEDLLOVERRIDES": env.get("WINEDLLOVERRIDES", "") + ";winemenubuilder.exe=d"}
        self.drive_c = Path(env["WINEPREFIX"]) / "drive_c"
        self.users = self.drive_c / "users"
        home = self.users / pwd.getpwuid(os.getuid()).pw_name
        self.install_dir = home / "AppData" / "Local" / "Programs" / "Tamgalik"
        programs = home / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs"
        self.menu_shortcut = programs / "Tamgalik.lnk"
        self.startup_shortcut = programs / "StartUp" / "Tamgalik.lnk"

    def windows_path(self, path):
        return "C:\\" + str(path.relative_to(self.drive_c)).replace("/", "\\")

    def setup(self, *args, program=SETUP):
        return subprocess.run(["wine", str(program), *args], env=self.env, timeout=120,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

    def uninstall(self):
        """The uninstaller hands its work to a copy of itself and returns at
        once; done is when it has taken itself and the entry away."""
        uninstaller = self.install_dir / "uninstall.exe"
        assert subprocess.run(["wine", str(uninstaller), "/S"], env=self.env, timeout=120).returncode == 0
        wait_for(lambda: not uninstaller.exists() and self.entry() is None, 30, what="the uninstaller's end")

    def entry(self):
        """The values of the installed-programs entry, or None without one."""
        out = subprocess.run(["wine", "reg", "query", UNINSTALL_KEY], env=self.env, capture_output=True,
                             text=True, timeout=60)
        if out.returncode:
            return None
        values = {}
        for line in out.stdout.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2] if len(parts) == 3 else ""
        return values

    def snapshot(self):
        """Every file and folder of the prefix's users and every key of HKCU,
        leaving out the temporary folder and wine's own bookkeeping."""
        files = {str(p.relative_to(self.users)) for p in self.users.rglob("*")
                 if "Temp" not in p.relative_to(self.users).parts[1:2]}
        out = subprocess.run(["wine", "reg", "query", "HKCU", "/s"], env=self.env, capture_output=True, text=True,
                             timeout=60).stdout
        keys = {line for line in out.splitlines()
                if line.startswith("HKEY_") and not line.startswith("HKEY_CURRENT_USER\\Software\\Wine")}
        return files, keys


def setup_windows(desktop):
    """The installer's visible dialogs (its title ends in a space)."""
    return [w for w in desktop.visible_windows("#32770") if w["title"].strip() == SETUP_TITLE]


def running_copies(desktop):
    return desktop.windows("TForm1", "Tamgalik")


def close_running_copies(desktop):
    for window in running_copies(desktop):
        desktop.probe("post", window["hwnd"], WM_CLOSE, 0, 0)
    wait_for(lambda: not running_copies(desktop), 10, what="running copies closed")


@pytest.fixture
def profile(wine_env, desktop):
    """A user profile the test may install into; left without Tamgalik."""
    user = Profile(wine_env)
    yield user
    close_running_copies(desktop)
    if (user.install_dir / "uninstall.exe").exists():
        user.uninstall()
    for shortcut in (user.menu_shortcut, user.startup_shortcut):
        shortcut.unlink(missing_ok=True)
    shutil.rmtree(user.install_dir, ignore_errors=True)


def show_palette(desktop, hwnd):
    """Brings the palette back as the tray menu's show command does. Until
    the first tick has hidden it into the tray, a command may come while it
    is still shown from the start and be undone by that tick: the command
    is given again until the palette stays shown over a tick."""
    def visible():
        return desktop.info(hwnd)["visible"]
    for _ in range(3):
        assert desktop.probe("send", hwnd, WM_COMMAND, ID_KORSITISH1, 0, 5000)[0]["ok"]
        if settled(visible, True, timeout=2) and settled(visible, False, timeout=TICK):
            return
    raise AssertionError("the palette does not stay shown")


def check_runs(desktop, hook=False):
    """The program as it starts for a user: its tray icon shows keyboard
    changing on, and the palette comes back from the tray with its sixteen
    letters; with `hook`, a number key typed into notepad gives its letter."""
    window = wait_for(lambda: running_copies(desktop), 20, what="the palette window")[0]
    wait_for(lambda: [shown_picture(desktop, icon) for icon in tray_icons(desktop)] == [LATIN], 10,
             what="one tray icon showing keyboard changing on")
    show_palette(desktop, window["hwnd"])
    latin = desktop.children(window["hwnd"])[0]
    assert "".join(button["title"][0] for button in desktop.children(latin["hwnd"])) == LATIN_LETTERS
    if hook:
        notepad = open_notepad(desktop)
        type_into(desktop, notepad, "Untitled - Notepad", "type", "--delay", "40", "1")
        assert settled(lambda: desktop.text(notepad.focus), "é") == "é"
    return window


@contextlib.contextmanager
def read_only(folder):
    """A folder nobody may write in, root included (the immutable flag)."""
    folder.chmod(0o555)
    as_root = os.geteuid() == 0
    if as_root:
        subprocess.run(["chattr", "+i", str(folder)], check=True)
    try:
        yield folder
    finally:
        if as_root:
            subprocess.run(["chattr", "-i", str(folder)], check=True)
        folder.chmod(0o755)


# --- the portable zip -----------------------------------------------------------

def test_zip_holds_exactly_the_five_files_and_runs_unpacked(desktop, tmp_path):
    with zipfile.ZipFile(ZIP) as archive:
        assert sorted(archive.namelist()) == FIVE_FILES
        archive.extractall(tmp_path / "unpacked")
    exe = tmp_path / "unpacked" / "tamgalik.exe"
    for name in ("tamgalik.exe", "tamgahook.dll"):
        assert (tmp_path / "unpacked" / name).read_bytes() == (BIN / name).read_bytes()
    quad = f"{VERSION}.0"
    assert stamped_versions(exe) == {"file": quad, "product": quad, "product text": VERSION, "manifest": quad}
    process = desktop.start(exe)
    check_runs(desktop)
    close_running_copies(desktop)
    assert process.wait(timeout=10) == 0


# --- the installer and the uninstaller ------------------------------------------

def test_silent_install_runs_from_its_shortcut_and_uninstall_takes_everything(desktop, profile):
    before = profile.snapshot()
    assert profile.setup("/S") == 0
    assert sorted(p.name for p in profile.install_dir.iterdir()) == sorted(FIVE_FILES + ["uninstall.exe"])
    assert (profile.install_dir / "tamgalik.exe").read_bytes() == (BIN / "tamgalik.exe").read_bytes()
    assert profile.menu_shortcut.is_file() and profile.startup_shortcut.is_file()
    folder = profile.windows_path(profile.install_dir)
    entry = profile.entry()
    size_kib = sum(p.stat().st_size for p in profile.install_dir.iterdir()) / 1024
    assert abs(int(entry.pop("EstimatedSize"), 16) - size_kib) <= len(FIVE_FILES) + 1
    assert entry == {
        "DisplayName": "Tamgalik", "DisplayVersion": VERSION, "Publisher": "Tamgalik developers",
        "DisplayIcon": folder + r"\tamgalik.exe,0", "InstallLocation": folder,
        "UninstallString": f'"{folder}\\uninstall.exe"', "QuietUninstallString": f'"{folder}\\uninstall.exe" /S',
        "NoModify": "0x1", "NoRepair": "0x1", "StartWithWindows": "0x1"}

    # As the user starts it: from the Start menu.
    started = desktop.start("start", "/wait", profile.windows_path(profile.menu_shortcut))
    check_runs(desktop, hook=True)

    profile.uninstall()
    assert started.wait(timeout=10) == 0  # closed through its own close step first
    assert not running_copies(desktop)
    after = profile.snapshot()
    assert after[0] == before[0]
    assert after[1] == before[1]


def test_install_over_a_running_copy_replaces_it_and_keeps_the_choices(desktop, profile):
    assert profile.setup("/S", "/STARTUP=0") == 0
    assert profile.menu_shortcut.is_file() and not profile.startup_shortcut.exists()
    exe = profile.install_dir / "tamgalik.exe"
    first = desktop.start(exe)
    old = wait_for(lambda: running_copies(desktop), 20, what="the first copy")[0]
    os.utime(exe, (0, 0))  # tells a replaced file from the one left in place

    started = time.time()
    assert profile.setup("/S") == 0
    assert first.wait(timeout=10) == 0  # its close step ran
    assert exe.stat().st_mtime >= started - 2  # written anew: the installer keeps no file times
    new = check_runs(desktop)
    assert new["pid"] != old["pid"]
    # No /STARTUP this time: the earlier "no" holds.
    assert not profile.startup_shortcut.exists() and profile.entry()["StartWithWindows"] == "0x0"

    assert profile.setup("/S", "/STARTUP=1") == 0
    assert profile.startup_shortcut.is_file() and profile.entry()["StartWithWindows"] == "0x1"
    check_runs(desktop)

    before = profile.snapshot()
    assert profile.setup("/S", "/STARTUP=maybe") == EXIT_BAD_OPTION
    assert profile.snapshot() == before


def test_damaged_or_cut_short_installer_refuses_to_run(desktop, profile, tmp_path):
    data = SETUP.read_bytes()
    cut = tmp_path / "cut-setup.exe"
    cut.write_bytes(data[:len(data) * 2 // 3])
    damaged = bytearray(data)
    damaged[len(data) * 2 // 3] ^= 0x01
    (tmp_path / "damaged-setup.exe").write_bytes(damaged)
    before = profile.snapshot()
    for program in (cut, tmp_path / "damaged-setup.exe"):
        assert profile.setup("/S", program=program) != 0
    assert profile.snapshot() == before

    # Started by hand, it says why.
    process = desktop.start(tmp_path / "damaged-setup.exe", env=profile.env)
    box = desktop.wait_window("#32770")
    texts = [desktop.text(c["hwnd"]) for c in desktop.children(box["hwnd"]) if c["class"] == "Static"]
    assert any("Installer integrity check has failed" in text for text in texts), texts
    desktop.screenshot("setup-damaged")
    ok = [c for c in desktop.children(box["hwnd"]) if c["class"] == "Button"][0]
    desktop.probe("click-button", ok["hwnd"])
    assert process.wait(timeout=10) != 0
    assert profile.snapshot() == before


def test_folder_without_write_access_is_refused_and_left_as_it_was(desktop, profile, tmp_path):
    locked = tmp_path / "locked"
    locked.mkdir()
    (locked / "mine.txt").write_text("the user's own")
    with read_only(locked):
        before = profile.snapshot()
        for folder in (locked, locked / "Tamgalik"):
            assert profile.setup("/S", f"/D={windows_path(folder)}") == EXIT_FOLDER_NOT_WRITABLE
        assert [p.name for p in locked.iterdir()] == ["mine.txt"]
        assert profile.snapshot() == before

        # By hand: the folder page says so and stays open for another choice.
        process = desktop.start(SETUP, f"/D={windows_path(locked / 'Tamgalik')}", env=profile.env)
        page = wait_for(lambda: setup_windows(desktop), 20, what="the folder page")[0]
        buttons = {desktop.text(b["hwnd"]): b["hwnd"] for b in desktop.children(page["hwnd"]) if b["class"] == "Button"}
        desktop.probe("click-button", buttons["&Next >"])
        box = wait_for(lambda: [w for w in setup_windows(desktop) if w["hwnd"] != page["hwnd"]], 10,
                       what="the refusal")[0]
        texts = [desktop.text(c["hwnd"]) for c in desktop.children(box["hwnd"]) if c["class"] == "Static"]
        assert any("you have no permission to write in this folder" in text and "locked" in text for text in texts), texts
        desktop.screenshot("setup-folder-not-writable")
        ok = [c for c in desktop.children(box["hwnd"]) if c["class"] == "Button"][0]
        desktop.probe("click-button", ok["hwnd"])
        wait_for(lambda: [w["hwnd"] for w in setup_windows(desktop)] == [page["hwnd"]], 10, what="back on the folder page")
        desktop.probe("click-button", buttons["Cancel"])
        assert process.wait(timeout=10) == 1  # cancelled by the user
        assert [p.name for p in locked.iterdir()] == ["mine.txt"]
    assert profile.snapshot() == before
