#!/usr/bin/env python3
"""check_quervix.py [--version V] DLL {i386,x86-64}: the library's machine, size, exports, imports and
resources (version V, default 1.0.0.0); check_quervix.py --exe EXE {i386,x86-64}: a host's machine and
imports (and no link to the DLL). Reads the image through binutils (objdump -p; windres for the
resources) and prints each problem found. Exit 0 when all hold, 1 when any fails, 2 for no PE image."""
import os
import re
import subprocess
import sys

EXPECTED_EXPORTS = {1: "CreateSELECTSQLQueryDlg", 2: "GetSELECTSQLQuery"}
# Only DLLs that every Windows has: the C and C++ runtimes and threads are linked statically.
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll", "advapi32.dll"}
MANIFEST_ARCH = {"i386": "x86", "x86-64": "amd64"}
TOOLS = "x86_64-w64-mingw32-"  # its binutils read 32-bit images as well
# The DLL as shipped (stripped): the C++ runtime linked in must stay a small part of it.
MAX_DLL_BYTES = 256 * 1024

WS_MINIMIZEBOX, WS_MAXIMIZEBOX, FRAME = 0x20000, 0x10000, 0xC00000 | 0x80000 | 0x80  # caption, system menu, modal frame
# Per dialog: caption, size and font. Their controls and tab order are proven by driving the dialogs
# (tests/ui/dll), which read the same templates.
DIALOGS = {1000: ("Halvane SQL Query Builder - SELECT SQL Query", "400, 266", '8, "MS Sans Serif"'),
           288: ("When Printed variable", "186, 78", '8, "MS Shell Dlg"')}
ICON_SIZES = {1001: [32, 48, 64], 1005: [32, 16, 48, 64], 1006: [32, 48, 64], 1007: [32, 48, 64]}
VERSION_STRINGS = {"CompanyName": "Halvane", "FileDescription": "Halvane SQL Query Builder",
                   "InternalName": "Quervix.dll", "OriginalFilename": "Quervix.dll", "ProductName": "Quervix"}


def check_image(headers, path, arch, host_program):
    machine, size, name = re.search(r"file format pei-(\S+)", headers).group(1), os.path.getsize(path), os.path.basename(path)
    problems = [] if machine == arch else [f"machine is {machine}, expected {arch}"]
    if not host_program and name != "Quervix.dll":
        problems.append(f"file is named {name}, but hosts load Quervix.dll")
    if not host_program and size > MAX_DLL_BYTES:
        problems.append(f"file is {size:,} bytes, more than the {MAX_DLL_BYTES // 1024} KB allowed")
    return problems


def check_imports(headers):
    dlls = re.findall(r"DLL Name: (\S+)", headers)
    problems = [f"imports {dll}, which is not a system DLL on the allowed list" if dll.lower() != "quervix.dll"
                else f"imports {dll}: a host must load it with LoadLibrary" for dll in dlls
                if dll.lower() not in ALLOWED_IMPORTS]
    return problems + ([] if dlls else ["imports nothing at all: not a normally linked image"])


def check_exports(headers):
    name = re.search(r"^Name\s+\S+ (\S+)", headers, re.M)
    base = int(re.search(r"Ordinal Base\s+(\d+)", headers).group(1)) if name else 0
    table = headers.partition("[Ordinal/Name Pointer] Table")[2].split("\n\n")[0]
    found = {int(ordinal) + base: export for ordinal, export in re.findall(r"\[\s*(\d+)\] (\S+)", table)}
    problems = [] if name and name.group(1) == "Quervix.dll" else ["the export table does not name Quervix.dll"]
    if found != EXPECTED_EXPORTS:
        problems.append(f"exports (by ordinal) are {found}, expected {EXPECTED_EXPORTS}")
    return problems + (["an export is forwarded"] if "Forwarder RVA" in headers else [])


def check_dialogs(rc):
    problems = []
    for number, wanted in DIALOGS.items():
        dialog = re.search(rf'^{number} DIALOGEX 0, 0, (.+)\nSTYLE (\S+)\n(?:CAPTION "(.+)"\n)?FONT (.+)\n', rc, re.M)
        if not dialog:
            problems.append(f"dialog {number} is missing")
            continue
        style, found = int(dialog.group(2), 16), (dialog.group(3), dialog.group(1), dialog.group(4))
        if found != wanted:
            problems.append(f"dialog {number}: caption '{found[0]}', size {found[1]}, font {found[2]}")
        if style & (FRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX) != FRAME:
            problems.append(f"dialog {number}: style {style:#x}, not a modal frame with a caption and system menu, "
                            "no minimise or maximise box")
    return problems


def check_icons(rc):
    problems = []
    for number, sizes in ICON_SIZES.items():
        group = re.search(rf"^{number} 14 /\* RT_GROUP_ICON \*/\nBEGIN\n(.*?)^END", rc, re.M | re.S)
        entries = re.findall(r'"\\(\d+)\\(\d+)\\\d+\\\d+", 1, (\d+)', group.group(1)) if group else []
        entries = [(int(width, 8), int(height, 8), int(bits)) for width, height, bits in entries]
        if entries != [(size, size, 4 if size <= 32 else 32) for size in sizes]:
            problems.append(f"group icon {number} lists {entries} (width, height, bits), expected {sizes} square, "
                            "at 4 bits up to 32 pixels and as 32-bit PNG above")
    return problems


def check_version(rc, version):
    record = re.search(r"^1 VERSIONINFO\n(.*?)^END", rc, re.M | re.S)
    if not record:
        return ["version record 1 is missing"]
    text = record.group(1)
    problems = [f"fixed {field} is {found}, expected {version}" for field, found in
                re.findall(r"^ (FILEVERSION|PRODUCTVERSION) (.*)", text, re.M) if found.replace(", ", ".") != version]
    problems += [] if "FILETYPE 0x2\n" in text else ["file type is not 2 (a DLL)"]
    strings = dict(re.findall(r'VALUE "(\w+)", "(.*)"', text))
    return problems + [f"{name} is {strings.get(name)!r}, expected {value!r}" for name, value in
                       dict(VERSION_STRINGS, FileVersion=version, ProductVersion=version).items() if strings.get(name) != value]


def check_manifest(rc, arch, version):
    manifest = re.search(r"^2 24 /\* RT_MANIFEST \*/\nBEGIN\n(.*?)^END", rc, re.M | re.S)
    if not manifest:
        return ["manifest 2 (the DLL's own activation context) is missing"]
    xml = manifest.group(1).replace('""', '"')
    identity = f'<assemblyIdentity type="win32" name="Halvane.Quervix" version="{version}" ' \
               f'processorArchitecture="{MANIFEST_ARCH[arch]}"/>'
    problems = [] if identity in xml else [f"no {identity}"]
    return problems + (["manifest depends on common controls 6"] if "common-controls" in xml.lower() else [])


def main(args):
    version = args.pop(1) and args.pop(1) if args[1:2] == ["--version"] else "1.0.0.0"
    host_program = args[1:2] == ["--exe"] and bool(args.pop(1))
    if len(args) != 3 or args[2] not in MANIFEST_ARCH or not re.fullmatch(r"\d+\.\d+\.\d+\.\d+", version):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    path, arch = args[1:]
    dump = subprocess.run([TOOLS + "objdump", "-p", path], capture_output=True, text=True)
    if dump.returncode or "file format pei-" not in dump.stdout:
        print(f"check_quervix: {path}: not a PE image: {dump.stderr.strip()}", file=sys.stderr)
        return 2
    headers = dump.stdout
    checks = {"image": check_image(headers, path, arch, host_program), "imports": check_imports(headers)}
    if not host_program:
        rc = subprocess.run([TOOLS + "windres", "-i", path, "-O", "rc"], capture_output=True, text=True).stdout
        checks.update({"exports": check_exports(headers), "dialogs": check_dialogs(rc), "button icons": check_icons(rc),
                       "version record": check_version(rc, version), "manifest": check_manifest(rc, arch, version)})
    failed = 0
    for title, problems in checks.items():
        print(f"{'FAIL' if problems else 'ok  '} {title}" + "".join(f"\n       {problem}" for problem in problems))
        failed += bool(problems)
    print(f"check_quervix: {path} ({arch}): {len(checks)} checks, {'all hold' if not failed else f'{failed} FAILED'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
