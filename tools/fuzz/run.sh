#!/usr/bin/env bash
# Builds the fuzz targets natively with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a while on its committed
# seed corpus (tools/fuzz/corpus/<target>), printing executions and findings.
#   tools/fuzz/run.sh [seconds per target]   (default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds=${1:-60}
out="$root/build/fuzz"
mkdir -p "$out/obj"
flags=(-std=c++17 -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=undefined -I"$root/src" -I"$root/res")

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (tools/setup.sh installs it)" >&2; exit 1; }

# Every portable source once, instrumented for the fuzzer; each target links
# what it needs from them. A changed header may change any of them, so all
# are built anew then.
stamp="$out/obj/.headers"
if [ ! -f "$stamp" ] || [ -n "$(find "$root/src" -name '*.h' -newer "$stamp" -print -quit)" ]; then
  rm -f "$out/obj/"*.o
  touch "$stamp"
fi
objects=()
while IFS= read -r source; do
  obj="$out/obj/$(basename "${source%.cpp}").o"
  if [ ! -f "$obj" ] || [ "$source" -nt "$obj" ]; then
    clang++ "${flags[@]}" -fsanitize=fuzzer-no-link -c "$source" -o "$obj"
  fi
  objects+=("$obj")
done < <(cmake -P "$root/tools/fuzz/portable-sources.cmake" 2>&1)
ar rcs "$out/libportable.a" "${objects[@]}"

targets=(app_command ini_values http_address update_key notice_record skin_image file_version signer_certificate)
failed=0
for name in "${targets[@]}"; do
  source="$root/tools/fuzz/Fuzz$(echo "$name" | sed -E 's/(^|_)([a-z])/\U\2/g').cpp"
  clang++ "${flags[@]}" -fsanitize=fuzzer "$source" "$out/libportable.a" -o "$out/fuzz_$name"
  work="$out/$name-corpus"
  mkdir -p "$work"
  echo "== fuzz_$name for ${seconds}s"
  if ! "$out/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$name-" \
      "$work" "$root/tools/fuzz/corpus/$name" >"$out/$name.log" 2>&1; then
    failed=1
  fi
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done [0-9]+ runs' "$out/$name.log" || true
done
[ $failed -eq 0 ] && echo "fuzz: no findings" || { echo "fuzz: FINDINGS (see $out/*.log)"; exit 1; }
