#!/usr/bin/env bash
# Installs what the launcher's builds and tests need on a Debian machine.
#   tools/setup.sh [native|windows|PACKAGE...]
# native: what the native build, its tests and the fuzzers need; windows:
# what the Windows build and its tests under Wine need, and the locale they
# run in; both when nothing is named. Idempotent: on a machine that has
# every package it changes nothing and asks no mirror. A mirror caught
# mid-sync does not stop it (tools/apt).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

native=(cmake ninja-build g++ googletest python3 clang libclang-rt-dev)
windows=(
  mingw-w64 wine wine32 xvfb xauth x11-utils
  xserver-xorg-core xserver-xorg-video-dummy
  fonts-wqy-microhei imagemagick locales
  openssl osslsigncode iproute2
)
case "${1:-}" in
  '') packages=("${native[@]}" "${windows[@]}"); with_locale=1 ;;
  native) packages=("${native[@]}") ;;
  windows) packages=("${windows[@]}"); with_locale=1 ;;
  *) packages=("$@") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # wine32 and its libraries are i386 packages.
  if [ "${1:-}" != native ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  echo "setup: installing ${missing[*]}"
  "$here/apt/install.sh" "${missing[@]}"
fi

# Wine takes its code page from the locale: zh_CN.UTF-8 gives 936, as our
# players have. glibc must know that locale for Wine to see it.
if [ -n "${with_locale:-}" ] && ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
