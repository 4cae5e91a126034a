#!/bin/sh
# `make run` on a machine without a display, from a fresh Wine prefix: the
# run must end well, and its screenshot must be Vantrel's main window, as
# large as the window opens, with the filled tree in it, not a screen of one
# colour.
#
#   make_run_headless.sh <windows build folder>
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 <windows build folder>" >&2
  exit 2
fi
build=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xwininfo import identify convert; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-make-run.XXXXXX")
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

shot=$work/screenshot.png
status=0
env -u DISPLAY WINEPREFIX="$work/prefix" VANTREL_DEMO_FOLDER="$work/Vantrel" \
  VANTREL_SCREENSHOT="$shot" VANTREL_WINDOW_TIMEOUT=90 \
  "$here/../../scripts/run-demo.sh" "$build" >"$work/output" 2>&1 || status=$?
cat "$work/output"
if [ "$status" -ne 0 ]; then
  echo "FAIL: the run without a display ended with $status" >&2
  exit 1
fi
if [ ! -s "$shot" ]; then
  echo "FAIL: no screenshot at $shot" >&2
  exit 1
fi

# The window opens 760 x 520 at 96 dpi; a screenshot of the whole screen or
# of some other window would have another size.
size=$(identify -format '%w %h' "$shot")
set -- $size
if [ "$1" -lt 600 ] || [ "$1" -gt 1000 ] || [ "$2" -lt 400 ] || [ "$2" -gt 700 ]; then
  echo "FAIL: the screenshot is $1 x $2, not the main window" >&2
  exit 1
fi
colours=$(identify -format '%k' "$shot")
if [ "$colours" -lt 8 ]; then
  echo "FAIL: the screenshot has $colours colours: a blank or empty window" >&2
  exit 1
fi
# The tree's top left holds the four category rows of the demo machine:
# text and pictures, not the tree's empty background.
tree_colours=$(convert "$shot" -crop 200x80+10+70 +repage -format '%k' info:)
if [ "$tree_colours" -lt 4 ]; then
  echo "FAIL: the tree looks empty ($tree_colours colours where its first rows are)" >&2
  exit 1
fi
echo "make run without a display: window $1 x $2, $colours colours, tree filled"
