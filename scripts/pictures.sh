#!/usr/bin/env bash
# Renders the real program on the project's private Xvfb and writes the README's pictures
# into docs/images: the note with formatted text and a link, its menu, the font dialog, the
# About window, and, once the program has them, the transparency and colour panels, the
# colour list dropped down and the notification-area menu (skipped with a message before).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target pictures -j"$(nproc)"

source scripts/wine-env.sh
trap notes_stop_wine EXIT
notes_ensure_prefix
notes_ensure_xvfb

shots=$PWD/build/pictures
rm -rf "$shots"
mkdir -p "$shots" docs/images
status=0
NOTES_EXE="Z:${PWD//\//\\}\\build\\win64\\Notes.exe" \
  scripts/wine-run build/win64/pictures.exe "Z:${shots//\//\\}" </dev/null || status=$?

if [ -f "$shots/crops.txt" ]; then
  while read -r name left top width height; do
    convert "$shots/$name.bmp" -crop "${width}x${height}+${left}+${top}" +repage \
      -strip "docs/images/$name.png"
    echo "docs/images/$name.png (${width}x${height})"
  done <"$shots/crops.txt"
fi
exit $status
