#!/usr/bin/env bash
# The opening benchmark: builds the 64-bit Quervix.dll and quervix-open-bench.exe and runs the
# benchmark under Wine on a private Xvfb (or the display there is). Prints figures, tests nothing.
#
#   scripts/bench-open.sh [--sizes 10,100,1000,10000] [--runs 3] [--preview-floor-max 1000] [--timeout S]
#
# The default run (10, 100 and 1,000 columns, three runs each) takes about two minutes.
# --preview-floor-max: up to this many columns the same-template floor is also run with the
# statement in its word-wrapping preview, which Wine lays out in time quadratic in the length
# of a line (about 20 s at 1,000 columns, far longer beyond).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target quervix-open-bench >/dev/null

bench=$(find build/win64 -name quervix-open-bench.exe -not -path '*/CMakeFiles/*' -print -quit)
if [[ -z $bench || ! -f $(dirname "$bench")/Quervix.dll ]]; then
  echo "bench-open: quervix-open-bench.exe or Quervix.dll was not built" >&2
  exit 1
fi

source scripts/lib.sh
ensure_wine_prefix
ensure_display
trap stop_xvfb EXIT
echo "bench-open: $(nproc) cores, $(wine --version), display $DISPLAY"
wine "$bench" "$@"
