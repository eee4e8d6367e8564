# Sourced by the scripts that run our executables under Wine: a project-local prefix, made once,
# pinned to Windows 7 with visual styles off, no crash dialog and no Mono/Gecko prompts; quiet
# Wine; Mesa's software OpenGL.
#
# Two loaders: /usr/lib/wine/wine runs the i686 programs, /usr/lib/wine/wine64 the x86_64 ones.
# The `wine` wrapper always picks the 32-bit one when it is installed, even on machines whose
# kernel cannot run 32-bit programs, so these scripts call the loaders themselves.
ZARNIK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${ZARNIK_WINEPREFIX:-$ZARNIK_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LIBGL_ALWAYS_SOFTWARE=1
ZARNIK_WINE32=/usr/lib/wine/wine
ZARNIK_WINE64=/usr/lib/wine/wine64
# Bump when the prefix's settings below change: existing prefixes are then brought up to date.
ZARNIK_PREFIX_VERSION=3

# True when this machine runs 32-bit (i386) programs. Some kernels have their 32-bit emulation
# switched off; there every i386 program fails at once with "Exec format error". The probe runs
# the 32-bit Wine loader, a small i386 program that is also the one the i686 tests need.
# ZARNIK_I386_PROBE replaces the probe command (tests of these scripts fake it with `false`).
zarnik_can_run_i386() {
  if [ -n "${ZARNIK_I386_PROBE:-}" ]; then
    eval "$ZARNIK_I386_PROBE" >/dev/null 2>&1
  else
    [ -x "$ZARNIK_WINE32" ] && "$ZARNIK_WINE32" --version >/dev/null 2>&1
  fi
}

# The Wine loader for a target's programs (i686 or x86_64).
zarnik_wine_loader() {
  case "$1" in
    i686) echo "$ZARNIK_WINE32" ;;
    x86_64) echo "$ZARNIK_WINE64" ;;
    *) echo "unknown target '$1'" >&2; return 2 ;;
  esac
}

# Runs a Wine tool (wineboot, reg, cmd, explorer...) with the 64-bit loader, which works on
# every machine.
zarnik_wine() {
  WINELOADER="$ZARNIK_WINE64" "$ZARNIK_WINE64" "$@"
}

zarnik_wine_prefix() {
  local stamp="$WINEPREFIX/.zarnik-ready-$ZARNIK_PREFIX_VERSION"
  [ -f "$stamp" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$stamp" ] && exit 0
    # A prefix left half made by an earlier run may still have a server: start clean.
    wineserver -k >/dev/null 2>&1 || true
    zarnik_wine wineboot.exe -i >/dev/null 2>&1 || true
    zarnik_wine reg.exe add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
    zarnik_wine reg.exe add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null 2>&1
    # Already gone in a prefix brought up from an older version: that is fine.
    zarnik_wine reg.exe delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v DllName /f >/dev/null 2>&1 || true
    # A crashing program ends at once with its backtrace on standard error instead of waiting
    # for a click on Wine's crash dialog.
    zarnik_wine reg.exe add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Windows that no window manager manages: on a bare Xvfb, hiding or destroying a managed
    # top-level window waits two seconds for a window manager's answer that never comes.
    zarnik_wine reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 120 wineserver -w || wineserver -k >/dev/null 2>&1 || true
    touch "$stamp"
  ) 9>"$WINEPREFIX.lock"
}

# Starts Xvfb at 24-bit depth with GLX on a free display, unless a display is already set.
# Sets ZARNIK_XVFB_PID when it started one; zarnik_stop_display stops it.
zarnik_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 +extension GLX -nolisten tcp >/dev/null 2>&1 &
  ZARNIK_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

zarnik_stop_display() {
  if [ -n "${ZARNIK_XVFB_PID:-}" ]; then
    kill "$ZARNIK_XVFB_PID" 2>/dev/null || true
    wait "$ZARNIK_XVFB_PID" 2>/dev/null || true
    unset ZARNIK_XVFB_PID
  fi
}

# Starts one persistent wine server with Wine's own services before any test runs. Started
# from a test instead, the services would inherit ctest's output pipes and ctest would wait
# for them to close; a live server also keeps each test's start short.
zarnik_start_wine_services() {
  wineserver -p >/dev/null 2>&1 </dev/null || true  # already running is fine
  zarnik_wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

# The targets a run covers: ZARNIK_TARGETS when set ("x86_64", "i686" or both), else both.
zarnik_targets() {
  local t
  for t in ${ZARNIK_TARGETS:-i686 x86_64}; do
    case "$t" in
      i686 | x86_64) echo "$t" ;;
      *) echo "ZARNIK_TARGETS: unknown target '$t' (i686, x86_64)" >&2; return 2 ;;
    esac
  done
}

# The targets whose tests a run executes: those of zarnik_targets, less i686 where this machine
# cannot run 32-bit programs.
zarnik_test_targets() {
  local t
  for t in $(zarnik_targets); do
    if [ "$t" = i686 ] && ! zarnik_can_run_i386; then continue; fi
    echo "$t"
  done
}

# The closing lines of a test run: which targets were built and tested, and, when the i686
# tests were left out, why. Usage: zarnik_test_summary "<built targets>" "<tested targets>"
zarnik_test_summary() {
  local built=" $1 " tested=" $2 "
  echo "== built: $1"
  if [[ "$built" == *" i686 "* && "$tested" != *" i686 "* ]]; then
    echo "== tested: ${2:-no target}${2:+ only}"
    echo "== i686 tests skipped: this machine cannot run 32-bit programs (the i386 probe failed: the kernel's 32-bit emulation is off)"
  else
    echo "== tested: ${2:-no target}"
  fi
}

# The target whose editor runs here: i686 where 32-bit programs run, else x86_64.
zarnik_run_target() {
  if zarnik_targets | grep -qx i686 && zarnik_can_run_i386; then echo i686; else echo x86_64; fi
}
