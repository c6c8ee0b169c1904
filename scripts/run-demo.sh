#!/usr/bin/env bash
# Main job: builds the 64-bit Quervix.dll and quervix-demo.exe and shows the query builder on a
# sample "Customers" table under Wine, then prints the result code and the statement that came back.
#
#   scripts/run-demo.sh [demo options]     e.g.  scripts/run-demo.sh --statement "SELECT Name FROM Customers "
#
# With an X display the dialog waits for you. Without one it runs on a private Xvfb, where the
# demo presses OK by itself and saves a screenshot to artifacts/demo.png. Options are passed on
# to quervix-demo.exe (--statement TEXT, --cap N, --auto-ok, --screenshot FILE.bmp, --timeout S).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64

demo=$(find build/win64 -name quervix-demo.exe -not -path '*/CMakeFiles/*' -print -quit)
if [[ -z $demo ]]; then
  echo "run-demo: quervix-demo.exe was not built" >&2
  exit 1
fi
if [[ ! -f $(dirname "$demo")/Quervix.dll ]]; then
  echo "run-demo: Quervix.dll is missing beside $demo" >&2
  exit 1
fi

source scripts/lib.sh
ensure_wine_prefix
had_display=no
display_alive && had_display=yes
ensure_display
trap stop_xvfb EXIT

if [[ $had_display == yes ]]; then
  echo "run-demo: showing the query builder on $DISPLAY; close it with OK or Cancel"
  wine "$demo" "$@"
  exit $?
fi

mkdir -p artifacts
rm -f artifacts/demo.bmp artifacts/demo.png
echo "run-demo: no X display, so the demo runs on Xvfb $DISPLAY and presses OK by itself"
status=0
wine "$demo" --auto-ok --screenshot artifacts/demo.bmp "$@" || status=$?
if [[ -f artifacts/demo.bmp ]]; then
  convert artifacts/demo.bmp artifacts/demo.png && rm -f artifacts/demo.bmp
  echo "run-demo: screenshot of the dialog: $(pwd)/artifacts/demo.png"
fi
exit $status
