#!/usr/bin/env bash
# Every test: native unit, fault-sweep and host tests (the host tests
# include the multi-threaded ones), the same under AddressSanitizer with
# UndefinedBehaviorSanitizer and under ThreadSanitizer, a short run of each
# fuzz target, the Windows DLLs' interface checks and their end-to-end tests
# under wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/install-deps.sh
presets=(native asan tsan fuzz win-x86 win-x64)
bash tools/build.sh "${presets[@]}"
export WINEPREFIX="$root/build/wine-prefix" WINEDEBUG=-all
status=0
for p in "${presets[@]}"; do
  echo "== test $p"
  ctest --preset "$p" -j2 || status=1
done
exit $status
