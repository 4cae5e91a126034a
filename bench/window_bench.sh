#!/bin/sh
# Times a windowed start of Vantrel.exe under Wine against tray.exe (the
# yardstick of bench/login_bench.sh), and reports the medians and their
# ratio:
#
#   bench/window_bench.sh [build folder] [runs] [items per location]
#                                         (defaults: build/windows, 15, 100)
#
# The machine, in a Wine prefix of its own (null graphics driver, as the
# tests' prefix), holds the given number of items in each of the eight
# startup locations: both Startup folders, both Run keys, and Vantrel's two
# items folders and two stored-value keys, each half delayed and half
# stopped (with 100: 820 tree nodes). A start is timed from the moment it is
# asked for until the main window is shown, its tree holds every node and
# nothing of the window is left to paint; bench/window_start_probe.c watches
# it from outside and starts both programs by turns.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
runs=${2:-15}
per_location=${3:-100}

if [ ! -f "$build/Vantrel.exe" ]; then
  echo "$0: $build/Vantrel.exe not found; build the windows preset first" >&2
  exit 1
fi
for tool in x86_64-w64-mingw32-gcc wine; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$0: $tool not found" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-window-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-gcc -O2 -static -mwindows -o "$work/tray.exe" "$here/tray.c" -lshell32
x86_64-w64-mingw32-gcc -O2 -static -o "$work/probe.exe" "$here/window_start_probe.c" -lshell32

prefix=$build/wineprefix-bench
"$root/scripts/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

folder=$work/Vantrel
mkdir "$folder"
cp "$build/Vantrel.exe" "$folder/"
cp -r "$root/package/." "$folder/"
win_folder=$(winepath -w "$folder" 2>/dev/null | tr -d '\r')
wine "$work/probe.exe" machine "$win_folder" "$per_location"
nodes=$((20 + 8 * per_location))
wine "$work/probe.exe" time "$runs" "$(winepath -w "$work/tray.exe" 2>/dev/null | tr -d '\r')" \
  "$win_folder\\Vantrel.exe" "$nodes" | tr -d '\r' >"$work/times.txt"

if [ -s "$folder/log.txt" ]; then
  echo "$0: Vantrel wrote to its log:" >&2
  cat "$folder/log.txt" >&2
  exit 1
fi

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
column() { awk -v kind="$1" -v n="$2" '$1 == kind { print $n }' "$work/times.txt" | median; }
fastest() { awk -v kind="$1" '$1 == kind { print $2 }' "$work/times.txt" | sort -n | head -1; }

tray_ms=$(column tray 2)
painted_ms=$(column vantrel 2)
shown_ms=$(column vantrel 3)
filled_ms=$(column vantrel 4)
echo "runs each: $runs, $per_location items in each location ($nodes tree nodes)"
printf '%-32s median %7s ms  fastest %7s ms\n' tray.exe "$tray_ms" "$(fastest tray)" \
  "Vantrel.exe, window painted" "$painted_ms" "$(fastest vantrel)"
printf '%-32s median %7s ms\n' "  of which: window shown" "$shown_ms" \
  "            tree filled" "$filled_ms"
echo "Vantrel / tray:  median $(awk -v a="$painted_ms" -v b="$tray_ms" 'BEGIN { printf "%.2f", a / b }') (goal: at most 4.0)"
echo "all runs (ms), tray | Vantrel painted shown filled:"
paste -d' ' - - <"$work/times.txt" | awk '{ print "  " $2 " | " $4 " " $5 " " $6 }'
