"""The release as written into MIREBORA_RELEASE_DIR: SHA256SUMS matches both packages; the
portable zip holds exactly what dist/ holds, under one folder, with UTF-8 names; the installer's
tables name the product, its version and publisher in Japanese, declare the icon and size for
Programs and Features, put down exactly the files of dist/, and carry the optional and the
uninstall-only parts, with no console program run by a custom action."""

import hashlib
import math
import os
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

VERSION = os.environ["MIREBORA_VERSION"]
RELEASE = Path(os.environ["MIREBORA_RELEASE_DIR"])
DIST = Path(os.environ["MIREBORA_BUILD"]) / "dist"
NAME = "ミレボラ"
INSTALLER = RELEASE / f"Mirebora-{VERSION}-x64.msi"
PORTABLE = RELEASE / f"Mirebora-{VERSION}-x64-portable.zip"
# The zip's flag bit that says its names are UTF-8.
ZIP_UTF8_NAMES = 0x800

failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)


def table(name):
    """The rows of an installer table as msiinfo exports them, by their first column. The
    export runs in a scratch folder, where msiinfo writes the streams of binary columns."""
    with tempfile.TemporaryDirectory() as scratch:
        text = subprocess.run(["msiinfo", "export", INSTALLER, name], check=True, cwd=scratch,
                              capture_output=True, text=True).stdout
    rows = [line.split("\t") for line in text.replace("\r\n", "\n").split("\n")[3:] if line]
    return {row[0]: row for row in rows}


def dist_files():
    return {p.relative_to(DIST).as_posix(): p for p in DIST.rglob("*") if p.is_file()}


def check_sums():
    lines = (RELEASE / "SHA256SUMS").read_text(encoding="utf-8").splitlines()
    listed = dict(reversed(line.split("  ", 1)) for line in lines)
    expect(set(listed) == {INSTALLER.name, PORTABLE.name}, f"SHA256SUMS lists {sorted(listed)}")
    for name, digest in listed.items():
        actual = hashlib.sha256((RELEASE / name).read_bytes()).hexdigest()
        expect(actual == digest, f"SHA256SUMS: {name} has {actual}, listed {digest}")


def check_zip(files):
    with zipfile.ZipFile(PORTABLE) as archive:
        entries = archive.infolist()
        names = {e.filename for e in entries}
        expect(names == {f"{NAME}/{path}" for path in files},
               f"the zip holds {sorted(names)}, dist/ {sorted(files)}")
        for entry in entries:
            expect(entry.flag_bits & ZIP_UTF8_NAMES, f"{entry.filename}: no UTF-8 flag")
            path = entry.filename.split("/", 1)[1]
            if path in files:
                expect(archive.read(entry) == files[path].read_bytes(),
                       f"{entry.filename} differs from dist/")


def check_installer(files):
    properties = {key: row[1] for key, row in table("Property").items()}
    for key, value in (("ProductName", NAME), ("Manufacturer", f"{NAME} developers"),
                       ("ProductVersion", VERSION), ("ALLUSERS", "1")):
        expect(properties.get(key) == value, f"{key} is {properties.get(key)!r}, not {value!r}")
    icon = properties.get("ARPPRODUCTICON")
    expect(icon in table("Icon"), f"ARPPRODUCTICON {icon!r} names no icon of the package")
    kilobytes = math.ceil(sum(p.stat().st_size for p in files.values()) / 1024)
    expect(properties.get("ARPSIZE") == str(kilobytes),
           f"ARPSIZE is {properties.get('ARPSIZE')!r}, the files take {kilobytes} KB")
    for secure in ("SETASCURRENT", "REMOVEUSERSETTINGS"):
        expect(secure in properties.get("SecureCustomProperties", "").split(";"),
               f"{secure} cannot be passed to a per-machine install")

    # Every file of dist/ in its folder under Program Files\ミレボラ, nothing else.
    directories = table("Directory")
    expect(directories["INSTALLDIR"][1:] == ["ProgramFiles64Folder", NAME],
           f"installs into {directories['INSTALLDIR']}")

    def folder_of(directory):
        parent, name = directories[directory][1:]
        return "" if directory == "INSTALLDIR" else f"{folder_of(parent)}{name}/"

    components = table("Component")
    installed = {}
    for key, row in table("File").items():
        path = folder_of(components[row[1]][2]) + row[2]
        installed[path] = row
        expect(path in files and int(row[3]) == files[path].stat().st_size,
               f"the installer puts down {path} ({row[3]} bytes), not as in dist/")
    expect(set(installed) == set(files),
           f"missing from the installer: {set(files) - set(installed)}")
    for program in (f"{NAME}.scr", f"{NAME}.dll"):
        expect(installed.get(program, [""] * 5)[4] == f"{VERSION}.0",
               f"{program} is not versioned {VERSION}.0 in the installer")

    # The optional part and the uninstall-only part.
    saver = components["CurrentSaver"]
    expect(saver[4] == 'SETASCURRENT="1"', f"the screen-saver values are written on {saver[4]!r}")
    registry = {row[3]: row[4] for row in table("Registry").values() if row[5] == "CurrentSaver"}
    expect(registry == {"SCRNSAVE.EXE": "[#HostFile]", "ScreenSaveActive": "1"},
           f"the screen-saver values are {registry}")
    removed = {(row[2], row[3]) for row in table("RemoveFile").values()}
    expected = {(f"{NAME}.ini", "INSTALLDIR"), ("", "CAPTUREDIR"),
                (f"{NAME}.ini", "USERSETTINGSDIR"), ("", "USERSETTINGSDIR")}
    expected |= {(f"Valdorique{i}.bmp", "CAPTUREDIR") for i in range(1, 5)}
    expect(removed == expected, f"uninstall removes {sorted(removed)}")
    expect(properties.get("CAPTUREDIR") == "C:\\k_vusa\\", "the capture folder is not C:\\k_vusa")

    # The registry is written through the installer's own tables and DLL: no custom action
    # starts a console program (reg.exe, cmd.exe) that would flash a window and cannot roll back.
    for action, row in table("CustomAction").items():
        expect(not any(tool in row[3].lower() for tool in ("reg.exe", "cmd.exe")),
               f"the custom action {action} runs {row[3]!r}")


def main():
    files = dist_files()
    expect({f"{NAME}.scr", f"{NAME}.dll", "NOTICE.txt", "guide/index.html"} <= set(files),
           f"dist/ holds {sorted(files)}")
    check_sums()
    check_zip(files)
    check_installer(files)
    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    print(f"{INSTALLER.name}: {INSTALLER.stat().st_size} bytes; "
          f"{PORTABLE.name}: {PORTABLE.stat().st_size} bytes")
    if failures:
        sys.exit(1)
    print("PASS")


if __name__ == "__main__":
    main()
