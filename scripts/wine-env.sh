# Sourced by the scripts that run Windows programs: the private Wine prefix and its settings.
# The prefix lives under build/, never in ~/.wine, and is created once.
QB_ROOT=${QB_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$QB_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

# Whether this machine can run 32-bit Wine at all: some kernels are built or booted without
# 32-bit program support (or run under a hypervisor that allows 64-bit user code only). Inside
# qb_enter_win32_emulation's namespace the answer is yes, through qemu-i386.
qb_can_run_win32() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Whether the prefix has its 32-bit half. A prefix made while 32-bit Wine could not run has an
# empty syswow64, and 32-bit programs then fail with "could not load kernel32.dll".
qb_prefix_has_win32() {
  [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]
}

# qemu-i386 from 8.1 on honours MAP_FIXED_NOREPLACE; with older ones Wine's address-space
# reservation at start-up falls back to tens of thousands of probes and takes minutes per process.
qb_qemu_i386_usable() {
  command -v qemu-i386 >/dev/null 2>&1 || return 1
  local major minor
  read -r major minor < <(qemu-i386 --version 2>/dev/null |
                            sed -n '1s/.*version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
  [ "${major:-0}" -gt 8 ] || { [ "${major:-0}" -eq 8 ] && [ "${minor:-0}" -ge 1 ]; }
}

# Where the kernel refuses i386 programs, starts the calling script again (usage:
# qb_enter_win32_emulation "$0" "$@") in a private user and mount namespace whose own binfmt_misc
# (Linux 6.7 and later) hands i386 programs to qemu-i386. Wine's 32-bit loader and every Wine
# process it starts then run there through the emulator; the rest of the machine is untouched.
# Returns without doing anything where 32-bit programs run natively, where this is already done,
# with QB_NO_WIN32_EMULATION=1, or where it cannot be done (then 32-bit tests are skipped).
qb_enter_win32_emulation() {
  [ -n "${QB_WIN32_EMULATION:-}" ] && return 0
  [ "${QB_NO_WIN32_EMULATION:-0}" = 1 ] && return 0
  [ -x /usr/lib/wine/wine ] || return 0
  qb_can_run_win32 && return 0
  qb_qemu_i386_usable || return 0
  unshare --user --map-root-user --mount true 2>/dev/null || return 0
  # The rule, in binfmt_misc's own escaped text: the i386 ELF header of executables and shared
  # objects goes to qemu-i386; flag F opens the emulator at once, so the rule holds whatever the
  # namespace's file system shows later.
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  QB_BINFMT_RULE=":qb-i386:M::$magic:$mask:$(command -v qemu-i386):F"
  export QB_WIN32_EMULATION=1 QB_BINFMT_RULE
  # shellcheck disable=SC2016
  exec unshare --user --map-root-user --mount bash -c '
    fs=/proc/sys/fs/binfmt_misc
    if ! { mount -t binfmt_misc binfmt_misc "$fs" && printf "%s" "$QB_BINFMT_RULE" >"$fs/register"; } 2>/dev/null; then
      echo "Could not hand i386 programs to qemu-i386 (binfmt_misc in a user namespace needs Linux 6.7)." >&2
    fi
    exec "$@"' qb-win32 "$@"
}

qb_wine_for() {
  # The Wine loader for a PE file: wine64 for PE32+, wine for PE32.
  if file -b "$1" | grep -q "PE32+"; then echo /usr/lib/wine/wine64; else echo wine; fi
}

# Wine's own interface fonts (Debian's fonts-wine: Marlett, MS Sans Serif, Tahoma and the bitmap
# system fonts) are not loaded into a new prefix by themselves. Without them the system font falls
# back to a wider face whose dialog base units (7 x 16 instead of 8 x 16) cut the end of the
# dialogs' texts, and the caption buttons draw as letters. The .fon files are needed too: they
# make the system font System.
qb_prefix_fonts() {
  local from=/usr/share/wine/fonts to=$WINEPREFIX/drive_c/windows/Fonts
  [ -d "$from" ] || return 0
  mkdir -p "$to"
  cp -n "$from"/* "$to"/ 2>/dev/null || true
}

qb_prefix_ready() {
  if [ -f "$WINEPREFIX/.quillbox-ready" ]; then
    # A prefix made before the interface fonts were copied gets them now.
    [ -f "$WINEPREFIX/drive_c/windows/Fonts/vgasys.fon" ] || qb_prefix_fonts
    return 0
  fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.quillbox-ready" ]; then
      echo "Creating the Wine prefix $WINEPREFIX" >&2
      # The 64-bit loader makes the prefix; it starts the 32-bit half (syswow64) itself
      # when 32-bit programs can run, natively or through the emulator.
      local boot=/usr/lib/wine/wine64
      [ -x "$boot" ] || boot=wine
      $boot wineboot -i >/dev/null 2>&1
      # A crash must end the process, not wait in the debugger's dialog.
      $boot reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      # Unmanaged windows: without a window manager on the Xvfb, managed ones make every window
      # (a message box especially) seconds slower to come and go.
      $boot reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      wineserver -w
      qb_prefix_fonts
      touch "$WINEPREFIX/.quillbox-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# Starts an Xvfb on a free display (24-bit) and exports DISPLAY; QB_XVFB_PID names it. Runs that
# start at once (make fuzz's two builds) take turns, so that two never choose the same display.
qb_start_xvfb() {
  local n
  exec 8>/tmp/quillbox-xvfb.lock
  flock 8
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 8>&- &
    QB_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$QB_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$QB_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      exec 8>&-
      return 0
    fi
  done
  exec 8>&-
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
  local loader=/usr/lib/wine/wine64
  [ -x "$loader" ] || loader=wine
  wineserver -p </dev/null >/dev/null 2>&1
  $loader cmd /c exit </dev/null >/dev/null 2>&1 || true
  export QB_WINE_WARM=1
}
