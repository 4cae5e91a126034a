#!/usr/bin/env bash
# Takes the screenshot of Vantrel's main window for the README:
#
#   scripts/main-window-screenshot.sh <windows build folder> [output.png]
#
# Lays out a program folder under build/screenshot/, fills a Wine prefix of
# its own (build/wineprefix-screenshot, X11 driver) with the demo machine of
# scripts/demo-machine.sh, starts Vantrel.exe on a virtual screen (Xvfb) and
# saves the main window alone. Default output: docs/screenshots/main-window.png.
# With xdotool at hand the window is made taller, every branch is expanded,
# two items are ticked and the popup of an item that came back is open, as a
# user would; without it the tree stays collapsed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
build=$(cd "${1:?windows build folder}" && pwd)
out=${2:-$top/docs/screenshots/main-window.png}
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

for tool in wine wineboot wineserver xvfb-run xwininfo import; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (apt-get install wine xvfb x11-utils imagemagick)" >&2; exit 1; }
done

export WINEPREFIX=$top/build/wineprefix-screenshot
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
folder=$top/build/screenshot/Vantrel
rm -rf "$folder"
mkdir -p "$folder"
cp -r "$top/package/." "$folder/"
cp "$build/Vantrel.exe" "$folder/"

xvfb-run -a -s "-screen 0 1024x900x24 -dpi 96" bash -s "$here" "$folder" "$out" <<'EOF'
set -euo pipefail
here=$1 folder=$2 out=$3
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
"$here/demo-machine.sh" "$folder"
(cd "$folder" && exec wine ./Vantrel.exe) &
for _ in $(seq 1 60); do
  xwininfo -name "Vantrel Quorvel" >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 3
id=$(xwininfo -name "Vantrel Quorvel" | awk '/Window id:/ {print $4}')
if command -v xdotool >/dev/null; then
  # Rows are 16 pixels high from y = 61 at 96 dpi. The four roots are
  # expanded from the bottom up, so that the rows above stay in place; then
  # a Windows item and a delayed item are ticked.
  xdotool windowsize "$id" 760 720
  sleep 1
  for y in 109 93 77 61; do
    xdotool mousemove --window "$id" 90 "$y" click 1
    sleep 0.3
    xdotool key --window "$id" KP_Multiply
    sleep 0.3
  done
  xdotool mousemove --window "$id" 70 93 click 1
  xdotool mousemove --window "$id" 89 349 click 1
  sleep 0.3
  xdotool mousemove --window "$id" 90 61 click 1
  # The popup of CloudSync, which came back to the Run key: it offers
  # Take Back. The menu is a window of its own, so the screen is taken and
  # cut to the main window.
  xdotool mousemove --window "$id" 240 141 click 1
  sleep 0.3
  xdotool click 3
  sleep 1
fi
geometry=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
import -window root -crop "$geometry" +repage "$out"
wineserver -k || true
EOF
echo "Screenshot: $out"
