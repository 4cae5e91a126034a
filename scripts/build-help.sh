#!/usr/bin/env bash
# Compiles the help pages under help/ into Vantrel.chm:
#
#   scripts/build-help.sh OUTPUT_DIR        e.g. build/dist/Vantrel
#
# Needs chmcmd (Debian package fp-utils). The help viewer reads the pages in
# the ANSI code page, so every source file must be plain ASCII (use HTML
# entities such as &eacute; for anything else). A missing page, a link to a
# page or anchor that does not exist, or any other complaint of chmcmd fails
# the build.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTPUT_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")/.." && pwd)
source_dir=$here/help
mkdir -p "$1"
output=$(cd "$1" && pwd)

if ! command -v chmcmd >/dev/null 2>&1; then
  echo "$0: chmcmd not found; install it with: apt-get install fp-utils" >&2
  exit 1
fi

non_ascii=$(LC_ALL=C grep -l -P '[^\x00-\x7f]' "$source_dir"/* || true)
if [ -n "$non_ascii" ]; then
  echo "$0: these help files hold characters outside ASCII; use HTML entities:" >&2
  echo "$non_ascii" >&2
  exit 1
fi

# chmcmd writes beside the project, so it works on a copy.
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-help.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$source_dir"/* "$work/"

status=0
log=$(cd "$work" && chmcmd Vantrel.hhp 2>&1) || status=$?
problems=$(printf '%s\n' "$log" | grep -E '^(Warning|Error):' || true)
if [ "$status" -ne 0 ] || [ -n "$problems" ] || [ ! -s "$work/Vantrel.chm" ]; then
  printf '%s\n' "$log" >&2
  echo "$0: chmcmd failed (exit $status)" >&2
  exit 1
fi

# A compiled help file begins with the signature "ITSF".
if [ "$(head -c 4 "$work/Vantrel.chm")" != "ITSF" ]; then
  echo "$0: $work/Vantrel.chm is not a compiled help file" >&2
  exit 1
fi
mv "$work/Vantrel.chm" "$output/Vantrel.chm"
echo "Help: $output/Vantrel.chm"
