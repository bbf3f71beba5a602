#!/usr/bin/env bash
# Fuzzes the portable core with libFuzzer under AddressSanitizer and UBSan: each target for
# FUZZ_SECONDS (default 30), starting from the corpus in tests/fuzz/corpus. A crash or a broken
# property fails the run and leaves the input that did it in build/fuzz/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
out=build/fuzz
mkdir -p "$out"
core_sources=$(ls src/core/*.cpp)
status=0
for source in tests/fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  name=${target#fuzz_}
  exe=$out/$target
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Isrc "$source" $core_sources -o "$exe"
  work=$out/$name
  rm -rf "$work"
  mkdir -p "$work/corpus"
  cp tests/fuzz/corpus/"$name"/* "$work/corpus/" 2>/dev/null || true
  echo "== fuzz $name for ${seconds}s"
  if ! (cd "$work" && "../$target" -max_total_time="$seconds" -print_final_stats=1 \
        -max_len=4096 corpus >log.txt 2>&1); then
    echo "fuzz $name FAILED; see $work/log.txt"
    tail -n 30 "$work/log.txt"
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$work/log.txt" || true
  fi
done
exit $status
