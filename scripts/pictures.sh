#!/usr/bin/env bash
# Renders the real program on the project's private Xvfb and writes the README's pictures
# into docs/images: the note with formatted text and a link, its menu, the font dialog, the
# About window, both floating panels, the colour list dropped down and, once the program has
# it, the notification-area menu (what the program lacks is skipped with a message).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target pictures -j"$(nproc)"

# A prefix and display of their own, so the pictures never meet the tests' windows.
export NOTES_WINEPREFIX=$PWD/build/wine/pictures-prefix
export NOTES_WINE_DIR=$PWD/build/wine/pictures
source scripts/wine-env.sh
trap notes_stop_wine EXIT
notes_ensure_prefix
# Wine draws caption buttons, check marks and arrows with the Marlett font; without it they
# come out as letters and digits. Debian keeps it in fonts-wine; only this prefix gets it.
fonts=$PWD/build/wine/fonts-wine
if [ ! -f "$fonts/usr/share/wine/fonts/marlett.ttf" ]; then
  (mkdir -p "$fonts" && cd "$fonts" && apt-get download -q fonts-wine >/dev/null 2>&1 &&
    dpkg-deb -x fonts-wine_*.deb "$fonts") ||
    echo "pictures: fonts-wine cannot be fetched; caption buttons will show letters"
fi
if [ -f "$fonts/usr/share/wine/fonts/marlett.ttf" ]; then
  cp "$fonts/usr/share/wine/fonts/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
fi
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
