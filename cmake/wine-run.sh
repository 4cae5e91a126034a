#!/bin/sh
# Runs a Windows executable under Wine for ctest:
#
#   VANTREL_WINEPREFIX=<prefix folder> cmake/wine-run.sh program.exe [args...]
#
# The prefix lives in the build folder and is created on first use.
set -eu

if [ -z "${VANTREL_WINEPREFIX:-}" ]; then
  echo "$0: VANTREL_WINEPREFIX is not set" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
"$here/../scripts/wine-prefix.sh" "$VANTREL_WINEPREFIX"

export WINEPREFIX="$VANTREL_WINEPREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine starts helpers on demand (explorer.exe for the desktop) that inherit
# the program's output and stay a second after it ends; ctest would wait
# for them on every test. The output goes through files instead and is
# passed on when the program has ended.
out=$(mktemp)
err=$(mktemp)
trap 'cat "$out"; cat "$err" >&2; rm -f "$out" "$err"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

status=0
wine "$@" >"$out" 2>"$err" || status=$?
exit "$status"
