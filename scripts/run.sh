#!/usr/bin/env bash
# Installs what is missing, builds the note and starts it: on your desktop when DISPLAY is
# set, otherwise on a private Xvfb, where it saves a screenshot and ends again.
# The note keeps its files in build/run/, beside the copy of Notes.exe that runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Notes -j"$(nproc)"

rundir=$PWD/build/run
mkdir -p "$rundir"
cp build/win64/Notes.exe "$rundir/"

# Its own prefix, so a running note never meets the tests' windows.
export NOTES_WINEPREFIX=$PWD/build/wine/run-prefix
export NOTES_WINE_DIR=$PWD/build/wine/run
source scripts/wine-env.sh
notes_ensure_prefix
cd "$rundir"

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting the note on $DISPLAY; its files are in $rundir"
  exec "$NOTES_WINE64" Notes.exe
fi

trap notes_stop_wine EXIT
notes_ensure_xvfb
"$NOTES_WINE64" Notes.exe &
sleep 5
import -window root "$rundir/screenshot.png"
echo "No DISPLAY: the note ran on a private Xvfb ($DISPLAY); screenshot: $rundir/screenshot.png"
