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

WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_TABSTOP = 0xC00000, 0x80000, 0x20000, 0x10000, 0x10000
DS_MODALFRAME, LBS_SORT, LBS_OWNERDRAW_STRINGS = 0x80, 0x02, 0x50
SYNTAX_HELP = r"SELECT <columns>\r\nFROM <table>\r\n[WHERE  <search condition>]\r\n[ORDER BY <columns>\r\n[ASC | DESC]]"
# Per dialog: caption, size, font, the first tab stop, and the controls in tab order as windres names them.
DIALOGS = {
    1000: ("Halvane SQL Query Builder - SELECT SQL Query", "400, 266", '8, "MS Sans Serif"', "1003",
           f"LTEXT 1000 'Syntax:', LTEXT 1001 '{SYNTAX_HELP}', LTEXT 1002 'SQL statement preview', "
           "CONTROL EDIT 1003, CONTROL STATIC -1, LTEXT 1004 'SELECT', CONTROL LISTBOX 1005, LTEXT 1006 'FROM', "
           "CONTROL COMBOBOX 1007, LTEXT 1009 'WHERE', CONTROL BUTTON 1010, CONTROL SYSLISTVIEW32 1008, "
           "PUSHBUTTON 1016 '+', PUSHBUTTON 1018 '-', LTEXT 1012 'ORDER BY', CONTROL BUTTON 1013, "
           "CONTROL SYSLISTVIEW32 1011, PUSHBUTTON 1014, PUSHBUTTON 1015, DEFPUSHBUTTON 1 'OK', PUSHBUTTON 2 'Cancel'"),
    288: ("When Printed variable", "186, 78", '8, "MS Shell Dlg"', "1",
          "DEFPUSHBUTTON 1 'OK', PUSHBUTTON 2 'Cancel', CONTROL COMBOBOX 2279, CONTROL EDIT 2260, "
          "LTEXT -1 'Default value', LTEXT -1 'User Prompt'"),
}
ICON_SIZES = {1001: [32], 1005: [32, 16], 1006: [32], 1007: [32]}
VERSION_STRINGS = {"CompanyName": "Halvane", "FileDescription": "Halvane SQL Query Builder",
                   "InternalName": "Quervix.dll", "OriginalFilename": "Quervix.dll", "ProductName": "Quervix"}


def check_image(headers, path, arch, host_program):
    machine, size, name = re.search(r"file format pei-(\S+)", headers).group(1), os.path.getsize(path), os.path.basename(path)
    problems = [] if machine == arch else [f"machine is {machine}, expected {arch}"]
    if (re.search(r"^\tDLL$", headers, re.M) is not None) == host_program:
        problems.append("is a DLL, expected a program" if host_program else "is a program, expected a DLL")
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
    for number, (caption, size, font, first_stop_wanted, controls) in DIALOGS.items():
        dialog = re.search(rf'^{number} DIALOGEX 0, 0, (.+)\nSTYLE (\S+)\n(?:CAPTION "(.+)"\n)?FONT (.+)\nBEGIN\n((?s:.*?))^END',
                           rc, re.M)
        if not dialog:
            problems.append(f"dialog {number} is missing")
            continue
        style = int(dialog.group(2), 16)
        found, first_stop = [], None
        for line in dialog.group(5).splitlines():
            kind, text, ident, rest = re.match(r'\s*(\w+) (?:"((?:[^"]|"")*)", )?(-?\d+), (.*)', line).groups()
            fields = rest.split(", ")
            control_style = int(fields[1] if kind == "CONTROL" else fields[-1], 16)
            kind += f" {fields[0].strip(chr(34))}" if kind == "CONTROL" else ""
            found.append(f"{kind} {ident}" + (f" '{text}'" if text else ""))
            first_stop = first_stop or (control_style & WS_TABSTOP and ident)
            if "LISTBOX" in kind and (control_style & LBS_SORT or control_style & 0x50 != LBS_OWNERDRAW_STRINGS):
                problems.append(f"column list style {control_style:#x}: must be owner-drawn with strings, unsorted")
        if dialog.group(3) != caption or dialog.group(1) != size or dialog.group(4) != font:
            problems.append(f"dialog {number}: caption '{dialog.group(3)}', size {dialog.group(1)}, font {dialog.group(4)}")
        if style & (WS_CAPTION | WS_SYSMENU | DS_MODALFRAME) != WS_CAPTION | WS_SYSMENU | DS_MODALFRAME:
            problems.append(f"dialog {number}: style {style:#x} lacks the modal frame, caption or system menu")
        if style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX):
            problems.append(f"dialog {number} has a minimise or maximise box")
        if ", ".join(found) != controls:
            problems.append(f"dialog {number}: controls in tab order are {', '.join(found)}")
        if first_stop != first_stop_wanted:
            problems.append(f"dialog {number}: the first tab stop is {first_stop}, expected {first_stop_wanted}")
    return problems


def check_icons(rc):
    problems = []
    for number, sizes in ICON_SIZES.items():
        group = re.search(rf"^{number} 14 /\* RT_GROUP_ICON \*/\nBEGIN\n(.*?)^END", rc, re.M | re.S)
        entries = re.findall(r'"\\(\d+)\\(\d+)\\\d+\\\d+", 1, (\d+)', group.group(1)) if group else []
        entries = [(int(width, 8), int(height, 8), int(bits)) for width, height, bits in entries]
        if entries != [(size, size, 4) for size in sizes]:
            problems.append(f"group icon {number} lists {entries} (width, height, bits), expected {sizes} square at 4 bits")
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
    problems += [] if "<description>" in xml else ["manifest has no description"]
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
