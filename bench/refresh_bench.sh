#!/bin/sh
# Times the main window's refresh under Wine with the real controls: 1,000
# items in each of the eight startup locations (8,020 tree nodes), the tree
# control filled as the model grows. Runs the Windows test that does it,
# which is left out of ordinary test runs:
#
#   bench/refresh_bench.sh [build folder]      (default: build/windows)
#
# It prints the median, fastest and slowest of seven refreshes of the
# window, and of seven refreshes of the model alone on the same machine.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)

if [ ! -f "$build/windows_tests.exe" ]; then
  echo "$0: $build/windows_tests.exe not found; build the windows preset first" >&2
  exit 1
fi
"$root/scripts/wine-prefix.sh" "$build/wineprefix"
VANTREL_WINEPREFIX="$build/wineprefix" "$root/cmake/wine-run.sh" "$build/windows_tests.exe" \
  --gtest_also_run_disabled_tests --gtest_filter='MainWindowTest.DISABLED_RefreshBenchmark' |
  grep -E '^Refresh|OK|FAILED'
