# Sourced by the scripts that run Windows programs: the private Wine prefix and its settings.
# The prefix lives under build/, never in ~/.wine, and is created once.
QB_ROOT=${QB_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$QB_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

# Whether this machine can run 32-bit Wine at all: some kernels are built or booted without
# 32-bit program support, and then only the 64-bit programs can be tested under Wine.
qb_can_run_win32() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

qb_wine_for() {
  # The Wine loader for a PE file: wine64 for PE32+, wine for PE32.
  if file -b "$1" | grep -q "PE32+"; then echo /usr/lib/wine/wine64; else echo wine; fi
}

qb_prefix_ready() {
  [ -f "$WINEPREFIX/.quillbox-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.quillbox-ready" ]; then
      echo "Creating the Wine prefix $WINEPREFIX" >&2
      local boot=wine
      qb_can_run_win32 || boot=/usr/lib/wine/wine64
      $boot wineboot -i >/dev/null 2>&1
      # A crash must end the process, not wait in the debugger's dialog.
      $boot reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.quillbox-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# Starts an Xvfb on a free display (24-bit) and exports DISPLAY; QB_XVFB_PID names it.
qb_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    QB_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$QB_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$QB_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "Could not start Xvfb" >&2
  return 1
}

qb_stop_xvfb() {
  if [ -n "${QB_XVFB_PID:-}" ]; then
    kill "$QB_XVFB_PID" 2>/dev/null || true
    wait "$QB_XVFB_PID" 2>/dev/null || true
    QB_XVFB_PID=
  fi
}

# Starts the prefix's background services (wineserver, winedevice, explorer) with their output
# going nowhere. Otherwise the first Wine program of a run starts them and they inherit its
# standard output, and whoever reads that pipe (CTest) waits for them to exit.
qb_wine_warm() {
  local loader=wine
  qb_can_run_win32 || loader=/usr/lib/wine/wine64
  wineserver -p </dev/null >/dev/null 2>&1
  $loader cmd /c exit </dev/null >/dev/null 2>&1 || true
  export QB_WINE_WARM=1
}
