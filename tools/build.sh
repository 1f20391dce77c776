#!/usr/bin/env bash
# Configures and builds both builds: build/host (native) and build/win32 (mingw).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
jobs=$(nproc)
[ -f build/host/build.ninja ] || cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host -j "$jobs"
[ -f build/win32/build.ninja ] || cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build build/win32 -j "$jobs"
