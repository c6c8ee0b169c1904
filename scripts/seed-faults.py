#!/usr/bin/env python3
"""Seeds one plausible fault at a time into a scratch copy of the tree, builds it, runs the
suites that should notice, and reports each fault as caught or missed.

    scripts/seed-faults.py [--list FILE] [--only ID[,ID...]] [--scratch DIR]

The faults are listed in scripts/seed-faults.txt, one per line:
    ID | PRESET:CTEST-REGEX[,PRESET:CTEST-REGEX...] | FILE | TEXT | REPLACEMENT
TEXT must occur exactly once in FILE; "\\n" in TEXT or REPLACEMENT stands for a line break.
A fault counts as caught when the build fails or a selected suite fails. The scratch copy
(default build/seed-faults) keeps its build folders, so each fault costs an incremental build.
Wine suites need a display and prefix: run this through scripts/seed-faults.sh.
"""
import argparse
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_faults(path):
    faults = []
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        parts = [p.strip() for p in line.split(" | ")]
        if len(parts) != 5:
            sys.exit(f"{path}:{number}: expected 5 fields separated by ' | '")
        ident, suites, file, text, replacement = parts
        faults.append({
            "id": ident,
            "suites": [s.split(":", 1) for s in suites.split(",")],
            "file": file,
            "text": text.replace("\\n", "\n"),
            "replacement": replacement.replace("\\n", "\n"),
        })
    return faults


def make_scratch(scratch):
    """A copy of the tracked files as they are now; build folders inside it survive."""
    files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True, capture_output=True).stdout
    for name in filter(None, files.decode().split("\0")):
        source, target = os.path.join(ROOT, name), os.path.join(scratch, name)
        if not os.path.isfile(source):
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if not os.path.exists(target) or open(source, "rb").read() != open(target, "rb").read():
            shutil.copy2(source, target)


def run(command, cwd):
    return subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def try_fault(fault, scratch):
    path = os.path.join(scratch, fault["file"])
    original = open(path, encoding="utf-8", newline="").read()
    if original.count(fault["text"]) != 1:
        return "stale (text not found exactly once)"
    open(path, "w", encoding="utf-8", newline="").write(original.replace(fault["text"], fault["replacement"]))
    try:
        for preset, regex in fault["suites"]:
            if run(["cmake", "--preset", preset], scratch) or run(["cmake", "--build", "--preset", preset, "-j", "2"], scratch):
                return "caught (build)"
            if run(["ctest", "--test-dir", f"build/{preset}", "-R", regex], scratch):
                return f"caught ({preset}: {regex})"
        return "MISSED"
    finally:
        open(path, "w", encoding="utf-8", newline="").write(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--list", default=os.path.join(ROOT, "scripts", "seed-faults.txt"))
    parser.add_argument("--only", default="")
    parser.add_argument("--scratch", default=os.path.join(ROOT, "build", "seed-faults"))
    args = parser.parse_args()
    faults = read_faults(args.list)
    if args.only:
        wanted = set(args.only.split(","))
        faults = [f for f in faults if f["id"] in wanted]
    make_scratch(args.scratch)
    missed = 0
    print("| fault | result |\n|---|---|", flush=True)
    for fault in faults:
        result = try_fault(fault, args.scratch)
        missed += not result.startswith("caught")
        print(f"| {fault['id']} | {result} |", flush=True)
    print(f"{len(faults) - missed} caught, {missed} missed or stale")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
