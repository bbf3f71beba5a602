#!/usr/bin/env bash
# Builds the shipped 32-bit Notes.exe and writes dist/Notes-<version>-win32.zip (the
# program and its user guide) with its .sha256 file, then checks what it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)"

version=$(sed -n 's/^#define NOTES_VERSION_TEXT "\(.*\)"$/\1/p' resources/version.h)
[ -n "$version" ] || { echo "release: no NOTES_VERSION_TEXT in resources/version.h" >&2; exit 1; }

# Symbols only help a debugger; the resources and code the program runs stay as they are.
stage=build/release
mkdir -p "$stage"
i686-w64-mingw32-strip --strip-all -o "$stage/Notes.exe" build/win32/Notes.exe

python3 scripts/package-release.py "$stage/Notes.exe" docs/user-guide.txt "$version" dist
python3 scripts/check-release.py "dist/Notes-$version-win32.zip" "$version"
