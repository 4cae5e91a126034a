#!/usr/bin/env bash
# Starts Vantrel.exe under Wine (what `make run` does):
#
#   scripts/run-demo.sh BUILD_DIR [PROGRAM_FOLDER]
#
# Without a program folder a demo one is laid out (build/demo/Vantrel) and
# the Wine prefix's Startup folders and Run keys are filled with items in
# every branch (scripts/demo-machine.sh); a folder of the user's own is used
# as it is. With a display the main window opens there and the run lasts as
# long as Vantrel does. Without one, all of the Wine work (the prefix, the
# demo machine, Vantrel) runs on one virtual screen (Xvfb): once the main
# window is drawn and the tree filled, a screenshot of the window is saved
# (build/screenshot.png) and the run ends. Either way the run fails, saying
# so, when the main window has not appeared within the time limit, when the
# screenshot shows a single colour, or when Vantrel logs an error meanwhile.
#
# Settings (environment):
#   WINEPREFIX                the prefix (default build/wineprefix-run)
#   VANTREL_DEMO_FOLDER       the demo program folder (default build/demo/Vantrel)
#   VANTREL_SCREENSHOT        the screenshot without a display (default build/screenshot.png)
#   VANTREL_WINDOW_TIMEOUT    seconds for the window to appear (default 60)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
build=$(cd "${1:?windows build folder}" && pwd)
folder=${2:-}
timeout=${VANTREL_WINDOW_TIMEOUT:-60}
title="Vantrel Quorvel"

for tool in wine wineboot wineserver xwininfo; do
  command -v "$tool" >/dev/null ||
    { echo "$0: $tool is missing (apt-get install wine wine64 x11-utils)" >&2; exit 1; }
done

# Without a display the whole run, Wine's prefix and server included, goes
# onto one virtual screen: a Wine server started without a display would
# serve Vantrel windows that cannot be drawn.
if [ -z "${DISPLAY:-}" ]; then
  for tool in xvfb-run import identify; do
    command -v "$tool" >/dev/null ||
      { echo "$0: $tool is missing (apt-get install xvfb imagemagick)" >&2; exit 1; }
  done
  export VANTREL_VIRTUAL_SCREEN=yes
  exec xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" "$0" "$@"
fi

demo=
if [ -z "$folder" ]; then
  folder=${VANTREL_DEMO_FOLDER:-$top/build/demo/Vantrel}
  demo=yes
  mkdir -p "$folder"
  cp -r "$top/package/." "$folder/"
fi
mkdir -p "$folder"
cp "$build/Vantrel.exe" "$build/VantrelSync.exe" "$folder/"
folder=$(cd "$folder" && pwd)

export WINEPREFIX=${WINEPREFIX:-$top/build/wineprefix-run}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# An earlier run's Wine (perhaps started without a display) ends first, so
# that this run's programs start a server and desktop of their own here.
if [ -d "$WINEPREFIX" ]; then
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
fi
ready="$WINEPREFIX/.vantrel-ready"
if [ ! -e "$ready" ]; then
  echo "Creating the Wine prefix $WINEPREFIX (first run only)..."
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  touch "$ready"
fi
if [ -n "$demo" ]; then
  "$here/demo-machine.sh" "$folder"
fi

log="$folder/log.txt"
log_lines_before=$( [ -f "$log" ] && wc -l <"$log" || echo 0)
# The lines Vantrel logged at level Error during this run.
new_errors() {
  [ -f "$log" ] || return 0
  tail -n +"$((log_lines_before + 1))" "$log" | tr -d '\r' | grep '^Error' || true
}
fail() {
  echo "make run: $*" >&2
  errors=$(new_errors)
  [ -n "$errors" ] && printf 'Vantrel logged:\n%s\n' "$errors" >&2
  wineserver -k 2>/dev/null || true
  exit 1
}

# Wine starts its desktop process with the first window of a session and
# gives it ten seconds; a fresh prefix's desktop on a busy machine takes
# longer, and the window would then fail to be made. So the session is
# held open by a program that waits on a pipe (it ends with this script),
# a throwaway window starts the desktop, and Vantrel starts once the
# desktop's own windows are on the screen.
exec {keeper}> >(exec wine cmd /c pause >/dev/null 2>&1)
wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 &
deadline=$((SECONDS + timeout))
until xwininfo -root -tree 2>/dev/null | grep -q '("explorer.exe" "explorer.exe")'; do
  [ "$SECONDS" -lt "$deadline" ] || fail "Wine's desktop did not start within $timeout s."
  sleep 0.25
done

(cd "$folder" && exec wine ./Vantrel.exe) &
vantrel=$!

# The main window, once it is on the screen: its X window id.
shown_window() {
  local id
  id=$(xwininfo -name "$title" 2>/dev/null | awk '/Window id:/ { print $4 }')
  [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
}
window=
deadline=$((SECONDS + timeout))
while [ -z "$window" ]; do
  window=$(shown_window) && break
  kill -0 "$vantrel" 2>/dev/null || fail "Vantrel ended before its main window appeared."
  [ "$SECONDS" -lt "$deadline" ] || fail "Vantrel's main window did not appear within $timeout s."
  sleep 0.25
done

if [ -z "${VANTREL_VIRTUAL_SCREEN:-}" ]; then
  echo "Vantrel runs: program folder $folder (log: $log). Quit it from File > Exit."
  status=0
  wait "$vantrel" || status=$?
  errors=$(new_errors)
  [ -n "$errors" ] && printf 'Vantrel logged:\n%s\n' "$errors" >&2
  exit "$status"
fi

# The tree is filled after the window first shows; the screenshot is taken
# when two in a row, half a second apart, are the same.
shot=${VANTREL_SCREENSHOT:-$top/build/screenshot.png}
mkdir -p "$(dirname "$shot")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
previous=
for _ in $(seq 1 40); do
  sleep 0.5
  import -window "$window" "$work/shot.png" 2>/dev/null || continue
  current=$(identify -format '%#' "$work/shot.png" 2>/dev/null) || continue
  [ "$current" = "$previous" ] && break
  previous=$current
done
[ -f "$work/shot.png" ] || fail "Could not take the screenshot of the main window."
cp "$work/shot.png" "$shot"
colours=$(identify -format '%k' "$shot")
[ "$colours" -gt 1 ] || fail "The screenshot $shot is blank (one colour)."
errors=$(new_errors)
[ -z "$errors" ] || fail "Vantrel logged an error while its window opened."
# Vantrel stays in the tray until it is quit; the run ends here.
wineserver -k 2>/dev/null || true
echo "No display: ran under Xvfb, screenshot of the main window in $shot ($(identify -format '%w x %h' "$shot"))"
echo "Program folder: $folder (log: $log)"
