#!/usr/bin/env python3
"""Makes the downloads from the built program: the portable zip, the per-user
installer, SHA256SUMS and the winget manifests, the same bytes for the same
sources. With --sign, the program, its hook library, the uninstaller and the
installer are Authenticode-signed (SHA-256, osslsigncode) with the
certificate the environment names:

  TAMGALIK_SIGN_PFX             the PKCS#12 file holding the certificate and key
  TAMGALIK_SIGN_PASSWORD        its password
  TAMGALIK_SIGN_TIMESTAMP_URL   optional: an RFC 3161 time-stamp server

Everything is made in a folder beside the output and put in its place only
when complete: a run that fails leaves no downloads at all.

  make_downloads.py make --out DIR --version V --epoch SECONDS --program EXE
                         --hook DLL --source-dir DIR --url URL [--sign]
  make_downloads.py check-signing   the signing settings, checked before a build
  make_downloads.py sign FILE       signs FILE in place (the installer build's
                                    step for the uninstaller)
"""

import argparse
import hashlib
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

PRODUCT = "Tamgalik"
PUBLISHER = "Tamgalik developers"
# The installer's uninstall entry is named after the product (UNINSTALL_KEY in tamgalik.nsi).
PRODUCT_CODE = PRODUCT
PACKAGE_ID = "Tamgalik.Tamgalik"
# The newest winget manifest schema the package repository's validation accepts.
WINGET_SCHEMA = "1.12.0"
DOCUMENTS = ["README.md", "LICENSE", "CHANGELOG.md"]
NSI = Path(__file__).resolve().with_name("tamgalik.nsi")
SIGN_VARIABLES = ["TAMGALIK_SIGN_PFX", "TAMGALIK_SIGN_PASSWORD", "TAMGALIK_SIGN_TIMESTAMP_URL"]
# A zip entry's time is a DOS time: 1980 to 2107, in steps of two seconds.
DOS_TIME_RANGE = (315532800, 4354819198)
# What Windows gives a new file; zipfile would put Unix permissions for none.
FILE_ATTRIBUTE_ARCHIVE = 0x20


class Refused(Exception):
    """A failure to report in one clear sentence, without a traceback."""


def download_names(version):
    return f"tamgalik-{version}-portable.zip", f"tamgalik-{version}-setup.exe"


# --- signing --------------------------------------------------------------------

def signing_asked():
    return any(os.environ.get(name) for name in SIGN_VARIABLES)


def check_signing():
    """The certificate to sign with, once the settings are complete."""
    pfx = os.environ.get("TAMGALIK_SIGN_PFX", "")
    if not pfx:
        given = " and ".join(name for name in SIGN_VARIABLES if os.environ.get(name))
        raise Refused(f"{given} set, but not TAMGALIK_SIGN_PFX: name the PKCS#12 file to sign with, "
                      "or unset the signing settings for unsigned downloads")
    if "TAMGALIK_SIGN_PASSWORD" not in os.environ:
        raise Refused(f"TAMGALIK_SIGN_PASSWORD is not set: the password of {pfx}")
    if not Path(pfx).is_file():
        raise Refused(f"TAMGALIK_SIGN_PFX names no file: {pfx}")
    if not shutil.which("osslsigncode"):
        raise Refused("osslsigncode is not installed (tools/install-deps installs it)")
    return pfx


def sign(path):
    """Signs a program file in place; the file is left as it was when
    signing fails. The password goes to osslsigncode through a pipe, not its
    command line, where other users could read it."""
    pfx = check_signing()
    signed = path.with_name(path.name + ".signing")
    command = ["osslsigncode", "sign", "-pkcs12", pfx, "-readpass", "-", "-h", "sha256", "-n", PRODUCT]
    if os.environ.get("TAMGALIK_SIGN_TIMESTAMP_URL"):
        command += ["-ts", os.environ["TAMGALIK_SIGN_TIMESTAMP_URL"]]
    done = subprocess.run(command + ["-in", str(path), "-out", str(signed)], capture_output=True, text=True,
                          input=os.environ["TAMGALIK_SIGN_PASSWORD"])
    if done.returncode:
        signed.unlink(missing_ok=True)
        said = (done.stderr.strip().splitlines() or ["no reason given"])[0]
        if "PKCS#12" in said or "password" in said.lower():
            raise Refused(f"cannot read the certificate {pfx}: wrong TAMGALIK_SIGN_PASSWORD, "
                          f"or not a PKCS#12 file with a key (osslsigncode: {said})")
        raise Refused(f"cannot sign {path.name} (osslsigncode: {said})")
    os.replace(signed, path)


# --- the downloads --------------------------------------------------------------

def write_zip(path, files, epoch):
    """The files at the top of the archive, in the order given, each with
    the commit's time and no owner, mode or other per-machine field."""
    stamp = time.gmtime(min(max(epoch, DOS_TIME_RANGE[0]), DOS_TIME_RANGE[1]))[:6]
    with zipfile.ZipFile(path, "w") as archive:
        for file in files:
            entry = zipfile.ZipInfo(file.name, date_time=stamp)
            entry.create_system = 0  # Windows terms: no Unix owner or mode
            entry.external_attr = FILE_ATTRIBUTE_ARCHIVE
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, file.read_bytes(), compresslevel=9)


def make_installer(path, program, hook, version, source_dir, signed):
    command = ["makensis", "-V2", "-WX", f"-DVERSION={version}", f"-DVERSION_QUAD={version}.0",
               f"-DPROGRAM={program}", f"-DHOOK={hook}", f"-DSOURCE_DIR={source_dir}", f"-DOUT_FILE={path}"]
    if signed:
        # makensis runs this on the uninstaller before packing it.
        command.append(f"-DSIGN_COMMAND={shlex.join([sys.executable, str(Path(__file__).resolve()), 'sign'])}")
    if subprocess.run(command + [str(NSI)]).returncode:
        raise Refused(f"makensis could not make {path.name}")


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def winget_manifests(folder, version, setup, url):
    """The version, installer and default-locale manifests for the Windows
    Package Manager, as its package repository takes them."""
    address = url.replace("{version}", version).rstrip("/") + "/" + setup.name
    if not address.startswith(("https://", "http://")):
        raise Refused(f"the download address must start with https:// or http://, not {address!r}")
    common = f"PackageIdentifier: {PACKAGE_ID}\nPackageVersion: {version}\n"

    def write(kind, suffix, body):
        text = (f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json\n"
                f"{common}{body}ManifestType: {kind}\nManifestVersion: {WINGET_SCHEMA}\n")
        (folder / f"{PACKAGE_ID}{suffix}.yaml").write_text(text, encoding="utf-8")

    write("version", "", "DefaultLocale: en-US\n")
    write("installer", ".installer", f"""\
InstallerType: nullsoft
Scope: user
InstallModes:
- interactive
- silent
- silentWithProgress
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
  InstallLocation: /D=<INSTALLPATH>
UpgradeBehavior: install
ProductCode: {PRODUCT_CODE}
AppsAndFeaturesEntries:
- DisplayName: {PRODUCT}
  Publisher: {PUBLISHER}
  DisplayVersion: {version}
  ProductCode: {PRODUCT_CODE}
Installers:
- Architecture: x64
  InstallerUrl: {address}
  InstallerSha256: {sha256(setup).upper()}
""")
    write("defaultLocale", ".locale.en-US", f"""\
PackageLocale: en-US
Publisher: {PUBLISHER}
PackageName: {PRODUCT}
License: MIT
ShortDescription: An always-on-top palette of the Uyghur letters an ordinary keyboard lacks, with a keyboard hook that types them.
Tags:
- keyboard
- uyghur
""")


def make(args):
    signed = args.sign
    if signed:
        check_signing()
    out = args.out.resolve()
    stage = out.with_name(out.name + ".partial")
    for folder in (out, stage):
        shutil.rmtree(folder, ignore_errors=True)
    stage.mkdir(parents=True)
    try:
        with tempfile.TemporaryDirectory(dir=out.parent) as scratch:
            binaries = []
            for built in (args.program, args.hook):
                copy = Path(scratch) / built.name
                shutil.copyfile(built, copy)
                if signed:
                    sign(copy)
                binaries.append(copy)
            zip_name, setup_name = download_names(args.version)
            write_zip(stage / zip_name, binaries + [args.source_dir / name for name in DOCUMENTS], args.epoch)
            make_installer(stage / setup_name, *binaries, args.version, args.source_dir, signed)
            if signed:
                sign(stage / setup_name)
        sums = "".join(f"{sha256(stage / name)}  {name}\n" for name in sorted((zip_name, setup_name)))
        (stage / "SHA256SUMS").write_text(sums)
        (stage / "winget").mkdir()
        winget_manifests(stage / "winget", args.version, stage / setup_name, args.url)
        stage.rename(out)
    except BaseException:
        shutil.rmtree(stage, ignore_errors=True)
        raise


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    build = commands.add_parser("make")
    build.add_argument("--out", type=Path, required=True)
    build.add_argument("--version", required=True)
    build.add_argument("--epoch", type=int, required=True)
    build.add_argument("--program", type=Path, required=True)
    build.add_argument("--hook", type=Path, required=True)
    build.add_argument("--source-dir", type=Path, required=True)
    build.add_argument("--url", required=True)
    build.add_argument("--sign", action="store_true")
    commands.add_parser("check-signing")
    signing = commands.add_parser("sign")
    signing.add_argument("file", type=Path)
    args = parser.parse_args()
    try:
        if args.command == "make":
            make(args)
        elif args.command == "check-signing":
            if signing_asked():
                check_signing()
        else:
            sign(args.file)
    except Refused as refusal:
        print(f"{parser.prog}: {refusal}", file=sys.stderr)
        if args.command == "make":
            print(f"{parser.prog}: no downloads were made in {args.out}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
