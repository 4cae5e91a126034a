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

# Windows' view of a path inside the prefix, as the prefix's user sees it.
wine_var() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }

user=$(wine_var USERNAME)
user_startup=$(unix_path "$(wine_var APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Startup")
common_startup=$(unix_path "$(wine_var ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp")
win_folder=$(winepath -w "$folder" 2>/dev/null | tr -d '\r')

# A file that stands for a shortcut: the tree shows only its name.
shortcut() { mkdir -p "$1"; printf 'Vantrel demo shortcut\r\n' >"$1/$2"; }

run_key='Software\Microsoft\Windows\CurrentVersion\Run'
reg_set() { wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }

# Windows' own locations.
rm -rf "$user_startup" "$common_startup"
shortcut "$user_startup" "Notes.lnk"
shortcut "$user_startup" "Chat Launcher.lnk"
shortcut "$user_startup" "desktop.ini"
shortcut "$common_startup" "Printer Tray.lnk"
shortcut "$common_startup" "Dropbox.exe.lnk"
wine reg delete "HKCU\\$run_key" /f >/dev/null 2>&1 || true
wine reg delete "HKLM\\$run_key" /f >/dev/null 2>&1 || true
reg_set "HKCU\\$run_key" "OneDrive" '"C:\Program Files\Microsoft OneDrive\OneDrive.exe" /background'
reg_set "HKCU\\$run_key" "MailCheck" '"C:\Program Files\Mail\mailcheck.exe" -tray'
reg_set "HKCU\\$run_key" "Weather" 'C:\Program Files\Weather\weather.exe'
reg_set "HKLM\\$run_key" "RtkAudio" 'C:\Program Files\Realtek\Audio\RtkNGUI64.exe -s'
reg_set "HKLM\\$run_key" "TouchpadHelper" 'C:\Program Files\Touchpad\tphelper.exe'

# Vantrel's stores: the item folders and the stored Run values.
items="$folder/Vantrel Items"
rm -rf "$items"
shortcut "$items/Current User" "Backup Agent.lnk"
shortcut "$items/Current User" "Old Notes.lnk"
shortcut "$items/All Users" "Scanner Hub.lnk"
shortcut "$items/All Users" "Fax Monitor.lnk"
wine reg delete 'HKCU\Software\Korvane\Vantrel\HKCU' /f >/dev/null 2>&1 || true
wine reg delete 'HKLM\Software\Korvane\Vantrel\HKLM' /f >/dev/null 2>&1 || true
reg_set 'HKCU\Software\Korvane\Vantrel\HKCU' "CloudSync" '"C:\Program Files\Sync\sync.exe" -quiet'
reg_set 'HKCU\Software\Korvane\Vantrel\HKCU' "Updater" 'C:\Program Files\Updater\update.exe'
reg_set 'HKLM\Software\Korvane\Vantrel\HKLM' "VpnClient" 'C:\Program Files\Vpn\vpnclient.exe'
reg_set 'HKLM\Software\Korvane\Vantrel\HKLM' "Agent" 'C:\Program Files\Agent\agent.exe'

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
