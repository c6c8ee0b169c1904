#!/usr/bin/env bash
# Runs one program of the win64 build under Wine (CTest's emulator for that build).
# Uses the display it is given, or an Xvfb of its own for the length of the run.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
ensure_wine_prefix
ensure_display || exit 1
trap stop_xvfb EXIT
wine "$@"
