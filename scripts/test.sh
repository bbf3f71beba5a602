#!/usr/bin/env bash
# Installs what is missing, builds all three presets and runs every test:
# the portable core natively, the Windows programs under wine64 on a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh

for preset in host host-asan win32 win64; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done

source scripts/wine-env.sh
trap notes_stop_wine EXIT
notes_ensure_prefix
notes_ensure_xvfb

status=0
for preset in host host-asan win32 win64; do
  echo "== test $preset"
  ctest --preset "$preset" -j"$jobs" || status=1
done

echo "== fuzz"
scripts/fuzz.sh || status=1
exit $status
