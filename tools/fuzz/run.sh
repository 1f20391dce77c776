#!/usr/bin/env bash
# Builds the fuzz targets natively with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (build/fuzz, cmake/fuzz.cmake), and runs each
# for a while on its committed seed corpus (tools/fuzz/corpus/<target>), as
# many at once as there are cores, printing executions and findings.
#   tools/fuzz/run.sh [seconds per target]   (default 60)
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds=${1:-60}
out="$root/build/fuzz"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (tools/setup.sh installs it)" >&2; exit 1; }
if [ ! -f "$out/build.ninja" ]; then
  cmake -S "$root" -B "$out" -G Ninja -DZUVA_FUZZ=ON -DCMAKE_BUILD_TYPE=Fuzz \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
fi
cmake --build "$out" -j "$(nproc)" >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }

targets=(app_command ini_values http_address update_key notice_record skin_image file_version signer_certificate)
run_one() {
  local name="$1" work="$out/$1-corpus"
  mkdir -p "$work"
  if "$out/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$name-" \
      "$work" "$root/tools/fuzz/corpus/$name" >"$out/$name.log" 2>&1; then
    rm -f "$out/$name.failed"
  else
    touch "$out/$name.failed"
  fi
}
running=0
for name in "${targets[@]}"; do
  if [ $running -ge "$(nproc)" ]; then
    wait -n
    running=$((running - 1))
  fi
  run_one "$name" &
  running=$((running + 1))
done
wait

failed=0
for name in "${targets[@]}"; do
  echo "== fuzz_$name for ${seconds}s"
  [ -f "$out/$name.failed" ] && failed=1
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done [0-9]+ runs' "$out/$name.log" || true
done
[ $failed -eq 0 ] && echo "fuzz: no findings" || { echo "fuzz: FINDINGS (see $out/*.log)"; exit 1; }
