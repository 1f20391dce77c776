#!/usr/bin/env bash
# Download throughput on loopback: a 10 MB file from the test portal fetched
# by the launcher's HTTP client under Wine, against curl fetching the same
# file natively. Best of 3 each; prints both and the time ratio.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
tools/build.sh >/dev/null
port=47862
work=$(mktemp -d)
trap 'tools/portal/ctl.sh stop "$work/portal.pid"; rm -rf "$work"' EXIT
head -c 10000000 /dev/urandom > "$work/big.bin"
tools/portal/ctl.sh start $port "$work" "$work/portal.pid"
url="http://127.0.0.1:$port/big.bin"

best_curl=999
for _ in 1 2 3; do
  t=$(curl -s -o /dev/null -w '%{time_total}' "$url")
  best_curl=$(awk -v a="$t" -v b="$best_curl" 'BEGIN { print (a < b) ? a : b }')
done

source tools/wine/session.sh
zuva_wine_env "$root/build/win32/wineprefix"
zuva_wine_prefix
own=0
if [ -z "${DISPLAY:-}" ]; then zuva_display_start; own=1; fi
zuva_wineserver_keep
zuva_wine_warm
ours=$(wine build/win32/zuva_bench_download.exe "$url" 'C:\users\Public\zuva-bench.bin' 3 | tr -d '\r')
wine cmd /c del 'C:\users\Public\zuva-bench.bin' >/dev/null 2>&1 || true
zuva_wineserver_stop
[ $own = 1 ] && zuva_display_stop

ours_s=${ours%% s*}
echo "curl (native):                 $best_curl s, $(awk -v t="$best_curl" 'BEGIN { printf "%.1f", 10 / t }') MB/s"
echo "HttpDownloadFile (under Wine): $ours"
awk -v a="$ours_s" -v b="$best_curl" 'BEGIN { printf "time ratio ours/curl: %.1f\n", a / b }'
