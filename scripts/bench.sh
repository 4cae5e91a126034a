#!/usr/bin/env bash
# Runs every benchmark: the native ones optimised and without sanitizers in
# build/bench, and the timed runs under Wine against build/windows.
#   scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=$(cd build/bench && ninja -t targets all | sed -n 's/^\(bench\/[a-z_]*_bench\): .*/\1/p' | sort -u)
for target in $targets; do
  name=$(basename "$target")
  cmake --build build/bench --target "$name"
  echo "== $name"
  "build/bench/bench/$name"
done
for script in bench/*_bench.sh; do
  echo "== $script"
  "$script" build/windows
done
