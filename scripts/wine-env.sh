# Sourced by the scripts that run our executables under Wine: a project-local prefix, made once,
# pinned to Windows 7 with visual styles off and no Mono/Gecko prompts; quiet Wine; Mesa's
# software OpenGL.
ZARNIK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${ZARNIK_WINEPREFIX:-$ZARNIK_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LIBGL_ALWAYS_SOFTWARE=1

zarnik_wine_prefix() {
  local stamp="$WINEPREFIX/.zarnik-ready"
  [ -f "$stamp" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$stamp" ] && exit 0
    # A prefix left half made by an earlier run may still have a server: start clean.
    wineserver -k >/dev/null 2>&1 || true
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null 2>&1
    wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v DllName /f >/dev/null 2>&1
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
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}
