#!/usr/bin/env bash
# The main job: sets up the machine, builds the native libraries and the
# three Windows DLLs, and runs the demo session through each of them: the
# native builds directly, the DLLs under wine next to the simulated
# FTD2XX.dll.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/install-deps.sh
bash tools/build.sh native win-x86 win-x64
export WINEPREFIX="$root/build/wine-prefix" WINEDEBUG=-all

echo
echo "######## native libraries (Linux) ########"
for lib in zuvivid didovur6 dadadaz4; do
  build/native/demo_$lib
  echo
done
echo "######## Windows DLLs under wine ########"
for lib in ZUVIVID DIDOVUR6; do
  (cd build/win-x86 && timeout 120 wine demo_$lib.exe)
  echo
done
(cd build/win-x64 && timeout 120 wine demo_DADADAZ4.exe)
echo
for lib in ZUVIVID DIDOVUR6; do
  python3 tools/winabi.py check --dll $lib build/win-x86/$lib.dll
done
python3 tools/winabi.py check --dll DADADAZ4 build/win-x64/DADADAZ4.dll
