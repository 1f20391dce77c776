#!/usr/bin/env bash
# Builds the fuzz targets natively with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a while.
#   tools/fuzz/run.sh [seconds per target]   (default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds=${1:-60}
out="$root/build/fuzz"
mkdir -p "$out"
flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root/src")

build() {  # name, sources...
  local name=$1; shift
  clang++ "${flags[@]}" "$@" -o "$out/$name"
}

build fuzz_app_command "$root/tools/fuzz/FuzzAppCommand.cpp" \
  "$root/src/login/AppCommand.cpp" "$root/src/app/Utf8Text.cpp"

for target in fuzz_app_command; do
  corpus="$root/tools/fuzz/corpus/${target#fuzz_}"
  work="$out/$target-corpus"
  mkdir -p "$work"
  echo "== $target for ${seconds}s"
  "$out/$target" -max_total_time="$seconds" -print_final_stats=1 "$work" "$corpus" 2>&1 | \
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|ERROR|SUMMARY|Done' || true
done
