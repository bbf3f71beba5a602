#!/usr/bin/env bash
# Installs what is missing, builds the note and starts it: the 32-bit Notes.exe, the program
# users get, wherever 32-bit Windows programs run here (natively or under qemu-user), else
# the 64-bit build, saying so. On your desktop when DISPLAY is set; otherwise on a private
# Xvfb, where it waits for the note window (NOTES_RUN_WAIT seconds at most, 60 by default),
# saves a screenshot and ends again. The note keeps its files in build/run/, beside the copy
# of Notes.exe that runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
# Its own prefix, so a running note never meets the tests' windows.
export NOTES_WINEPREFIX=$PWD/build/wine/run-prefix
export NOTES_WINE_DIR=$PWD/build/wine/run
source scripts/wine-env.sh
notes_i386_detect
preset=win32 loader=$NOTES_WINE32
if [ "$(notes_i386_mode)" = unavailable ]; then
  echo "run.sh: 32-bit Windows programs cannot run here: $(notes_i386_describe)."
  echo "run.sh: starting the 64-bit Notes.exe instead; the program users get is the 32-bit one."
  preset=win64 loader=$NOTES_WINE64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target Notes -j"$(nproc)"

rundir=$PWD/build/run
mkdir -p "$rundir"
cp "build/$preset/Notes.exe" "$rundir/"
notes_ensure_prefix
cd "$rundir"

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting the $preset Notes.exe on $DISPLAY; its files are in $rundir"
  exec "$loader" Notes.exe
fi

trap notes_stop_wine EXIT
notes_ensure_xvfb
"$loader" Notes.exe </dev/null >"$rundir/wine.log" 2>&1 &
note=$!
# Wine names a program's X windows after it (WM_CLASS "notes.exe"); the note is the one
# that is mapped.
limit=${NOTES_RUN_WAIT:-60}
deadline=$(($(date +%s) + limit))
until xdotool search --onlyvisible --classname '^notes\.exe$' >/dev/null 2>&1; do
  if ! kill -0 $note 2>/dev/null; then
    echo "run.sh: Notes.exe ended before its window was shown; Wine's output:" >&2
    sed 's/^/  /' "$rundir/wine.log" >&2
    exit 1
  fi
  if [ "$(date +%s)" -ge "$deadline" ]; then
    import -window root "$rundir/screenshot.png" || true
    echo "run.sh: no note window within $limit s; the screen as it was:" \
      "$rundir/screenshot.png" >&2
    exit 1
  fi
  sleep 0.2
done
sleep 1  # its first painting
import -window root "$rundir/screenshot.png"
echo "No DISPLAY: the $preset Notes.exe ran on a private Xvfb ($DISPLAY); screenshot:" \
  "$rundir/screenshot.png"
