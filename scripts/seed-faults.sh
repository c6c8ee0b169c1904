#!/usr/bin/env bash
# Seeds each fault of scripts/seed-faults.txt into a scratch copy and reports caught or
# missed (see scripts/seed-faults.py); Wine suites run on a private display.
#   scripts/seed-faults.sh [--only ID[,ID...]]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/setup.sh >/dev/null
export WINEPREFIX=$PWD/build/seed-faults/build/wineprefix
ensure_wine_prefix
ensure_display
ensure_window_manager
trap 'for p in "$WINEPREFIX"*; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done; stop_xvfb' EXIT
python3 scripts/seed-faults.py "$@"
