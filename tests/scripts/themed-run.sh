#!/usr/bin/env bash
# Runs a test executable with the project prefix's visual styles on (Wine's light theme) and
# turns them off again afterwards, whatever happens; the tests it runs fail rather than skip
# when the styles did not come on (ZARNIK_EXPECT_THEMES).
# Usage: themed-run.sh <i686|x86_64> program.exe [arguments]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
zarnik_wine_prefix
key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
styles_off() {
  zarnik_wine reg.exe add "$key" /v ThemeActive /d 0 /f
  zarnik_wine reg.exe delete "$key" /v DllName /f
} >/dev/null 2>&1
trap styles_off EXIT
{
  zarnik_wine reg.exe add "$key" /v ThemeActive /d 1 /f
  zarnik_wine reg.exe add "$key" /v DllName /d 'C:\windows\resources\themes\light\light.msstyles' /f
} >/dev/null 2>&1
ZARNIK_EXPECT_THEMES=1 "$ROOT/scripts/wine-run" "$@"
