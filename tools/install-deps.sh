#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, and creates the
# wine prefix the Windows tests run in. Safe to run again: it installs only
# what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang lld llvm libclang-rt-14-dev libgtest-dev python3
          wine wine64 wine32:i386)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# A wine prefix of the project's own; the first start creates it.
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$root/build/wine-prefix" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "creating wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko: the tests need neither, and their installers would ask.
  WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wine cmd /c exit >/dev/null 2>&1 || true
  timeout 60 wineserver -w || true
fi
