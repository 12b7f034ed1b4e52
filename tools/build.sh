#!/usr/bin/env bash
# Configures and builds the given presets (default: all that the main job
# and the tests use).
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
((${#presets[@]})) || presets=(native win-x86 win-x64)
for p in "${presets[@]}"; do
  echo "== build $p"
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -- -j2 >/dev/null
done
