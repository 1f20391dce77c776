#!/usr/bin/env bash
# Configures and builds both builds: build/host (native) and build/win32 (mingw).
#   tools/build.sh [host|win32]   (default: both)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
jobs=$(nproc)
which="${1:-both}"
case "$which" in host|win32|both) ;; *) echo "usage: $0 [host|win32]" >&2; exit 2 ;; esac
if [ "$which" != win32 ]; then
  [ -f build/host/build.ninja ] || cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/host -j "$jobs"
fi
if [ "$which" != host ]; then
  [ -f build/win32/build.ninja ] || cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
  cmake --build build/win32 -j "$jobs"
fi
