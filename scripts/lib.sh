# Shared shell functions: the Wine prefix and the X display the Windows build runs on.
# Sourced by the other scripts; sets nothing until a function is called.
#
# Two kinds of Wine prefix. The plain one (build/wineprefix) leaves Wine's windows unmanaged:
# quick, but nothing handles focus and activation as a desktop does. The desktop one
# (build/wineprefix-desktop) lets a window manager (openbox) manage them, as on a user's
# desktop; suites that depend on focus or real input run there. QUERVIX_WINE_DESKTOP=managed
# asks for it, and QUERVIX_WINE_DPI for one whose screen has that many dots per inch
# (build/wineprefix-desktop-dpi144, ...). CTest sets both per test; scripts/wine-run.sh reads them.

QUERVIX_ROOT=${QUERVIX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$QUERVIX_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

wants_desktop() { [[ ${QUERVIX_WINE_DESKTOP:-} == managed ]]; }

# The prefix the variables above ask for, beside the plain one.
select_wine_prefix() {
  wants_desktop || return 0
  WINEPREFIX=$WINEPREFIX-desktop
  [[ -n ${QUERVIX_WINE_DPI:-} && ${QUERVIX_WINE_DPI} != 96 ]] && WINEPREFIX=$WINEPREFIX-dpi$QUERVIX_WINE_DPI
  export WINEPREFIX
}

# Creates the prefix once. Without a window manager, Wine waits about two seconds
# for every new top-level window unless its X11 driver leaves windows unmanaged.
ensure_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f $WINEPREFIX/.quervix-ready ]]; then
      wine wineboot -i >/dev/null 2>&1 || true
      if wants_desktop; then
        # Wine reads the DPI when a program starts.
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${QUERVIX_WINE_DPI:-96}" /f >/dev/null 2>&1
      else
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      fi
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
    Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
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

# A window manager announces itself on the root window (EWMH).
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Starts openbox on the display when it has no window manager; a display that has one (a
# user's own) keeps it. The caller stops it with stop_xvfb.
QUERVIX_WM_PID=
ensure_window_manager() {
  window_manager_running && return 0
  local attempt i
  # An X server that has only just started sometimes turns the first client away.
  for attempt in 1 2 3; do
    openbox --sm-disable >/dev/null 2>&1 &
    QUERVIX_WM_PID=$!
    for i in $(seq 1 50); do
      window_manager_running && return 0
      kill -0 "$QUERVIX_WM_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$QUERVIX_WM_PID" 2>/dev/null || true
    wait "$QUERVIX_WM_PID" 2>/dev/null || true
    QUERVIX_WM_PID=
  done
  echo "openbox did not start on $DISPLAY" >&2
  return 1
}

# Wine's processes are ended first, so none of them reports the display going away.
stop_xvfb() {
  if [[ -n $QUERVIX_WM_PID ]]; then
    kill "$QUERVIX_WM_PID" 2>/dev/null || true
    wait "$QUERVIX_WM_PID" 2>/dev/null || true
    QUERVIX_WM_PID=
  fi
  if [[ -n $QUERVIX_XVFB_PID ]]; then
    wineserver -k 2>/dev/null || true
    kill "$QUERVIX_XVFB_PID" 2>/dev/null || true
    wait "$QUERVIX_XVFB_PID" 2>/dev/null || true
    QUERVIX_XVFB_PID=
  fi
}
