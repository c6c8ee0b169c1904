#!/usr/bin/env bash
# Builds the win64 preset and runs the soak under Wine: a thousand dialogs driven to OK
# (drop-down list and When Printed dialog included), then a hundred load/call/unload cycles,
# printing handles, windows, GDI/USER objects and committed memory as it goes, and failing
# when they grow after the first dialog or load cycle (ctest runs a short one, "soak").
#   scripts/soak.sh [--dialogs N] [--loads M]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/setup.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target soak -j 2 >/dev/null
ensure_wine_prefix
ensure_display
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
wine build/win64/bin/soak.exe --dll "$(winepath -w build/win64/bin/Quervix.dll)" "$@"
