#!/usr/bin/env bash
# Installs what is missing, builds all presets and runs every test: the portable core
# natively, the Windows programs under Wine on a private Xvfb. The 32-bit Notes.exe, the
# program we ship, gets the whole system suite under i386 Wine (natively where the kernel
# runs i386 code, under qemu-user where it does not); the 64-bit build then gets its unit
# tests and a smoke subset of the system tests. Where 32-bit programs cannot run at all,
# the 64-bit build gets the whole suite instead, and the summary says so.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# System tests run side by side, each pair in a Wine prefix and display of its own.
slots=2

scripts/setup.sh
source scripts/i386.sh
i386=$(notes_i386_mode)
skip32=OFF
[ "$i386" = unavailable ] && skip32=ON

for preset in host host-asan win32 win64; do
  echo "== build $preset"
  case $preset in
  win32) cmake --preset win32 -DNOTES_SKIP_WINDOWS_TESTS=$skip32 -DNOTES_WINE_SLOTS=$slots >/dev/null ;;
  win64) cmake --preset win64 -DNOTES_WINE_SLOTS=$slots >/dev/null ;;
  *) cmake --preset "$preset" >/dev/null ;;
  esac
  cmake --build --preset "$preset" -j"$jobs"
done

source scripts/wine-env.sh
trap notes_stop_wine EXIT
notes_ensure_prefix
notes_ensure_slots $slots
notes_ensure_xvfb

status=0
summary=()
run() {  # name, ctest arguments...
  local name=$1
  shift
  echo "== test $name"
  if ctest "$@" -j"$jobs"; then summary+=("$name: passed"); else
    summary+=("$name: FAILED")
    status=1
  fi
}
run "host (portable core)" --preset host
run "host-asan (AddressSanitizer, UBSan)" --preset host-asan
if [ "$i386" = unavailable ]; then
  run "win32 (package and imports only; no 32-bit Windows programs here)" --preset win32
  run "win64 (unit tests, whole system suite)" --preset win64
else
  run "win32 (unit tests, whole system suite; i386 $i386)" --preset win32
  run "win64 (unit tests, smoke system tests)" --preset win64 -LE 'full|slow'
fi

echo "== fuzz"
if scripts/fuzz.sh; then summary+=("fuzz: passed"); else
  summary+=("fuzz: FAILED")
  status=1
fi

echo "== summary"
echo "32-bit Windows programs: $(notes_i386_describe)"
printf '%s\n' "${summary[@]}"
exit $status
