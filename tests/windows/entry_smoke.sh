#!/bin/sh
# Starts a Vantrel program from a fresh program folder under Wine and
# checks that log.txt then holds exactly the one expected event.
#
#   entry_smoke.sh <prefix folder> <program.exe> <expected line> [args...]
set -eu

if [ $# -lt 3 ]; then
  echo "usage: $0 <prefix folder> <program.exe> <expected line> [args...]" >&2
  exit 2
fi
prefix=$1
program=$2
expected=$3
shift 3

here=$(cd "$(dirname "$0")" && pwd)
folder=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-entry.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/"

VANTREL_WINEPREFIX=$prefix "$here/../../cmake/wine-run.sh" \
  "$folder/$(basename "$program")" "$@"

log="$folder/log.txt"
if [ ! -f "$log" ]; then
  echo "FAIL: $(basename "$program") wrote no log.txt" >&2
  exit 1
fi
# The log is ANSI text with CR LF line ends.
want=$(printf '%s\r\n' "$expected" | od -An -c)
got=$(od -An -c "$log")
if [ "$want" != "$got" ]; then
  echo "FAIL: log.txt differs from the single expected line" >&2
  echo "expected: $want" >&2
  echo "got:      $got" >&2
  exit 1
fi
echo "log.txt: $expected"
