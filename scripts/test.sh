#!/usr/bin/env bash
# Installs what is missing, builds all presets and runs every test: the portable core
# natively, the Windows programs under Wine on a private Xvfb. The 32-bit Notes.exe, the
# program we ship, gets the whole system suite under i386 Wine (natively where the kernel
# runs i386 code, under qemu-user where it does not), driven by the 64-bit test driver; the
# 64-bit build then gets its unit tests and the smoke subset of the system tests. Where
# 32-bit programs cannot run at all, the 64-bit build gets the whole suite instead.
#
# The closing lines say which programs' system tests ran and how, and plainly when those of
# the shipped program did not, and why; under CI (CI set) that fails the run, unless
# NOTES_I386=off asked for it. Before them: each step's time and the 20 slowest tests.
#
# A further run of system tests (another code page, say) is one more `run` line below, e.g.
#   NOTES_LANG=en_US.UTF-8 run "win32 smoke tests under en_US.UTF-8" win32-smoke
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# System tests run side by side, each pair in a Wine prefix and display of its own.
slots=2
started=$(date +%s)
status=0
summary=()
timings=()
junits=()

step_started=0
step() { step_started=$(date +%s); }
took() { timings+=("$(printf '%5d s  %s' $(($(date +%s) - step_started)) "$1")"); }
passed() {  # name, command...
  local name=$1
  shift
  if "$@"; then summary+=("$name: passed"); else
    summary+=("$name: FAILED")
    status=1
  fi
}

step
scripts/setup.sh
took "set-up"
source scripts/i386.sh
notes_i386_detect
i386=$(notes_i386_mode)
skip32=OFF
[ "$i386" = unavailable ] && skip32=ON

echo "== check: no package archive's host in tracked files or commit messages"
passed "no archive host named" scripts/check-hosts.sh

for preset in host host-asan win32 win64; do
  echo "== build $preset"
  step
  case $preset in
  win32) cmake --preset win32 -DNOTES_SKIP_WINDOWS_TESTS=$skip32 -DNOTES_WINE_SLOTS=$slots >/dev/null ;;
  win64) cmake --preset win64 -DNOTES_WINE_SLOTS=$slots >/dev/null ;;
  *) cmake --preset "$preset" >/dev/null ;;
  esac
  cmake --build --preset "$preset" -j"$jobs"
  took "build $preset"
done

# Where no GoogleTest can be found (the README's build on Windows), configure still makes
# the program: one configure that finds none, then Notes.exe.
without_gtest() {
  local log=build/win32-without-gtest.log
  mkdir -p build
  cmake --preset win32-without-gtest >"$log" 2>&1 || { cat "$log"; return 1; }
  grep -q "GoogleTest is not installed" "$log" || {
    echo "the configure found a GoogleTest after all:"
    cat "$log"
    return 1
  }
  cmake --build --preset win32-without-gtest --target Notes -j"$jobs" &&
    [ -f build/win32-without-gtest/Notes.exe ]
}
echo "== build Notes.exe where no GoogleTest is found"
step
passed "configure without GoogleTest, build Notes.exe" without_gtest
took "build without GoogleTest"

source scripts/wine-env.sh
trap notes_stop_wine EXIT
notes_ensure_prefix
notes_ensure_slots $slots
notes_ensure_xvfb

run() {  # name, test preset, further ctest arguments...
  local name=$1 preset=$2 junit
  shift 2
  junit=$PWD/build/$preset${NOTES_LANG:+-$NOTES_LANG}-junit.xml
  rm -f "$junit"
  echo "== test $name"
  step
  passed "$name" ctest --preset "$preset" --output-junit "$junit" -j"$jobs" "$@"
  took "test $name"
  junits+=("$preset${NOTES_LANG:+@${NOTES_LANG%%.*}}=$junit")
}
run "host (portable core, scripts)" host
run "host-asan (AddressSanitizer, UBSan)" host-asan
if [ "$i386" = unavailable ]; then
  run "win32 (package and imports only; no 32-bit Windows programs here)" win32
  run "win64 (unit tests, whole system suite)" win64
else
  run "win32 (unit tests, whole system suite; i386 $i386)" win32
  run "win64 (unit tests, smoke system tests)" win64 -LE 'full|slow'
fi

# The shipped program (or the 64-bit one in its place) on the system languages of other
# code pages, 1252 and 950: the smoke tests, those of other languages, folders, users and
# libraries among them.
languages=win32-smoke
[ "$i386" = unavailable ] && languages=win64-smoke
for lang in en_US.UTF-8 zh_TW.UTF-8; do
  NOTES_LANG=$lang run "${languages%-smoke} smoke tests under $lang" $languages
done

echo "== fuzz"
step
passed "fuzz" scripts/fuzz.sh
took "fuzz"

# "system=N failed=N ..." of a run (see scripts/test-report.py).
counts() {  # test preset, locale of the run (none: the usual one)
  local junit=$PWD/build/$1${2:+-$2}-junit.xml tests=$PWD/build/$1-tests.json
  ctest --preset "$1" --show-only=json-v1 >"$tests" 2>/dev/null || echo '{}' >"$tests"
  scripts/test-report.py counts "$tests" "$junit"
}
# One line of which system tests of a program ran, and how they went.
system_line() {  # program, test preset, how, locale of the run (none: the usual one)
  local program=$1 preset=$2 how=$3 system failed smoke full slow _
  read -r system failed _ smoke full slow < <(counts "$preset" "${4:-}" | sed 's/[a-z]*=//g')
  if [ "$system" -eq 0 ]; then
    echo "$program: NO system tests ran ($how); see the $preset run above"
    status=1
  elif [ "$failed" -gt 0 ]; then
    echo "$program: $system system tests, $how ($smoke smoke, $full full, $slow slow): $failed FAILED"
  else
    echo "$program: $system system tests, $how ($smoke smoke, $full full, $slow slow): passed"
  fi
}

echo "== summary"
printf '%s\n' "${summary[@]}"
echo "Time of each step:"
printf '  %s\n' "${timings[@]}"
echo "The 20 slowest tests:"
scripts/test-report.py slowest 20 "${junits[@]}" | sed 's/^/  /'
echo "32-bit Windows programs: $(notes_i386_describe)"
if [ "$i386" != unavailable ]; then
  system_line "32-bit Notes.exe (the program we ship)" win32 "$i386"
  system_line "64-bit Notes.exe" win64 "wine64"
  for lang in en_US.UTF-8 zh_TW.UTF-8; do
    system_line "32-bit Notes.exe under $lang" win32-smoke "$i386" $lang
  done
else
  echo "32-bit Notes.exe (the program we ship): system tests NOT RUN: 32-bit Windows programs" \
    "cannot run here, $(notes_i386_describe)"
  system_line "64-bit Notes.exe (in the 32-bit one's place)" win64 "wine64"
  for lang in en_US.UTF-8 zh_TW.UTF-8; do
    system_line "64-bit Notes.exe under $lang" win64-smoke "wine64" $lang
  done
  if [ -n "${CI:-}" ] && [ "${NOTES_I386:-auto}" != off ]; then
    echo "CI: the shipped program's system tests must run in CI: FAILED"
    status=1
  fi
fi
echo "Total: $(($(date +%s) - started)) s"
exit $status
