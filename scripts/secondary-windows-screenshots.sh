#!/usr/bin/env bash
# Takes the screenshots of Vantrel's secondary windows for the README:
#
#   scripts/secondary-windows-screenshots.sh <windows build folder> [output folder] [dpi]
#
# Lays out a program folder under build/secshots/ (the shipped language
# files and a program-group file with a few groups), and opens each window
# through the Windows test binary's screenshot entry
# (scripts/secondary_windows_shot.cpp), in a Wine prefix of its
# own (build/secshots-prefix, X11 driver, windows drawn by Wine itself) on a
# virtual screen. Saves program-groups.png, options.png, tip.png and
# about.png, each cropped to its window. Default output: docs/screenshots/;
# default dpi: 96 (144 shows the windows as a 150% screen would).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
build=$(cd "${1:?windows build folder}" && pwd)
out=${2:-$top/docs/screenshots}
dpi=${3:-96}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in wine wineboot wineserver winepath xvfb-run xwininfo import; do
  command -v "$tool" >/dev/null || {
    echo "$0: $tool is missing (apt-get install wine xvfb x11-utils imagemagick)" >&2
    exit 1
  }
done
# The Windows test binary that holds the screenshot entry.
tests=${VANTREL_TEST_BINARY:-windows_tests.exe}
[ -f "$build/$tests" ] && [ -f "$build/Vantrel.exe" ] || {
  echo "$0: build $tests and Vantrel.exe in $build first" >&2
  exit 1
}

export WINEPREFIX=$top/build/secshots-prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
folder=$top/build/secshots/Vantrel
rm -rf "$folder"
mkdir -p "$folder"
cp -r "$top/package/." "$folder/"

xvfb-run -a -s "-screen 0 1280x1024x24 -dpi $dpi" bash -s "$build/$tests" "$folder" "$out" "$dpi" <<'EOF'
set -euo pipefail
tests=$1 folder=$2 out=$3 dpi=$4
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
# Wine draws the title bars itself (no window manager runs here), at the
# screen's DPI, with its own Tahoma and Marlett (the caption buttons' font),
# which this Wine does not find in its data folder by itself.
for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
  for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /usr/share/fonts/truetype/wine; do
    if [ -f "$dir/$font" ]; then
      cp "$dir/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
      break
    fi
  done
done
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -k || true
wineserver -w || true

user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r')
mkdir -p "$folder/$user"
printf '%s\r\n' \
  'const MainStartupDelay = 30;' 'const StartupType = 1;' 'const CloseType = 1;' \
  'const ShowTipsAtStartup = 1;' '' \
  'void Startup()' '{' \
  '     Execute ("Notes.lnk", "", 0, "");' \
  '     ExecuteReg ("C:\Program Files\Agent\agent.exe", "-minimized", 10, "Agent");' \
  '     ExecuteAU ("Updater.lnk", "", 25, "");' \
  '}' '' \
  'void Morning_Tools()' '{' \
  '     Execute ("C:\Windows\notepad.exe", "C:\Users\Public\todo.txt", 0, "");' \
  '     Execute ("C:\Program Files\Mail\mail.exe", "", 5, "");' \
  '}' >"$folder/$user/proggroup.c"
winfolder=$(winepath -w "$folder")

shot() { # name title
  VANTREL_SHOT=$1 VANTREL_SHOT_FOLDER=$winfolder VANTREL_SHOT_SECONDS=8 \
    VANTREL_SHOT_ITEM='C:\Windows\notepad.exe' \
    wine "$tests" --gtest_also_run_disabled_tests \
    --gtest_filter=SecondaryWindowsScreenshot.DISABLED_Show >/dev/null 2>&1 &
  local runner=$!
  for _ in $(seq 1 40); do
    xwininfo -name "$2" >/dev/null 2>&1 && break
    sleep 0.25
  done
  sleep 2
  local id
  id=$(xwininfo -name "$2" | awk '/Window id:/ {print $4}')
  import -window "$id" "$out/$1.png"
  wait "$runner" || true
}
shot program-groups "Program Groups"
shot options "Options"
shot tip "Tip of the Day"
shot about "About Vantrel"
wineserver -k || true
EOF
echo "Screenshots in $out"
