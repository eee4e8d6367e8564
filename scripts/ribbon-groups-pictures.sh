#!/usr/bin/env bash
# Draws docs/ribbon-groups-full.png, docs/ribbon-groups-reduced.png and docs/ribbon-groups-popup.png:
# the editor-like test ribbon at full width, narrowed until its right groups are reduced, and as
# narrow as it shows with a collapsed group's popup open, read back from the screen. Needs a
# built x86_64 toolkit test program (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
zarnik_start_wine_services
ZARNIK_RIBBON_GROUPS_PICTURES="Z:${work//\//\\}" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" \
  --gtest_filter='GroupsOnFormTest.NarrowingTheForm*:GroupsOnFormTest.ACollapsedGroupOpens*' >/dev/null
for name in full reduced popup; do
  convert "$work/$name.bmp" "$ROOT/docs/ribbon-groups-$name.png"
  echo "wrote docs/ribbon-groups-$name.png"
done
