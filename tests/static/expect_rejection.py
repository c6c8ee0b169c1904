#!/usr/bin/env python3
"""expect_rejection.py: proves that check_quervix.py rejects a deliberately broken image, and for
the right reason.

    expect_rejection.py --fails "CHECK[,CHECK...]" --says REGEX [--says REGEX...] -- CHECKER ARGS...

Passes only when the checker exits with status 1, exactly the named checks report FAIL (every
other check holds), and each REGEX matches some failure detail."""
import argparse
import re
import subprocess
import sys


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--fails", required=True, help="comma-separated titles of the checks that must fail")
    parser.add_argument("--says", required=True, action="append",
                        help="regular expression some failure detail must match (repeatable)")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args(argv[1:])
    command = options.command[1:] if options.command[:1] == ["--"] else options.command
    if not command:
        parser.error("no checker command given")

    run = subprocess.run([sys.executable] + command, capture_output=True, text=True)
    print(run.stdout, end="")
    print(run.stderr, end="", file=sys.stderr)

    wanted = {title.strip() for title in options.fails.split(",")}
    failed = {line[4:].strip() for line in run.stdout.splitlines() if line.startswith("FAIL ")}
    details = [line.strip() for line in run.stdout.splitlines() if line.startswith("       ")]
    problems = []
    if run.returncode != 1:
        problems.append(f"checker exited with {run.returncode}, expected 1 (checks failed)")
    if failed != wanted:
        problems.append(f"failing checks were {sorted(failed)}, expected {sorted(wanted)}")
    for pattern in options.says:
        if not any(re.search(pattern, detail) for detail in details):
            problems.append(f"no failure detail matches /{pattern}/")
    for problem in problems:
        print(f"expect_rejection: {problem}", file=sys.stderr)
    print(f"expect_rejection: {'rejected as expected' if not problems else 'NOT rejected as expected'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
