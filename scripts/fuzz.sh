#!/bin/bash
# Builds the proggroup.c load fuzzer with clang (libFuzzer, ASan, UBSan) and
# runs it for the given number of seconds.
#   scripts/fuzz.sh [SECONDS]          default 60
# Findings (crash-*, timeout-*, leak-*) land in build/fuzz/artifacts/; the
# growing corpus is kept in build/fuzz/corpus/ between runs; the seeds are
# every file under tests/fixtures/proggroup/ (the golden files of the tests
# and the odd ones of seeds/), which libFuzzer reads with its subfolders.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out/obj" "$out/corpus" "$out/artifacts"

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing: apt-get install clang" >&2
  exit 1
fi

flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra -Werror
       -fsanitize=address,undefined -fno-sanitize-recover=all -I"$root")

# The store with everything it links against (the utility classes and the
# simulated machine), compiled once and again only when a source changed.
sources=("$root"/common/*.cpp "$root"/common/store/*.cpp "$root"/common/platform/sim/*.cpp)
objects=()
stale=()
for source in "${sources[@]}"; do
  object=$out/obj/$(realpath --relative-to="$root" "$source" | tr / _).o
  objects+=("$object")
  if [[ ! -f $object || $source -nt $object ]] ||
     find "$root/common" -name '*.h' -newer "$object" | grep -q .; then
    stale+=("$source:$object")
  fi
done
if ((${#stale[@]})); then
  printf '%s\n' "${stale[@]}" |
    xargs -P 2 -I{} bash -c 'src=${1%%:*}; obj=${1#*:}; shift; clang++ "$@" -fsanitize=fuzzer-no-link -c "$src" -o "$obj"' _ {} "${flags[@]}"
fi
clang++ "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/proggroup_load_fuzzer.cpp" "${objects[@]}" \
  -o "$out/proggroup_load_fuzzer"

cd "$out"
exec ./proggroup_load_fuzzer -max_total_time="$seconds" -max_len=16384 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 -dict="$root/tests/fuzz/proggroup.dict" \
  -artifact_prefix="$out/artifacts/" "$out/corpus" "$root/tests/fixtures/proggroup"
