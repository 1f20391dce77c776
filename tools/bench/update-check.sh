#!/usr/bin/env bash
# What the check of a downloaded build adds to a 10 MB update, under Wine:
# the digest alone and the whole check (digest, image, WinVerifyTrust with
# revocation from the cache, file version), for a build signed by the
# publisher the scripted build names and for the same build unsigned (refused
# at the signature), beside md5sum digesting the same file natively. Best of 3.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
tools/build.sh >/dev/null
build="$root/build/win32"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A 10 MB newer build: the test builds' newer launcher with data after its
# image, signed and not.
newer="$build/signed/new-unsigned.exe"
{ cat "$newer"; head -c $((10000000 - $(stat -c %s "$newer"))) /dev/urandom; } >"$work/big.exe"
osslsigncode sign -certs "$build/signed/A.crt" -key "$build/signed/A.key" -h sha256 \
  -in "$work/big.exe" -out "$work/big-A.exe" >/dev/null
cat "$work/big.exe" "$work/big-A.exe" >/dev/null  # into the page cache

best_md5sum=999
for _ in 1 2 3; do
  t0=$(date +%s%N); md5sum "$work/big.exe" >/dev/null; t1=$(date +%s%N)
  best_md5sum=$(awk -v a=$(((t1 - t0) / 1000)) -v b="$best_md5sum" 'BEGIN { s = a / 1e6; print (s < b) ? s : b }')
done

source tools/wine/session.sh
trap 'zuva_wine_session_end; rm -rf "$work"' EXIT
zuva_wine_session "$build/wineprefix"
bench="$build/zuva_bench_update_check.exe"
unsigned=$(wine "$bench" "$(winepath -w "$work/big.exe")" 3 2>/dev/null | tr -d '\r' || true)
signed=$(wine "$bench" "$(winepath -w "$work/big-A.exe")" 3 2>/dev/null | tr -d '\r' || true)

echo "md5sum (native), 10 MB:                  $best_md5sum s"
echo "unsigned build (under Wine):             $unsigned"
echo "signed by the named publisher (Wine):    $signed"
awk -v d="${unsigned#digest }" -v m="$best_md5sum" 'BEGIN { split(d, f, " "); printf "time ratio digest/md5sum: %.1f\n", f[1] / m }'
