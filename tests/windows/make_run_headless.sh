#!/bin/sh
# `make run` on a machine without a display, from a fresh Wine prefix: the
# run must end well, and its screenshot must be Vantrel's main window, as
# large as the window opens, with the filled tree in it, not a screen of one
# colour.
#
#   make_run_headless.sh <windows build folder>
set -eu

[ $# -eq 1 ] || { echo "usage: $0 <windows build folder>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in xvfb-run xwininfo import identify convert; do
  command -v "$tool" >/dev/null || fail "$tool is missing"
done
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-make-run.XXXXXX")
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

shot=$work/screenshot.png status=0
env -u DISPLAY WINEPREFIX="$work/prefix" VANTREL_DEMO_FOLDER="$work/Vantrel" \
  VANTREL_SCREENSHOT="$shot" VANTREL_WINDOW_TIMEOUT=90 \
  "$here/../../scripts/run-demo.sh" "$1" >"$work/output" 2>&1 || status=$?
cat "$work/output"
[ "$status" -eq 0 ] || fail "the run without a display ended with $status"
[ -s "$shot" ] || fail "no screenshot at $shot"
# The window opens 760 x 520 at 96 dpi; a screenshot of the whole screen or
# of some other window would have another size.
set -- $(identify -format '%w %h' "$shot")
[ "$1" -ge 600 ] && [ "$1" -le 1000 ] && [ "$2" -ge 400 ] && [ "$2" -le 700 ] ||
  fail "the screenshot is $1 x $2, not the main window"
colours=$(identify -format '%k' "$shot")
[ "$colours" -ge 8 ] || fail "the screenshot has $colours colours: a blank or empty window"
# The tree's top left holds the four category rows of the demo machine:
# text and pictures, not the tree's empty background.
tree_colours=$(convert "$shot" -crop 200x80+10+70 +repage -format '%k' info:)
[ "$tree_colours" -ge 4 ] || fail "the tree looks empty ($tree_colours colours where its first rows are)"
echo "make run without a display: window $1 x $2, $colours colours, tree filled"
