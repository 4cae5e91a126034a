#!/usr/bin/env bash
# The setup program and its uninstaller, run silently under Wine the way a
# user or an administrator's script runs them:
#
#   tests/windows/installer_test.sh <prefix folder> <dist folder>
#       e.g. build/windows/wineprefix build/dist      (after make dist)
#
# First pass: setup /S puts exactly the program folder into the user's
# local programs folder, with a Start-menu shortcut and an uninstall entry;
# the help file is there; the installed Vantrel.exe
# -nogui, started as at a first login, ends by itself with a fresh
# proggroup.c in CR LF and no log; while a Vantrel waits after login,
# neither setup nor uninstaller touches anything; installing again
# restores the program and keeps a text the user extended; the
# uninstaller, run in place, removes the program files, the shortcut, the
# uninstall entry and Vantrel's login entry, and keeps the user's data
# (settings, log, delayed shortcuts, registry backups, registry store, the
# user's own and changed files), removing only empty folders.
# Second pass: the uninstaller run as Windows runs it (it copies itself
# away and starts again) leaves nothing of an unused installation, and a
# login entry of another copy of Vantrel stays.
#
# The prefix is left as it was found.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 <prefix folder> <dist folder>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../scripts/wine-prefix.sh" "$1"
WINEPREFIX=$(cd "$1" && pwd)
dist=$(cd "$2" && pwd)
# No Mono or Gecko prompts, and no menu entries on the host for the
# shortcuts the setup creates.
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

setup=$(echo "$dist"/Vantrel-*-setup.exe)
[ -f "$setup" ] || { echo "FAIL: expected one Vantrel-<version>-setup.exe in $dist (run make dist)" >&2; exit 1; }
version=$(basename "$setup" | sed 's/^Vantrel-\(.*\)-setup\.exe$/\1/')
program_folder=$dist/Vantrel

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-installer.XXXXXX")
failures=0
# check <what> <command...>: passes when the command succeeds.
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1" >&2 && failures=$((failures + 1)); fi; }
not() { ! "$@"; }
# Wine's helpers inherit a program's output and outlive it for a moment, so
# output goes through files, never through a pipe.
wine_run() { timeout 120 wine "$@" >"$work/out" 2>"$work/err" </dev/null; }
# The data of a registry value, or failure when there is none.
reg_value() {
  wine_run reg query "$1" /v "$2" && tr -d '\r' <"$work/out" | sed -n "s/^    $2    REG_[A-Z_]*    //p" | grep .
}
reg_is() { [ "$(reg_value "$1" "$2" || true)" = "$3" ]; }
reg_set() { wine_run reg add "$1" /v "$2" /d "$3" /f; }
reg_unset() { wine_run reg delete "$1" /v "$2" /f || true; }
key_exists() { wine_run reg query "$1"; }
windows_env() { wine_run cmd /c echo "%$1%" && tr -d '\r\n' <"$work/out"; }
files_of() { (cd "$1" 2>/dev/null && find . -type f | LC_ALL=C sort); }

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
store_key='HKCU\Software\Korvane\Vantrel\HKCU'
vendor_key='HKCU\Software\Korvane'
instdir_win="$(windows_env LOCALAPPDATA)\\Programs\\Vantrel"
instdir=$(winepath -u "$instdir_win" 2>/dev/null)
instdir=${instdir%/}
shortcut=$(winepath -u "$(windows_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Vantrel.lnk" 2>/dev/null)
[ -n "$instdir" ] && [ -n "$shortcut" ] || { echo "FAIL: no user folders in $WINEPREFIX" >&2; exit 1; }

# What the prefix held before is put back at the end; a leftover of an
# interrupted run would hide what the setup does.
saved_tarrow=$(reg_value "$run_key" Tarrow || true)
key_exists "$vendor_key" && vendor_key_existed=true || vendor_key_existed=false
vantrel_pid=
remove_installation() { rm -rf "$instdir" "$shortcut" && { wine_run reg delete "$uninstall_key" /f || true; }; }
clean_up() {
  [ -z "$vantrel_pid" ] || { kill "$vantrel_pid" && wait "$vantrel_pid"; } 2>/dev/null || true
  remove_installation
  if [ -n "$saved_tarrow" ]; then reg_set "$run_key" Tarrow "$saved_tarrow" || true; else reg_unset "$run_key" Tarrow; fi
  reg_unset "$store_key" InstallerTestAgent
  $vendor_key_existed || wine_run reg delete "$vendor_key" /f || true
  rm -rf "$work"
}
trap clean_up EXIT
remove_installation

# ---------------------------------------------------------------- first pass
wine_run "$setup" /S || { echo "FAIL: $setup /S ended with $?: $(cat "$work/err")" >&2; exit 1; }

# The program folder, byte for byte, and nothing else but the uninstaller.
expected=$( (files_of "$program_folder" && echo ./uninstall.exe) | LC_ALL=C sort)
check "files in $instdir_win: the program folder's and the uninstaller" [ "$expected" = "$(files_of "$instdir")" ]
diff <(echo "$expected") <(files_of "$instdir") >&2 || true
differing=$(files_of "$program_folder" | while read -r f; do cmp -s "$program_folder/$f" "$instdir/$f" || echo "$f"; done)
check "every installed file equals the program folder's $differing" [ -z "$differing" ]
check "Start-menu shortcut to $instdir_win\\Vantrel.exe" grep -qsaF "$instdir_win\\Vantrel.exe" "$shortcut"
while IFS='|' read -r name want; do
  check "uninstall entry $name is $want" reg_is "$uninstall_key" "$name" "$want"
done <<ENTRIES
DisplayName|Vantrel
DisplayVersion|$version
Publisher|Korvane
InstallLocation|$instdir_win
UninstallString|"$instdir_win\\uninstall.exe"
QuietUninstallString|"$instdir_win\\uninstall.exe" /S
ENTRIES

# The help file is a compiled help file (its pages and links are checked
# when it is built).
check "Vantrel.chm is a compiled help file (ITSF signature)" [ "$(head -c 4 "$instdir/Vantrel.chm")" = ITSF ]

# The installed program works from there: a first login start has nothing
# to wait for, ends at once, and makes <user>\proggroup.c, logging nothing.
SECONDS=0 status=0
wine_run "$instdir_win\\Vantrel.exe" -nogui || status=$?
check "installed Vantrel.exe -nogui ended with $status after $SECONDS s (0 within 20 s)" [ "$status" -eq 0 -a "$SECONDS" -le 20 ]
proggroup=$(find "$instdir" -mindepth 2 -maxdepth 2 -name proggroup.c | head -n 1)
check "Vantrel.exe -nogui created <user>\\proggroup.c in $instdir_win" [ -n "$proggroup" ]
check "in CR LF lines" grep -q $'\r$' "${proggroup:-/dev/null}"
check "and wrote no log" [ ! -e "$instdir/log.txt" ]
[ -n "$proggroup" ] || { proggroup=$instdir/user/proggroup.c && mkdir -p "$instdir/user" && echo >"$proggroup"; }

# What a user gathers over time.
mkdir -p "$instdir/Vantrel Items/Current User" "$instdir/Vantrel Items/All Users" \
  "$instdir/Delayed Registry/2026-03-14" "$instdir/Delayed Registry/2026-03-15" "$instdir/lang/xx"
printf '[InternetShortcut]\r\n' >"$instdir/Vantrel Items/Current User/Cloud Drive.lnk"
printf 'Windows Registry Editor Version 5.00\r\n' >"$instdir/Delayed Registry/2026-03-14/08 15 02.reg"
printf 'Info: 08:15:02  Waiting for 30 seconds.\r\n' >"$instdir/log.txt"
printf 'My own captions\r\n' >"$instdir/lang/xx/menus.xx"
reg_set "$store_key" InstallerTestAgent 'C:\Tools\agent.exe /q'
reg_set "$run_key" Tarrow "\"$instdir_win\\Vantrel.exe\" -nogui"

# A Vantrel that waits after login holds its program: neither the setup nor
# the uninstaller may change anything then.
cp "$proggroup" "$work/proggroup.c"
printf 'const MainStartupDelay = 300;\r\nconst StartupType = 1;\r\nvoid Startup()\r\n{\r\n     Execute ("Cloud Drive.lnk", "", 0, "");\r\n}\r\n' >"$proggroup"
wine "$instdir_win\\Vantrel.exe" -nogui >"$work/vantrel.out" 2>&1 </dev/null &
vantrel_pid=$!
waiting() { grep -q 'Waiting for 300 seconds' "$instdir/log.txt" 2>/dev/null; }
for _ in $(seq 40); do waiting && break || sleep 0.5; done
check "the waiting Vantrel started its login run" waiting
check "uninstall /S stops while Vantrel runs" not wine_run "$instdir_win\\uninstall.exe" /S "_?=$instdir_win"
check "and removes nothing" [ -f "$instdir/Vantrel.exe" -a -f "$instdir/lang/en/menus.en" ]
check "nor the uninstall entry" key_exists "$uninstall_key"
check "setup /S stops while Vantrel runs" not wine_run "$setup" /S
{ kill "$vantrel_pid" && wait "$vantrel_pid"; } 2>/dev/null || true
vantrel_pid=
cp "$work/proggroup.c" "$proggroup"

# Installing again over the installation restores the program but keeps a
# text the user extended.
printf 'My own tip.\r\n' >>"$instdir/lang/en/tipofday.en"
cp "$instdir/lang/en/tipofday.en" "$work/tipofday.en"
rm "$instdir/readme.txt"
check "setup /S over the installation ends with 0" wine_run "$setup" /S
check "and restores readme.txt" cmp -s "$program_folder/readme.txt" "$instdir/readme.txt"
check "and keeps the user's tips" cmp -s "$work/tipofday.en" "$instdir/lang/en/tipofday.en"

# The uninstaller in place (it would otherwise copy itself away and return
# at once).
check "uninstall /S ends with 0" wine_run "$instdir_win\\uninstall.exe" /S "_?=$instdir_win"
left=$(files_of "$program_folder" | while read -r f; do [ ! -e "$instdir/$f" ] || echo "$f"; done)
check "every unchanged program file removed, the user's tips kept: $left" [ "$left" = ./lang/en/tipofday.en ]
check "shortcut removed" [ ! -e "$shortcut" ]
check "uninstall entry removed" not key_exists "$uninstall_key"
check "login entry Tarrow into the install folder removed" not reg_value "$run_key" Tarrow
for kept in "${proggroup#"$instdir"/}" "Vantrel Items/Current User/Cloud Drive.lnk" \
  "Delayed Registry/2026-03-14/08 15 02.reg" log.txt lang/xx/menus.xx; do
  check "user data kept: $kept" [ -f "$instdir/$kept" ]
done
check "proggroup.c unchanged" cmp -s "$work/proggroup.c" "$proggroup"
for gone in "Vantrel Items/All Users" "Delayed Registry/2026-03-15" data lang/de; do
  check "empty folder removed: $gone" [ ! -e "$instdir/$gone" ]
done
check "a delayed Run entry in Vantrel's registry store kept" \
  reg_is "$store_key" InstallerTestAgent 'C:\Tools\agent.exe /q'
reg_unset "$store_key" InstallerTestAgent
rm -rf "$instdir"

# --------------------------------------------------------------- second pass
check "second setup /S ends with 0" wine_run "$setup" /S
other_copy='"C:\Tools\Vantrel\Vantrel.exe" -nogui'
reg_set "$run_key" Tarrow "$other_copy"
# An empty store, as Vantrel leaves it.
$vendor_key_existed || wine_run reg add "$store_key" /f

# As Windows runs it: the uninstaller copies itself away, starts the copy
# and returns; the copy does the work and then removes the original.
check "uninstall /S (copied away) ends with 0" wine_run "$instdir_win\\uninstall.exe" /S
for _ in $(seq 60); do [ -e "$instdir" ] && sleep 0.5 || break; done
check "nothing left of an unused installation: $(files_of "$instdir")" [ ! -e "$instdir" ]
check "no shortcut left by the copied-away uninstaller" [ ! -e "$shortcut" ]
check "no uninstall entry left by it" not key_exists "$uninstall_key"
check "login entry of another copy of Vantrel kept" reg_is "$run_key" Tarrow "$other_copy"
$vendor_key_existed || check "empty registry store removed" not key_exists "$vendor_key"

[ "$failures" -eq 0 ] || { echo "installer test: $failures failure(s)" >&2; exit 1; }
echo "installer test: setup and uninstaller of Vantrel $version passed"
