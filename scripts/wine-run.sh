#!/usr/bin/env bash
# Runs one program of the win64 build under Wine (CTest's emulator for that build).
# Uses the display it is given, or an Xvfb of its own for the length of the run; a test that
# asks for the managed desktop (QUERVIX_WINE_DESKTOP=managed, scripts/lib.sh) runs in the
# desktop prefix, with a window manager on the display.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
select_wine_prefix
ensure_wine_prefix
ensure_display || exit 1
trap stop_xvfb EXIT
if wants_desktop; then ensure_window_manager || exit 1; fi
wine "$@"
