#!/usr/bin/env python3
"""check_quervix.py: static checks of a built Quervix.dll, or of a host program that loads it.

    check_quervix.py [--version V] DLL {i386,x86-64}   the library: machine, size, exports, imports,
                                                       resources (version V, default 1.0.0.0)
    check_quervix.py --exe EXE {i386,x86-64}           a host: machine and imports (and no link to the DLL)

Every check runs and reports what it found against what was expected. Exit status: 0 when all
hold, 1 when any fails, 2 when the file cannot be read as a PE image."""
import os
import re
import sys

from pe_image import PeFormatError, PeImage
import win_resources as res

EXPECTED_EXPORTS = {1: "CreateSELECTSQLQueryDlg", 2: "GetSELECTSQLQuery"}
# Only DLLs that every Windows has: the C and C++ runtimes and threads are linked statically.
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll", "advapi32.dll"}
MANIFEST_ARCH = {"i386": "x86", "x86-64": "amd64"}
# The DLL as shipped (stripped): the C++ runtime linked in must stay a small part of it.
MAX_DLL_BYTES = 256 * 1024

WS_CAPTION, WS_SYSMENU, WS_TABSTOP = 0x00C00000, 0x00080000, 0x00010000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, DS_MODALFRAME = 0x00020000, 0x00010000, 0x80
BS_TYPE_MASK, BS_DEFPUSHBUTTON = 0x0F, 0x01
LBS_SORT, LBS_OWNERDRAWFIXED, LBS_HASSTRINGS = 0x02, 0x10, 0x40

SYNTAX_HELP = "\r\n".join(["SELECT <columns>", "FROM <table>", "[WHERE  <search condition>]",
                           "[ORDER BY <columns>", "[ASC | DESC]]"])
# Tab order of the query builder: (id, window class).
BUILDER_CONTROLS = [(1000, "Static"), (1001, "Static"), (1002, "Static"), (1003, "Edit"), (-1, "Static"),
                    (1004, "Static"), (1005, "ListBox"), (1006, "Static"), (1007, "ComboBox"),
                    (1009, "Static"), (1010, "Button"), (1008, "SysListView32"), (1016, "Button"),
                    (1018, "Button"), (1012, "Static"), (1013, "Button"), (1011, "SysListView32"),
                    (1014, "Button"), (1015, "Button"), (1, "Button"), (2, "Button")]
WHEN_PRINTED_CONTROLS = [(1, "Button"), (2, "Button"), (2279, "ComboBox"), (2260, "Edit"),
                         (-1, "Static"), (-1, "Static")]
ICON_SIZES = {1001: [32], 1005: [32, 16], 1006: [32], 1007: [32]}
VERSION_STRINGS = {"CompanyName": "Halvane", "FileDescription": "Halvane SQL Query Builder",
                   "InternalName": "Quervix.dll", "OriginalFilename": "Quervix.dll", "ProductName": "Quervix"}


def decoration(name):
    """Why an export name is not a plain C name, or None."""
    suffix = re.search(r"@\d+$", name)
    if suffix:
        return f"stdcall/fastcall suffix {suffix.group(0)}"
    if name.startswith("?") or name.startswith("_Z"):
        return "C++ name mangling"
    if name.startswith("_"):
        return "leading underscore"
    return None


def plain_name(name):
    return re.sub(r"@\d+$", "", name.lstrip("_@"))


def check_machine(image, arch):
    return [] if image.machine == arch else [f"machine is {image.machine}, expected {arch}"]


def check_kind(image, path, host_program):
    if image.is_dll == host_program:
        found, wanted = ("a DLL", "a program") if host_program else ("a program", "a DLL")
        return [f"is {found}, expected {wanted}"]
    name = os.path.basename(path)
    if not host_program and name.lower() != "quervix.dll":
        return [f"file is named {name}, but hosts load Quervix.dll"]
    return []


def check_size(path):
    size = os.path.getsize(path)
    if size > MAX_DLL_BYTES:
        return [f"file is {size:,} bytes ({size / 1024:.0f} KB), more than the {MAX_DLL_BYTES // 1024} KB allowed"]
    return []


def check_exports(image):
    problems = []
    if image.export_dll_name is None:
        return ["no export table"]
    if image.export_dll_name.lower() != "quervix.dll":
        problems.append(f"export table names the library '{image.export_dll_name}', expected 'Quervix.dll'")
    by_ordinal = {export.ordinal: export for export in image.exports}
    for ordinal, expected in EXPECTED_EXPORTS.items():
        export = by_ordinal.get(ordinal)
        if export is None:
            problems.append(f"ordinal {ordinal} is not exported (expected {expected})")
        elif export.name is None:
            problems.append(f"ordinal {ordinal} has no name (expected {expected})")
        elif export.name not in EXPECTED_EXPORTS.values() and plain_name(export.name) != expected:
            problems.append(f"ordinal {ordinal} is '{export.name}', expected '{expected}'")
    for export in image.exports:
        expected = EXPECTED_EXPORTS.get(export.ordinal)
        name = export.name or f"(no name) @{export.ordinal}"
        why = decoration(export.name) if export.name else None
        if why:
            wanted = "a plain C name" if "mangling" in why else f"'{plain_name(export.name)}'"
            problems.append(f"export '{export.name}' @{export.ordinal} is decorated ({why}); hosts look for {wanted}")
        elif export.name in EXPECTED_EXPORTS.values() and export.name != expected:
            right = next(o for o, n in EXPECTED_EXPORTS.items() if n == export.name)
            problems.append(f"{export.name} has ordinal {export.ordinal}, expected {right}")
        elif expected is None:
            problems.append(f"unexpected export {name} @{export.ordinal}")
        if export.forwarder:
            problems.append(f"export {name} is forwarded to {export.forwarder}")
    return problems


def check_imports(image):
    problems = []
    for kind, table in (("imports", image.imports), ("delay-loads", image.delay_imports)):
        for dll in table:
            if dll.lower() == "quervix.dll":
                problems.append(f"{kind} Quervix.dll: a host must load it with LoadLibrary, not link to it")
            elif dll.lower() not in ALLOWED_IMPORTS:
                problems.append(f"{kind} {dll}, which is not a system DLL on the allowed list "
                                f"({', '.join(sorted(ALLOWED_IMPORTS))})")
    if not image.imports:
        problems.append("imports nothing at all: not a normally linked image")
    return problems


def _dialog(image, dialog_id):
    data = image.resource(res.RT_DIALOG, dialog_id)
    if data is None:
        return None, [f"dialog {dialog_id} is missing"]
    return res.parse_dialog(data), []


def _frame_and_layout(dialog, caption, size, font, expected_controls):
    problems = []
    if dialog.caption != caption:
        problems.append(f"caption {dialog.caption!r}, expected {caption!r}")
    if dialog.rect[2:] != size:
        problems.append(f"size {dialog.rect[2]} x {dialog.rect[3]} units, expected {size[0]} x {size[1]}")
    if dialog.font != font:
        problems.append(f"font {dialog.font}, expected {font}")
    if dialog.style & WS_CAPTION != WS_CAPTION or not dialog.style & WS_SYSMENU or not dialog.style & DS_MODALFRAME:
        problems.append(f"style {dialog.style:#010x} lacks the modal frame, caption or system menu")
    if dialog.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX):
        problems.append("has a minimise or maximise box")
    found = [(control.id, str(control.window_class)) for control in dialog.controls]
    if [(i, c.lower()) for i, c in found] != [(i, c.lower()) for i, c in expected_controls]:
        problems.append(f"controls in tab order are {found}, expected {expected_controls}")
    return problems


def _control(dialog, control_id):
    return next((control for control in dialog.controls if control.id == control_id), None)


def check_query_builder_dialog(image):
    dialog, problems = _dialog(image, 1000)
    if dialog is None:
        return problems
    problems += _frame_and_layout(dialog, "Halvane SQL Query Builder - SELECT SQL Query", (400, 266),
                                  (8, "MS Sans Serif"), BUILDER_CONTROLS)
    help_text = _control(dialog, 1001)
    if help_text and help_text.text != SYNTAX_HELP:
        problems.append(f"syntax help is {help_text.text!r}, expected {SYNTAX_HELP!r}")
    columns = _control(dialog, 1005)
    if columns and (columns.style & LBS_SORT or columns.style & (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS)
                    != LBS_OWNERDRAWFIXED | LBS_HASSTRINGS):
        problems.append(f"column list style {columns.style:#010x}: must be owner-drawn with strings, unsorted")
    for control_id, text in ((1016, "+"), (1018, "-"), (1, "OK"), (2, "Cancel")):
        control = _control(dialog, control_id)
        if control and control.text != text:
            problems.append(f"button {control_id} says {control.text!r}, expected {text!r}")
    ok = _control(dialog, 1)
    if ok and ok.style & BS_TYPE_MASK != BS_DEFPUSHBUTTON:
        problems.append("OK is not the default push button")
    return problems


def check_when_printed_dialog(image):
    dialog, problems = _dialog(image, 288)
    if dialog is None:
        return problems
    problems += _frame_and_layout(dialog, "When Printed variable", (186, 78), (8, "MS Shell Dlg"),
                                  WHEN_PRINTED_CONTROLS)
    first_stop = next((control for control in dialog.controls if control.style & WS_TABSTOP), None)
    if first_stop is None or first_stop.id != 1 or first_stop.style & BS_TYPE_MASK != BS_DEFPUSHBUTTON:
        problems.append("the first tab stop is not the default OK button, so the focus would not start there")
    return problems


def check_icons(image):
    problems = []
    for icon_id, sizes in ICON_SIZES.items():
        data = image.resource(res.RT_GROUP_ICON, icon_id)
        if data is None:
            problems.append(f"group icon {icon_id} is missing")
            continue
        entries = res.group_icon_entries(data)
        found = [(entry["width"], entry["height"], entry["bit_count"]) for entry in entries]
        wanted = [(size, size, 4) for size in sizes]
        if found != wanted:
            problems.append(f"group icon {icon_id} lists {found} (width, height, bits), expected {wanted}")
        for entry in entries:
            image_data = image.resource(res.RT_ICON, entry["icon_id"])
            if image_data is None:
                problems.append(f"group icon {icon_id} refers to icon image {entry['icon_id']}, which is missing")
            elif res.icon_image_format(image_data) != (entry["width"], entry["height"], entry["bit_count"]):
                problems.append(f"icon image {entry['icon_id']} is {res.icon_image_format(image_data)}, "
                                f"its group says {(entry['width'], entry['height'], entry['bit_count'])}")
    return problems


def check_version(image, version):
    data = image.resource(res.RT_VERSION, 1)
    if data is None:
        return ["version record 1 is missing"]
    fixed, strings = res.parse_version(data)
    problems = []
    for field in ("file_version", "product_version"):
        if fixed[field] != version:
            problems.append(f"fixed {field} is {fixed[field]}, expected {version}")
    if fixed["file_type"] != 2:
        problems.append(f"file type {fixed['file_type']}, expected 2 (a DLL)")
    wanted = dict(VERSION_STRINGS, FileVersion=version, ProductVersion=version)
    for name, value in wanted.items():
        if strings.get(name) != value:
            problems.append(f"{name} is {strings.get(name)!r}, expected {value!r}")
    return problems


def check_manifest(image, arch, version):
    data = image.resource(res.RT_MANIFEST, 2)
    if data is None:
        return ["manifest 2 (the DLL's own activation context) is missing"]
    identity, description, dependencies = res.parse_manifest(data)
    problems = []
    if not identity.get("name") or identity.get("type") != "win32" or identity.get("version") != version:
        problems.append(f"assemblyIdentity {identity} needs type win32, a name and version {version}")
    if identity.get("processorArchitecture", MANIFEST_ARCH[arch]) != MANIFEST_ARCH[arch]:
        problems.append(f"processorArchitecture {identity['processorArchitecture']}, expected {MANIFEST_ARCH[arch]}")
    if not description:
        problems.append("manifest has no description")
    if any("common-controls" in name.lower() for name in dependencies):
        problems.append("manifest depends on common controls 6; the dialog is built for the classic controls")
    return problems


def run_checks(image, path, arch, host_program, version):
    checks = [("machine", lambda: check_machine(image, arch)),
              ("image kind", lambda: check_kind(image, path, host_program)),
              ("imports", lambda: check_imports(image))]
    if not host_program:
        checks += [("size", lambda: check_size(path)),
                   ("exports", lambda: check_exports(image)),
                   ("dialog 1000 (query builder)", lambda: check_query_builder_dialog(image)),
                   ("dialog 288 (When Printed variable)", lambda: check_when_printed_dialog(image)),
                   ("button icons", lambda: check_icons(image)),
                   ("version record", lambda: check_version(image, version)),
                   ("manifest", lambda: check_manifest(image, arch, version))]
    failed = 0
    for title, check in checks:
        try:
            problems = check()
        except (PeFormatError, res.ResourceFormatError) as error:
            problems = [f"unreadable: {error}"]
        print(f"{'FAIL' if problems else 'ok  '} {title}")
        for problem in problems:
            print(f"       {problem}")
        failed += bool(problems)
    return failed, len(checks)


def main(argv):
    args = argv[1:]
    version = "1.0.0.0"
    if args[:1] == ["--version"] and len(args) > 1:
        version, args = args[1], args[2:]
    host_program = bool(args) and args[0] == "--exe"
    args = args[1:] if host_program else args
    if len(args) != 2 or args[1] not in MANIFEST_ARCH or not re.fullmatch(r"\d+\.\d+\.\d+\.\d+", version):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    path, arch = args
    try:
        image = PeImage.from_file(path)
    except (OSError, PeFormatError) as error:
        print(f"check_quervix: {path}: {error}", file=sys.stderr)
        return 2
    failed, total = run_checks(image, path, arch, host_program, version)
    verdict = "all hold" if not failed else f"{failed} FAILED"
    print(f"check_quervix: {path} ({arch}): {total} checks, {verdict}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
