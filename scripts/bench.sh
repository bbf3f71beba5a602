#!/usr/bin/env bash
# Runs the benchmarks of Notes.exe against the baseline program and regenerates
# docs/PERFORMANCE.md with docs/images/typing-latency.png. Takes minutes, so the tests never
# run it. Under a Wine prefix and Xvfb of its own: benchmarks never meet the tests.
#
#   scripts/bench.sh [--arch win64|win32] [--reps N] [--keys N] [--load-reps N]
#                    [--idle-seconds S] [--only startup,typing,idle,profile]
#                    [--earlier REV,...]
#   --arch: the build measured, runner and baseline alike (default win64). win32, the
#           program we ship, runs under i386 Wine and fills the report's 32-bit part
#           (plot docs/images/typing-latency-win32.png); each run keeps the other's part.
#   --reps: start-ups of each program per note size (default 5)
#   --keys: keystrokes per program per note size (default 200)
#   --load-reps: loads of the 1 MB and 10 MB notes per way of reading (default 2)
#   --earlier: commits (hashes or branch names without '/') whose Notes.exe is built apart
#           and started in the same start-up rounds: each change as a before/after ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
command="scripts/bench.sh${*:+ $*}"

arch=win64
reps=5
keys=200
load_reps=2
idle=10
only=startup,typing,idle,profile
earlier=
while [ $# -gt 0 ]; do
  case $1 in
  --arch) arch=$2; shift 2 ;;
  --reps) reps=$2; shift 2 ;;
  --keys) keys=$2; shift 2 ;;
  --idle-seconds) idle=$2; shift 2 ;;
  --load-reps) load_reps=$2; shift 2 ;;
  --only) only=$2; shift 2 ;;
  --earlier) earlier=$2; shift 2 ;;
  *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done

case $arch in
win64) plot=docs/images/typing-latency.png ;;
win32) plot=docs/images/typing-latency-win32.png ;;
*) echo "--arch is win64 or win32, not $arch" >&2; exit 2 ;;
esac

echo "== build ($arch)"
# The benchmarks come with the Windows tests.
cmake --preset "$arch" -DNOTES_SKIP_WINDOWS_TESTS=OFF >/dev/null
cmake --build --preset "$arch" -j2 --target Notes baseline bench_runner menu_probe
if [ "$arch" = win64 ]; then
  # The footprint is always that of the program we ship.
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j2 --target Notes
fi

# Each earlier build from its commit's own tree, beside the runner as Notes-REV.exe; a
# commit's tree is built once and kept.
for rev in ${earlier//,/ }; do
  commit=$(git rev-parse --verify "$rev^{commit}")
  src=$root/build/bench/earlier/$commit
  if [ ! -f "$src/build/$arch/Notes.exe" ]; then
    echo "== build $rev ($arch)"
    rm -rf "$src"
    mkdir -p "$src"
    git archive "$commit" | tar -x -C "$src"
    (cd "$src" && cmake --preset "$arch" -DNOTES_SKIP_WINDOWS_TESTS=ON >/dev/null &&
      cmake --build --preset "$arch" -j2 --target Notes >/dev/null)
  fi
  cp "$src/build/$arch/Notes.exe" "build/$arch/Notes-$rev.exe"
done

export NOTES_WINE_DIR=$root/build/wine/bench
export NOTES_WINEPREFIX=$root/build/wine/bench-prefix
source scripts/wine-env.sh
loader=$NOTES_WINE64
i386=
if [ "$arch" = win32 ]; then
  i386=$(notes_i386_mode)
  if [ "$i386" = unavailable ]; then
    echo "bench: 32-bit Windows programs cannot run here: $(notes_i386_describe)" >&2
    exit 1
  fi
  loader=$NOTES_WINE32
  echo "== 32-bit programs: $(notes_i386_describe)"
fi
trap notes_stop_wine EXIT
notes_ensure_prefix
notes_ensure_xvfb
# Wine's server and desktop started apart from our output (see scripts/wine-run).
"$NOTES_WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true

out=$root/build/bench/$arch
mkdir -p "$out" docs/images
load_start=$(cut -d' ' -f1-3 /proc/loadavg)
echo "== run (reps $reps, keys $keys, idle ${idle} s)"
"$loader" "build/$arch/bench_runner.exe" --out "Z:${out//\//\\}\\results.tsv" \
  --reps "$reps" --keys "$keys" --idle-seconds "$idle" --load-reps "$load_reps" --only "$only" \
  ${earlier:+--earlier "$earlier"}
load_end=$(cut -d' ' -f1-3 /proc/loadavg)

echo "== footprint"
i686-w64-mingw32-strip -o "$out/Notes-stripped.exe" build/win32/Notes.exe
if scripts/check-imports.sh build/win32/Notes.exe i686-w64-mingw32-objdump >/dev/null 2>&1; then
  imports="system DLLs only"
else
  imports="**not only system DLLs**"
fi

# What bench/findings.md explains was seen in the 64-bit runs.
findings=
[ "$arch" = win64 ] && findings=$root/bench/findings.md
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
cat >"$out/meta.txt" <<META
date=$(date -u '+%Y-%m-%d %H:%M UTC')
machine=$cpu, $(nproc) cores, $(uname -sr), shared with other developers' builds and tests
load_start=$load_start
load_end=$load_end
wine=$("$loader" --version 2>/dev/null || echo unknown)
arch=$arch
i386=$i386
commit=$(git rev-parse --short HEAD)
command=$command
idle_seconds=$idle
stripped_bytes=$(stat -c %s "$out/Notes-stripped.exe")
imports=$imports
findings=$findings
note=Taken on a machine shared with other developers' builds and tests (see the load average): absolute times, and the p95 most, are inflated and noisy. Read the ratios, which come from interleaved runs.
META

python3 bench/report.py --results "$out/results.tsv" --meta "$out/meta.txt" \
  --out docs/PERFORMANCE.md --plot "$plot" --plot-data "$out/typing.dat"
echo "== wrote docs/PERFORMANCE.md ($arch part) and $plot"
