"""Downloads anyone can check: a second build of the same sources in other
folders gives the same bytes; SHA256SUMS and the winget manifest match the
files; a release signed with a throwaway certificate verifies, the
uninstaller included, and still installs and runs; a bad certificate leaves
no signed downloads."""

import hashlib
import os
import shutil
import struct
import subprocess
import time
import zipfile
from pathlib import Path

import pytest
import yaml

from desktop import BIN, BUILD, REPO
from test_release import FIVE_FILES, UNINSTALL_KEY, VERSION, check_runs, close_running_copies
from test_release import profile  # noqa: F401  (the fixture: a profile to install into)

NAMES = [f"tamgalik-{VERSION}-portable.zip", f"tamgalik-{VERSION}-setup.exe"]
SIGNED = REPO / "build" / "windows" / "release-signed"  # where tools/release puts them
PASSWORD = "throwaway password"


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def commit_time():
    """The time the build stamps by default: the checked-out commit's."""
    out = subprocess.run(["git", "log", "-1", "--format=%ct"], cwd=REPO, capture_output=True, text=True)
    return int(out.stdout) if out.returncode == 0 and out.stdout.strip() else 0


def pe_time_stamp(path):
    data = path.read_bytes()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<I", data, header + 8)[0]


def check_sums_and_manifest(folder):
    """SHA256SUMS names both downloads with their hashes, and the winget
    manifests describe the installer beside them as it installs."""
    sums = dict(reversed(line.split("  ")) for line in (folder / "SHA256SUMS").read_text().splitlines())
    assert sums == {name: sha256(folder / name) for name in NAMES}
    manifests = {path.name: yaml.safe_load(path.read_text()) for path in (folder / "winget").iterdir()}
    version = manifests["Tamgalik.Tamgalik.yaml"]
    installer = manifests["Tamgalik.Tamgalik.installer.yaml"]
    locale = manifests["Tamgalik.Tamgalik.locale.en-US.yaml"]
    assert {m["PackageIdentifier"] for m in manifests.values()} == {"Tamgalik.Tamgalik"}
    assert {m["PackageVersion"] for m in manifests.values()} == {VERSION}
    assert len({m["ManifestVersion"] for m in manifests.values()}) == 1
    assert [version["ManifestType"], installer["ManifestType"], locale["ManifestType"]] == \
        ["version", "installer", "defaultLocale"]
    assert version["DefaultLocale"] == locale["PackageLocale"] == "en-US"
    [setup] = installer["Installers"]
    assert setup["InstallerSha256"] == sha256(folder / NAMES[1]).upper()
    assert setup["InstallerUrl"].startswith("https://") and setup["InstallerUrl"].endswith("/" + NAMES[1])
    assert (installer["InstallerType"], installer["Scope"]) == ("nullsoft", "user")
    assert installer["InstallerSwitches"]["Silent"] == installer["InstallerSwitches"]["SilentWithProgress"] == "/S"
    return installer


def test_a_second_build_elsewhere_gives_the_same_bytes(tmp_path):
    """The sources copied to another folder (fresh file times, no history)
    and built by tools/release there, with the suite's build's time: the
    program, the hook library, both downloads, SHA256SUMS and the manifests
    are the same bytes."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=REPO,
                            capture_output=True, check=True).stdout.decode().split("\0")
    copy = tmp_path / "a-second-checkout-of-tamgalik"
    for name in filter(None, listed):
        if (REPO / name).is_file():
            (copy / name).parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(REPO / name, copy / name)
            shutil.copymode(REPO / name, copy / name)
    epoch = commit_time()
    built = subprocess.run([copy / "tools" / "release"], env={**os.environ, "SOURCE_DATE_EPOCH": str(epoch)},
                           capture_output=True, text=True)
    assert built.returncode == 0, built.stdout[-3000:] + built.stderr[-3000:]
    other = copy / "build" / "windows"

    for name in ("tamgalik.exe", "tamgahook.dll"):
        assert pe_time_stamp(BIN / name) == epoch
    ours = sorted(p.relative_to(BUILD) for p in (BUILD / "release").rglob("*") if p.is_file())
    theirs = sorted(p.relative_to(other) for p in (other / "release").rglob("*") if p.is_file())
    assert ours == theirs
    files = [Path("bin/tamgalik.exe"), Path("bin/tamgahook.dll")] + ours
    assert [str(name) for name in files if sha256(other / name) != sha256(BUILD / name)] == []
    with zipfile.ZipFile(BUILD / "release" / NAMES[0]) as archive:
        entries = archive.infolist()
    assert [e.filename for e in entries] == ["tamgalik.exe", "tamgahook.dll", "README.md", "LICENSE", "CHANGELOG.md"]
    stamp = time.gmtime(max(epoch, 315532800))  # zip times start in 1980, in steps of two seconds
    assert {(e.date_time, e.create_system, e.external_attr, e.extra) for e in entries} == \
        {(stamp[:5] + (stamp[5] // 2 * 2,), 0, 0x20, b"")}  # made on Windows terms, an ordinary file


def test_checksums_and_manifest_match_the_downloads():
    check_sums_and_manifest(BUILD / "release")


# --- signed ---------------------------------------------------------------------

def release(**settings):
    """tools/release with signing settings; its exit and what it said."""
    env = {k: v for k, v in os.environ.items() if not k.startswith("TAMGALIK_SIGN_")}
    done = subprocess.run([REPO / "tools" / "release"], env={**env, **settings}, capture_output=True, text=True)
    return done.returncode, done.stdout + done.stderr


@pytest.fixture(scope="module")
def certificate(tmp_path_factory):
    """A throwaway self-signed code-signing certificate: (pfx, pem)."""
    folder = tmp_path_factory.mktemp("certificate")
    key, pem, pfx = folder / "key.pem", folder / "cert.pem", folder / "cert.pfx"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", pem,
                    "-days", "2", "-subj", "/CN=Tamgalik test signer", "-addext", "extendedKeyUsage=codeSigning",
                    "-addext", "keyUsage=digitalSignature"], check=True, capture_output=True)
    subprocess.run(["openssl", "pkcs12", "-export", "-inkey", key, "-in", pem, "-out", pfx,
                    "-passout", f"pass:{PASSWORD}"], check=True, capture_output=True)
    return pfx, pem


@pytest.fixture
def signed_release(certificate):
    pfx, _ = certificate
    code, said = release(TAMGALIK_SIGN_PFX=str(pfx), TAMGALIK_SIGN_PASSWORD=PASSWORD)
    assert code == 0, said[-3000:]
    assert str(SIGNED.relative_to(REPO) / NAMES[1]) in said
    return SIGNED


def verify(path, pem):
    done = subprocess.run(["osslsigncode", "verify", "-CAfile", pem, "-in", path], capture_output=True, text=True)
    assert done.returncode == 0 and "Signature verification: ok" in done.stdout, done.stdout + done.stderr


def test_signed_release_verifies_installs_and_runs(desktop, profile, certificate, signed_release, tmp_path):
    _, pem = certificate
    installer = check_sums_and_manifest(signed_release)
    setup = signed_release / NAMES[1]
    verify(setup, pem)
    with zipfile.ZipFile(signed_release / NAMES[0]) as archive:
        assert sorted(archive.namelist()) == FIVE_FILES
        archive.extractall(tmp_path / "unpacked")
    for name in ("tamgalik.exe", "tamgahook.dll"):
        verify(tmp_path / "unpacked" / name, pem)
        # Signed, it is the reproducible build and a signature, nothing else.
        stripped = tmp_path / f"stripped-{name}"
        subprocess.run(["osslsigncode", "remove-signature", "-in", tmp_path / "unpacked" / name, "-out", stripped],
                       check=True, capture_output=True)
        assert stripped.read_bytes() == (BIN / name).read_bytes()

    assert profile.setup("/S", program=setup) == 0
    for name in ("tamgalik.exe", "tamgahook.dll", "uninstall.exe"):
        verify(profile.install_dir / name, pem)
    # winget finds the installed package by the uninstall entry the installer writes.
    entry = profile.entry()
    assert UNINSTALL_KEY.endswith("\\" + installer["ProductCode"])
    [listed] = installer["AppsAndFeaturesEntries"]
    assert listed == {"DisplayName": entry["DisplayName"], "Publisher": entry["Publisher"],
                      "DisplayVersion": entry["DisplayVersion"], "ProductCode": installer["ProductCode"]}
    desktop.start(profile.install_dir / "tamgalik.exe")
    check_runs(desktop)
    close_running_copies(desktop)


def test_a_bad_certificate_stops_the_release_and_leaves_no_signed_downloads(certificate, signed_release, tmp_path):
    pfx, _ = certificate
    code, said = release(TAMGALIK_SIGN_PFX=str(pfx), TAMGALIK_SIGN_PASSWORD="not the password")
    assert code != 0
    assert "wrong TAMGALIK_SIGN_PASSWORD" in said
    assert not SIGNED.exists() and not SIGNED.with_name(SIGNED.name + ".partial").exists()

    code, said = release(TAMGALIK_SIGN_PFX=str(tmp_path / "missing.pfx"), TAMGALIK_SIGN_PASSWORD=PASSWORD)
    assert code != 0 and "TAMGALIK_SIGN_PFX names no file" in said
    code, said = release(TAMGALIK_SIGN_PASSWORD=PASSWORD)
    assert code != 0 and "not TAMGALIK_SIGN_PFX" in said
    assert not SIGNED.exists()
