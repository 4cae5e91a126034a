#!/usr/bin/env bash
# Starts Vantrel.exe under Wine: run-demo.sh BUILD_DIR [PROGRAM_FOLDER]
# Without a program folder a demo one is laid out under build/demo/. With a
# display the window opens there; without one it runs under Xvfb and a
# screenshot is saved to build/screenshot.png.
set -euo pipefail
build=${1:?windows build folder}
folder=${2:-}
demo=
if [ -z "$folder" ]; then
  folder=build/demo/Vantrel
  demo=yes
  mkdir -p "$folder"
  cp -r package/. "$folder/"
fi
mkdir -p "$folder"
cp "$build/Vantrel.exe" "$build/VantrelSync.exe" "$folder/"
folder=$(cd "$folder" && pwd)

export WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix-run}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX (first run only)..."
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
# The demo fills the demo prefix's Startup folders and Run keys with items in
# every branch; a folder of the user's own is left as it is.
if [ -n "$demo" ]; then
  scripts/demo-machine.sh "$folder"
fi

if [ -n "${DISPLAY:-}" ]; then
  (cd "$folder" && wine ./Vantrel.exe)
else
  shot=$PWD/build/screenshot.png
  # Vantrel keeps running in the tray, so the run ends after the screenshot.
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    (cd '$folder' && wine ./Vantrel.exe) &
    sleep 10
    import -window root '$shot' || echo 'Could not take the screenshot.' >&2
    wineserver -k || true" || true
  [ -f "$shot" ] && echo "No display: ran under Xvfb, screenshot in $shot"
fi
echo "Program folder: $folder (log: $folder/log.txt)"
