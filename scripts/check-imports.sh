#!/usr/bin/env bash
# Notes.exe must be one file: everything but the system's own DLLs linked in.
# Usage: check-imports.sh <exe> <objdump>
set -euo pipefail
exe=$1
objdump=$2
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|SHELL32|ADVAPI32|msvcrt)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ -n "$dlls" ] || { echo "no import table found in $exe"; exit 1; }
bad=$(printf '%s\n' "$dlls" | grep -viE "$allowed" || true)
echo "imports of $(basename "$exe"): $(printf '%s ' $dlls)"
if [ -n "$bad" ]; then
  echo "not a system DLL: $bad"
  exit 1
fi
