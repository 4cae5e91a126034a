#!/usr/bin/env bash
# Puts startup items into every branch of Vantrel's tree, in a Wine prefix:
#
#   WINEPREFIX=<prefix> scripts/demo-machine.sh <program folder>
#
# The program folder is the one that holds (or will hold) Vantrel.exe, with
# package/ copied into it. Afterwards the prefix has shortcuts in both
# Startup folders, values in both Run keys, and Vantrel's program folder
# holds a proggroup.c with delayed items of all four kinds and stopped items
# of all four kinds, whose shortcuts and Run values lie in Vantrel's stores.
# Running it again gives the same machine.
set -euo pipefail

folder=${1:?program folder}
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)

# Every Wine start takes a second or more on a busy machine, so the script
# makes four: one asks Windows for the user and the two profile folders, one
# turns their Startup folders into Unix paths, one the program folder and
# the registry file into Windows paths, and one imports that file.
vars=$(wine cmd /c 'echo %USERNAME%&echo %APPDATA%&echo %ProgramData%' 2>/dev/null | tr -d '\r')
user=$(sed -n 1p <<<"$vars")
appdata=$(sed -n 2p <<<"$vars")
programdata=$(sed -n 3p <<<"$vars")
startups=$(winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Startup" \
  "$programdata\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp" 2>/dev/null | tr -d '\r')
user_startup=$(sed -n 1p <<<"$startups")
common_startup=$(sed -n 2p <<<"$startups")
if [ -z "$user" ] || [ -z "$user_startup" ] || [ -z "$common_startup" ]; then
  echo "$0: Wine did not name the user and the Startup folders" >&2
  exit 1
fi
regfile=$(mktemp "${TMPDIR:-/tmp}/vantrel-demo.XXXXXX.reg")
trap 'rm -f "$regfile"' EXIT
windows_paths=$(winepath -w "$folder" "$regfile" 2>/dev/null | tr -d '\r')
win_folder=$(sed -n 1p <<<"$windows_paths")
win_regfile=$(sed -n 2p <<<"$windows_paths")

# A file that stands for a shortcut: the tree shows only its name.
shortcut() { mkdir -p "$1"; printf 'Vantrel demo shortcut\r\n' >"$1/$2"; }

# The registry file: a key is removed ("[-key]") and made again with the
# given values; texts are escaped as regedit reads them.
reg_key() { printf '\r\n[-%s]\r\n[%s]\r\n' "$1" "$1"; }
reg_value() {
  local name data
  name=$(sed 's/\\/\\\\/g; s/"/\\"/g' <<<"$1")
  data=$(sed 's/\\/\\\\/g; s/"/\\"/g' <<<"$2")
  printf '"%s"="%s"\r\n' "$name" "$data"
}
run_key='Software\Microsoft\Windows\CurrentVersion\Run'

# Windows' own locations.
rm -rf "$user_startup" "$common_startup"
shortcut "$user_startup" "Notes.lnk"
shortcut "$user_startup" "Chat Launcher.lnk"
shortcut "$user_startup" "desktop.ini"
shortcut "$common_startup" "Printer Tray.lnk"
shortcut "$common_startup" "Dropbox.exe.lnk"

# Vantrel's stores: the item folders and the stored Run values.
items="$folder/Vantrel Items"
rm -rf "$items"
shortcut "$items/Current User" "Backup Agent.lnk"
shortcut "$items/Current User" "Old Notes.lnk"
shortcut "$items/All Users" "Scanner Hub.lnk"
shortcut "$items/All Users" "Fax Monitor.lnk"

{
  printf 'REGEDIT4\r\n'
  reg_key "HKEY_CURRENT_USER\\$run_key"
  reg_value "OneDrive" '"C:\Program Files\Microsoft OneDrive\OneDrive.exe" /background'
  reg_value "MailCheck" '"C:\Program Files\Mail\mailcheck.exe" -tray'
  reg_value "Weather" 'C:\Program Files\Weather\weather.exe'
  # CloudSync wrote its entry again although Vantrel holds it delayed: the
  # tree marks it as come back, and its popup offers Take Back.
  reg_value "CloudSync" '"C:\Program Files\Sync\sync.exe" -quiet -autostart'
  # Task Manager's Startup tab has switched Weather off.
  reg_key "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run"
  printf '"Weather"=hex:03,00,00,00,00,00,00,00,00,00,00,00\r\n'
  reg_key "HKEY_LOCAL_MACHINE\\$run_key"
  reg_value "RtkAudio" 'C:\Program Files\Realtek\Audio\RtkNGUI64.exe -s'
  reg_value "TouchpadHelper" 'C:\Program Files\Touchpad\tphelper.exe'
  reg_key 'HKEY_CURRENT_USER\Software\Korvane\Vantrel\HKCU'
  reg_value "CloudSync" '"C:\Program Files\Sync\sync.exe" -quiet'
  reg_value "Updater" 'C:\Program Files\Updater\update.exe'
  reg_key 'HKEY_LOCAL_MACHINE\Software\Korvane\Vantrel\HKLM'
  reg_value "VpnClient" 'C:\Program Files\Vpn\vpnclient.exe'
  reg_value "Agent" 'C:\Program Files\Agent\agent.exe'
} >"$regfile"
wine regedit /s "$win_regfile" >/dev/null 2>&1

# The user's proggroup.c: four delayed and four stopped items.
mkdir -p "$folder/$user"
{
  cat <<'EOF'
// ProgGroup.c - a demonstration machine for Vantrel

char DisallowedPrograms[256][6]=
{
     "format", 
     "fdisk", 
     "del", 
     "rmdir", 
     "mkdir", 
     "delete"
};

// DO NOT EDIT THIS 
// It's only used to show items that the program removed
// from the startup
char StoppedPrograms[256][4]=
{
     "_STPCU_Old Notes.lnk", 
     "_REGCU_C:\Program Files\Updater\update.exe", 
     "_STPAU_Fax Monitor.lnk", 
     "_REGAU_C:\Program Files\Agent\agent.exe"
}
const MainStartupDelay = 30;
const StartupType = 1;
const CloseType = 1;
const Language = English;
const ShowTipsAtStartup = 0;

void Startup()
{
     Execute ("Backup Agent.lnk", "", 5, "");
     ExecuteAU ("Scanner Hub.lnk", "", 10, "");
     ExecuteReg (""C:\Program Files\Sync\sync.exe"", "-quiet", 15, "CloudSync");
     ExecuteRegAU ("C:\Program Files\Vpn\vpnclient.exe", "", 20, "VpnClient");
}

EOF
} | sed 's/$/\r/' >"$folder/$user/proggroup.c"

echo "Demo machine ready: program folder $win_folder, user $user"
