#!/bin/sh
# Times "Vantrel.exe -nogui" with nothing to start against a minimal Win32
# program under the same Wine prefix, and reports the medians, their ratio
# and the peak memory of each:
#
#   bench/login_bench.sh [build folder] [runs]      (defaults: build/windows, 15)
#
# The program folder holds the shipped files (lang\, data\) and a
# proggroup.c whose group "Startup" is empty, as after a fresh install with
# startup type 1: Vantrel loads its texts and the file, loads its hidden
# window with the tray icon, finds nothing to start and ends.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
runs=${2:-15}

if [ ! -f "$build/Vantrel.exe" ]; then
  echo "$0: $build/Vantrel.exe not found; build the windows preset first" >&2
  exit 1
fi
for tool in x86_64-w64-mingw32-gcc wine /usr/bin/time; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$0: $tool not found" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The smallest useful Windows program: it starts and ends.
cat >"$work/minimal.c" <<'C'
#include <windows.h>
int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR c, int d) {
  (void)a; (void)b; (void)c; (void)d;
  return 0;
}
C
mkdir "$work/minimal"
x86_64-w64-mingw32-gcc -O2 -static -mwindows -o "$work/minimal/minimal.exe" "$work/minimal.c"
x86_64-w64-mingw32-gcc -O2 -static -mwindows -o "$work/minimal/tray.exe" "$here/tray.c" -lshell32

prefix=$build/wineprefix
"$root/scripts/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

folder=$work/Vantrel
mkdir "$folder"
cp "$build/Vantrel.exe" "$folder/"
cp -r "$root/package/." "$folder/"
user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r')
mkdir -p "$folder/$user"
printf '%s\r\n' 'const MainStartupDelay = 30;' 'const StartupType = 1;' 'const CloseType = 1;' \
  'const Language = en;' 'const ShowTipsAtStartup = 0;' '' 'void Startup()' '{' '}' \
  >"$folder/$user/proggroup.c"

# One run: wall milliseconds and peak resident kilobytes.
measure() {
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/rss" wine "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000000 )) $(cat "$work/rss")"
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Warm all up once (file cache, Wine's DLLs), then take turns, so that a
# busy moment of the machine falls on all three alike.
measure "$work/minimal/minimal.exe" >/dev/null
measure "$work/minimal/tray.exe" >/dev/null
measure "$folder/Vantrel.exe" -nogui >/dev/null
: >"$work/minimal.txt"
: >"$work/tray.txt"
: >"$work/vantrel.txt"
i=0
while [ "$i" -lt "$runs" ]; do
  measure "$work/minimal/minimal.exe" >>"$work/minimal.txt"
  measure "$work/minimal/tray.exe" >>"$work/tray.txt"
  measure "$folder/Vantrel.exe" -nogui >>"$work/vantrel.txt"
  i=$((i + 1))
done

if [ -s "$folder/log.txt" ]; then
  echo "$0: Vantrel wrote to its log, so it did more than expected:" >&2
  cat "$folder/log.txt" >&2
  exit 1
fi

# name: median ms, fastest ms, peak KB
summary() {
  median_ms=$(cut -d' ' -f1 "$work/$1.txt" | median)
  fastest_ms=$(cut -d' ' -f1 "$work/$1.txt" | sort -n | head -1)
  peak_kb=$(cut -d' ' -f2 "$work/$1.txt" | sort -n | tail -1)
  echo "$median_ms $fastest_ms $peak_kb"
}
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

set -- $(summary minimal)
minimal_ms=$1 minimal_fastest=$2 minimal_kb=$3
set -- $(summary tray)
tray_ms=$1 tray_fastest=$2 tray_kb=$3
set -- $(summary vantrel)
vantrel_ms=$1 vantrel_fastest=$2 vantrel_kb=$3

echo "runs each: $runs (wall time of the whole wine process; peak resident set)"
printf '%-20s median %6s ms  fastest %6s ms  peak %6s KB\n' \
  minimal.exe "$minimal_ms" "$minimal_fastest" "$minimal_kb" \
  tray.exe "$tray_ms" "$tray_fastest" "$tray_kb" \
  "Vantrel.exe -nogui" "$vantrel_ms" "$vantrel_fastest" "$vantrel_kb"
echo "Vantrel / minimal:  median $(ratio "$vantrel_ms" "$minimal_ms"), fastest $(ratio "$vantrel_fastest" "$minimal_fastest") (goal: at most 1.3)"
echo "Vantrel / tray:     median $(ratio "$vantrel_ms" "$tray_ms"), fastest $(ratio "$vantrel_fastest" "$tray_fastest")"
echo "all runs (ms KB), minimal | tray | Vantrel:"
paste "$work/minimal.txt" "$work/tray.txt" "$work/vantrel.txt" | sed 's/^/  /'
