#!/usr/bin/env bash
# Runs the density tests of system_tests.exe in a Wine prefix of their own whose screen
# density (HKCU\Control Panel\Desktop "LogPixels") is <dpi>, and keeps their screenshots.
# Wine reads LogPixels when its server starts, so the prefix is made and set up before any
# program runs in it, and its server is stopped afterwards; the project's own prefix is
# never touched. Usage: run.sh <dpi> <system_tests.exe>   (NOTES_EXE as for every system test)
set -euo pipefail
dpi=$1 tests=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
notes_ensure_prefix
template=$WINEPREFIX

export NOTES_WINEPREFIX=$NOTES_WINE_DIR/dpi-$dpi
export WINEPREFIX=$NOTES_WINEPREFIX
(
  flock 9
  if [ ! -f "$WINEPREFIX/.notes-ready" ]; then
    rm -rf "$WINEPREFIX"
    # Hard links keep the copy cheap; the registry, which Wine rewrites, gets copies of its own.
    cp -al "$template" "$WINEPREFIX"
    for f in "$WINEPREFIX"/*.reg; do cp --remove-destination "$template/${f##*/}" "$f"; done
    rm -f "$WINEPREFIX/.notes-ready"
    "$NOTES_WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1
    "$NOTES_WINESERVER" -w
    # The template's marker, which says what the copy holds: a marker that says less would
    # have the next Wine start make the prefix again, and the density with it.
    cp "$template/.notes-ready" "$WINEPREFIX/.notes-ready"
  fi
) 9>"$NOTES_WINE_DIR/.dpi-$dpi.lock"
trap '"$NOTES_WINESERVER" -k 2>/dev/null || true' EXIT

shots=$root/build/density
mkdir -p "$shots"
rm -f "$shots"/density-"$dpi"-*.bmp
status=0
NOTES_EXPECTED_DPI=$dpi NOTES_SHOTS_DIR="Z:${shots//\//\\}" \
  "$root/scripts/wine-run" "$tests" --gtest_filter='Density.*' --gtest_color=no || status=$?
for bmp in "$shots"/density-"$dpi"-*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
