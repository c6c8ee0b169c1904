# Shared shell functions: the Wine prefix and the X display the Windows build runs on.
# Sourced by the other scripts; sets nothing until a function is called.

QUERVIX_ROOT=${QUERVIX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$QUERVIX_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

# Creates the prefix once. Without a window manager, Wine waits about two seconds
# for every new top-level window unless its X11 driver leaves windows unmanaged.
ensure_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f $WINEPREFIX/.quervix-ready ]]; then
      wine wineboot -i >/dev/null 2>&1 || true
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.quervix-ready"
    fi
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}

display_alive() { [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; }

# Starts Xvfb when there is no usable display; the caller stops it with stop_xvfb.
QUERVIX_XVFB_PID=
ensure_display() {
  display_alive && return 0
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QUERVIX_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do display_alive && return 0; sleep 0.1; done
    kill "$QUERVIX_XVFB_PID" 2>/dev/null || true
    QUERVIX_XVFB_PID=
  done
  echo "no X display could be started" >&2
  return 1
}

# Wine's processes are ended first, so none of them reports the display going away.
stop_xvfb() {
  if [[ -n $QUERVIX_XVFB_PID ]]; then
    wineserver -k 2>/dev/null || true
    kill "$QUERVIX_XVFB_PID" 2>/dev/null || true
    wait "$QUERVIX_XVFB_PID" 2>/dev/null || true
    QUERVIX_XVFB_PID=
  fi
}
