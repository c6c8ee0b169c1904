#!/usr/bin/env bash
# Installs what is missing, builds every preset and the release archives, and runs every test:
# native engine tests, the win64 engine and UI tests under Wine on Xvfb (the UI tests with a
# window manager, at 96 dots per inch and their DPI tests at 144 and 192 as well),
# the static checks of both DLLs, a replay of the fuzz corpora under the sanitizers,
# and the proofs on the release archives.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

scripts/setup.sh
jobs=$(nproc)
for preset in native win32 win64 fuzz; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
# The release archives (dist/) and the project that proves them (tests/package).
scripts/package.sh
cmake -S tests/package -B build/package-tests -DQUERVIX_DIST="$PWD/dist" >/dev/null

ensure_wine_prefix
ensure_display
# The suites that depend on focus run with a window manager (scripts/lib.sh), which the
# others do not notice: their windows are unmanaged.
ensure_window_manager
# UI tests save what they saw here; the BMPs become PNGs at the end.
export QUERVIX_SCREENSHOT_DIR=$PWD/artifacts/screenshots
rm -rf "$QUERVIX_SCREENSHOT_DIR" && mkdir -p "$QUERVIX_SCREENSHOT_DIR"
stop_wine() {
  local prefix
  for prefix in "$WINEPREFIX" "$WINEPREFIX"-desktop*; do
    [[ -d $prefix ]] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
}
trap 'stop_wine; stop_xvfb' EXIT

passed=0 failed=0 status=0
for preset in native win32 win64 fuzz package-tests; do
  echo "== tests: $preset"
  log=$(mktemp)
  if ctest --test-dir "build/$preset" --output-on-failure 2>&1 | tee "$log"; then :; fi
  if grep -q 'tests failed out of' "$log"; then
    line=$(grep 'tests failed out of' "$log" | tail -n 1)
    total=${line##* out of }
    bad=$(sed -nE 's/.* ([0-9]+) tests failed out of.*/\1/p' <<<"$line")
    passed=$((passed + total - bad)); failed=$((failed + bad))
    ((bad == 0)) || status=1
  else
    echo "ctest in build/$preset did not finish" >&2
    status=1
  fi
  rm -f "$log"
done
shopt -s nullglob
for bmp in "$QUERVIX_SCREENSHOT_DIR"/*.bmp; do convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
echo "screenshots: $QUERVIX_SCREENSHOT_DIR"
# The tests' size against the code's: non-blank lines of sources, scripts and build files.
count_lines() {
  find "$@" -type f \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.cxx' -o -name '*.h' -o -name '*.hpp' \
    -o -name '*.py' -o -name '*.sh' -o -name '*.cmake' -o -name CMakeLists.txt \) -not -path '*/corpus/*' -print0 |
    xargs -0 cat | grep -cv '^[[:space:]]*$'
}
test_lines=$(count_lines tests) code_lines=$(count_lines src include tools demo bench)
echo "lines: tests $test_lines, code $code_lines ($((100 * test_lines / code_lines))%)"
echo "all: $passed passed, $failed failed"
exit $status
