#!/usr/bin/env bash
# Takes docs/shell-open-list.png (the open dialog on a test tree in list view),
# docs/shell-open-details-tree.png (the same in details view with the tree shown) and
# docs/shell-save.png (the save dialog), each with the editor's title, from the screen with
# `import -window root`. The test ShellDialogTest.PicturesOfTheDialogs asks for each picture by
# writing its name into a request file and waits until this script has taken it and removed the
# file. Needs a built x86_64 controls test program (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/controls_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
zarnik_start_wine_services
ZARNIK_DIALOG_SHOTS="Z:${work//\//\\}" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='ShellDialogTest.PicturesOfTheDialogs' >"$work/log.txt" 2>&1 &
runner=$!
while kill -0 "$runner" 2>/dev/null; do
  if [[ -f "$work/request.txt" ]]; then
    name="$(tr -d '\r\n' <"$work/request.txt")"
    import -window root "$work/shot.png"
    # The dialog only, with a margin of the dark desktop around it.
    convert "$work/shot.png" -trim +repage -bordercolor black -border 8 "$ROOT/docs/$name.png"
    rm -f "$work/request.txt"
    echo "wrote docs/$name.png"
  fi
  sleep 0.2
done
wait "$runner" || { cat "$work/log.txt" | grep -v '^fixme' | tail -20; exit 1; }
