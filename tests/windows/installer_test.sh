#!/usr/bin/env bash
# The setup program and its uninstaller, run silently under Wine the way a
# user or an administrator's script runs them:
#
#   tests/windows/installer_test.sh <prefix folder> <dist folder>
#       e.g. build/windows/wineprefix build/dist      (after make dist)
#
# First pass: setup /S puts exactly the program folder into the user's
# local programs folder, with a Start-menu shortcut and an uninstall entry;
# the help file opens in Wine's help reader; the installed Vantrel.exe
# -nogui ends by itself with a fresh proggroup.c; while a Vantrel waits after
# login, neither setup nor uninstaller touches anything; the uninstaller,
# installing again restores the program and keeps a text the user extended;
# the uninstaller, run in place, removes the program files, the shortcut,
# the uninstall entry and Vantrel's login entry, and keeps the user's data
# (settings, log, delayed shortcuts, registry backups, registry store, the
# user's own and changed files), removing only empty folders.
# Second pass: the uninstaller run as Windows runs it (it copies itself
# away and starts again) leaves nothing of an unused installation, and a
# login entry of another copy of Vantrel stays.
#
# The prefix is left as it was found.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 <prefix folder> <dist folder>" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
"$repo/scripts/wine-prefix.sh" "$1"
WINEPREFIX=$(cd "$1" && pwd)
dist=$(cd "$2" && pwd)
export WINEPREFIX
export WINEDEBUG=-all
# No Mono or Gecko prompts, and no menu entries on the host for the
# shortcuts the setup creates.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

setups=("$dist"/Vantrel-*-setup.exe)
if [ ${#setups[@]} -ne 1 ] || [ ! -f "${setups[0]}" ]; then
  echo "FAIL: expected one Vantrel-<version>-setup.exe in $dist (run make dist)" >&2
  exit 1
fi
setup=${setups[0]}
version=$(basename "$setup" | sed 's/^Vantrel-\(.*\)-setup\.exe$/\1/')
program_folder=$dist/Vantrel

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-installer.XXXXXX")
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() {
  echo "ok: $*"
}

# Wine's helpers inherit a program's output and outlive it for a moment, so
# output goes through files, never through a pipe.
wine_run() {
  local status=0
  timeout 120 wine "$@" >"$work/out" 2>"$work/err" || status=$?
  return "$status"
}
# The data of a registry value, or failure when there is none.
reg_value() {
  wine_run reg query "$1" /v "$2" || return 1
  tr -d '\r' <"$work/out" | sed -n "s/^    $2    REG_[A-Z_]*    //p" | grep . || return 1
}
reg_set() {
  wine_run reg add "$1" /v "$2" /d "$3" /f
}
reg_delete_value() {
  wine_run reg delete "$1" /v "$2" /f || true
}
key_exists() {
  wine_run reg query "$1"
}
windows_env() {
  wine_run cmd /c echo "%$1%"
  tr -d '\r\n' <"$work/out"
}

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
store_key='HKCU\Software\Korvane\Vantrel\HKCU'
vendor_key='HKCU\Software\Korvane'

local_app_data=$(windows_env LOCALAPPDATA)
app_data=$(windows_env APPDATA)
instdir_win="$local_app_data\\Programs\\Vantrel"
instdir=$(winepath -u "$instdir_win" 2>/dev/null)
instdir=${instdir%/}
shortcut=$(winepath -u "$app_data\\Microsoft\\Windows\\Start Menu\\Programs\\Vantrel.lnk" 2>/dev/null)
if [ -z "$local_app_data" ] || [ -z "$instdir" ] || [ -z "$shortcut" ]; then
  echo "FAIL: cannot find the user's folders in $WINEPREFIX" >&2
  exit 1
fi

# What the prefix held before, to be put back at the end.
saved_tarrow=$(reg_value "$run_key" Tarrow || true)
vendor_key_existed=false
if key_exists "$vendor_key"; then vendor_key_existed=true; fi
vantrel_pid=

clean_up() {
  if [ -n "$vantrel_pid" ]; then
    kill "$vantrel_pid" 2>/dev/null || true
    wait "$vantrel_pid" 2>/dev/null || true
  fi
  rm -rf "$instdir"
  rm -f "$shortcut"
  wine_run reg delete "$uninstall_key" /f || true
  if [ -n "$saved_tarrow" ]; then
    reg_set "$run_key" Tarrow "$saved_tarrow" || true
  else
    reg_delete_value "$run_key" Tarrow
  fi
  reg_delete_value "$store_key" InstallerTestAgent
  if ! $vendor_key_existed; then
    wine_run reg delete "$vendor_key" /f || true
  fi
  rm -rf "$work"
}
trap clean_up EXIT

# A leftover of an interrupted run would hide what the setup does.
clean_up_before() {
  rm -rf "$instdir"
  rm -f "$shortcut"
  wine_run reg delete "$uninstall_key" /f || true
}
clean_up_before

# ---------------------------------------------------------------- first pass
status=0
wine_run "$setup" /S || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/err" >&2
  echo "FAIL: $setup /S ended with $status" >&2
  exit 1
fi
pass "setup /S ended with 0"

# The program folder, byte for byte, and nothing else but the uninstaller.
expected=$( (cd "$program_folder" && find . -type f && echo ./uninstall.exe) | LC_ALL=C sort)
installed=$( (cd "$instdir" 2>/dev/null && find . -type f) | LC_ALL=C sort)
if [ "$expected" != "$installed" ]; then
  fail "the installed files differ from the program folder:"
  diff <(echo "$expected") <(echo "$installed") >&2 || true
else
  pass "$(echo "$installed" | wc -l) files in $instdir_win"
fi
while read -r file; do
  if [ -f "$instdir/$file" ] && ! cmp -s "$program_folder/$file" "$instdir/$file"; then
    fail "$file differs from the program folder's"
  fi
done < <(cd "$program_folder" && find . -type f)

if [ -f "$shortcut" ] && grep -qaF "$instdir_win\\Vantrel.exe" "$shortcut"; then
  pass "Start-menu shortcut to $instdir_win\\Vantrel.exe"
else
  fail "no Start-menu shortcut at $shortcut pointing to Vantrel.exe"
fi

check_value() {
  local actual
  actual=$(reg_value "$uninstall_key" "$1" || true)
  if [ "$actual" != "$2" ]; then
    fail "uninstall entry $1 is '$actual', expected '$2'"
  fi
}
check_value DisplayName Vantrel
check_value DisplayVersion "$version"
check_value Publisher Korvane
check_value InstallLocation "$instdir_win"
check_value UninstallString "\"$instdir_win\\uninstall.exe\""
check_value QuietUninstallString "\"$instdir_win\\uninstall.exe\" /S"
pass "uninstall entry checked"

# The help file: a compiled help file that Wine's help reader can open, with
# every page of the help sources in it.
chm=$instdir/Vantrel.chm
if [ "$(head -c 4 "$chm" 2>/dev/null)" != "ITSF" ]; then
  fail "Vantrel.chm is not a compiled help file (no ITSF signature)"
else
  pages=()
  for page in "$repo"/help/*.html; do pages+=("$(basename "$page")"); done
  status=0
  wine_run cscript //nologo "$(winepath -w "$here/chm_pages.js" 2>/dev/null)" \
    "$instdir_win\\Vantrel.chm" "${pages[@]}" || status=$?
  tr -d '\r' <"$work/out"
  if [ "$status" -ne 0 ]; then
    fail "Wine's help reader cannot read every page of Vantrel.chm"
  else
    pass "Vantrel.chm opens in Wine's help reader with all ${#pages[@]} pages"
  fi
fi

# The installed program works from there: a login start with a fresh
# proggroup.c has nothing to wait for and ends at once.
started=$(date +%s)
status=0
wine_run "$instdir_win\\Vantrel.exe" -nogui || status=$?
elapsed=$(($(date +%s) - started))
if [ "$status" -ne 0 ] || [ "$elapsed" -gt 20 ]; then
  fail "installed Vantrel.exe -nogui ended with $status after $elapsed s (expected 0 within 20 s)"
else
  pass "installed Vantrel.exe -nogui ended by itself after $elapsed s"
fi
proggroup=$(find "$instdir" -mindepth 2 -maxdepth 2 -name proggroup.c | head -n 1)
if [ -z "$proggroup" ]; then
  fail "Vantrel.exe -nogui created no <user>\\proggroup.c in $instdir_win"
  proggroup=$instdir/user/proggroup.c
  mkdir -p "$(dirname "$proggroup")"
  echo "// stand-in" >"$proggroup"
fi
user_folder=$(dirname "$proggroup")

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
wine "$instdir_win\\Vantrel.exe" -nogui >"$work/vantrel.out" 2>&1 &
vantrel_pid=$!
for _ in $(seq 40); do
  grep -q 'Waiting for 300 seconds' "$instdir/log.txt" 2>/dev/null && break
  sleep 0.5
done
if ! grep -q 'Waiting for 300 seconds' "$instdir/log.txt" 2>/dev/null; then
  fail "the waiting Vantrel did not start its login run"
fi
status=0
wine_run "$instdir_win\\uninstall.exe" /S "_?=$instdir_win" || status=$?
if [ "$status" -eq 0 ] || [ ! -f "$instdir/Vantrel.exe" ] || [ ! -f "$instdir/lang/en/menus.en" ] ||
  ! key_exists "$uninstall_key"; then
  fail "the uninstaller did not stop while Vantrel runs (exit $status)"
else
  pass "uninstall /S while Vantrel runs: exit $status, nothing removed"
fi
status=0
wine_run "$setup" /S || status=$?
if [ "$status" -eq 0 ]; then
  fail "the setup did not stop while Vantrel runs"
else
  pass "setup /S while Vantrel runs: exit $status"
fi
kill "$vantrel_pid" 2>/dev/null || true
wait "$vantrel_pid" 2>/dev/null || true
vantrel_pid=
cp "$work/proggroup.c" "$proggroup"

# Installing again over the installation restores the program but keeps a
# text the user extended.
printf 'My own tip.\r\n' >>"$instdir/lang/en/tipofday.en"
cp "$instdir/lang/en/tipofday.en" "$work/tipofday.en"
rm "$instdir/readme.txt"
status=0
wine_run "$setup" /S || status=$?
if [ "$status" -ne 0 ] || ! cmp -s "$program_folder/readme.txt" "$instdir/readme.txt"; then
  fail "setup /S over the installation did not restore readme.txt (exit $status)"
elif ! cmp -s "$work/tipofday.en" "$instdir/lang/en/tipofday.en"; then
  fail "setup /S over the installation replaced the user's tips"
else
  pass "setup /S over the installation: program restored, the user's tips kept"
fi

# The uninstaller in place (it would otherwise copy itself away and return
# at once).
status=0
wine_run "$instdir_win\\uninstall.exe" /S "_?=$instdir_win" || status=$?
if [ "$status" -ne 0 ]; then
  fail "uninstall /S ended with $status"
fi
left=$( (cd "$program_folder" && find . -type f) | while read -r file; do
  [ -e "$instdir/$file" ] && echo "$file"
done || true)
if [ "$left" != "./lang/en/tipofday.en" ]; then
  fail "program files left after uninstalling, or the user's tips removed: $left"
else
  pass "every unchanged program file removed, the user's tips kept"
fi
if [ -e "$shortcut" ]; then fail "the Start-menu shortcut is still there"; else pass "shortcut removed"; fi
if key_exists "$uninstall_key"; then fail "the uninstall entry is still there"; else pass "uninstall entry removed"; fi
if reg_value "$run_key" Tarrow >/dev/null; then
  fail "Vantrel's login entry into the install folder is still there"
else
  pass "login entry Tarrow into the install folder removed"
fi
for kept in "${proggroup#"$instdir"/}" "Vantrel Items/Current User/Cloud Drive.lnk" \
  "Delayed Registry/2026-03-14/08 15 02.reg" log.txt lang/xx/menus.xx; do
  [ -f "$instdir/$kept" ] || fail "user data removed: $kept"
done
if ! cmp -s "$work/proggroup.c" "$proggroup"; then fail "proggroup.c changed"; fi
for gone in "Vantrel Items/All Users" "Delayed Registry/2026-03-15" data lang/de; do
  [ -e "$instdir/$gone" ] && fail "empty folder left: $gone"
done
if [ "$(reg_value "$store_key" InstallerTestAgent || true)" != 'C:\Tools\agent.exe /q' ]; then
  fail "a delayed Run entry in Vantrel's registry store was removed"
fi
pass "user data kept: ${user_folder#"$instdir"/}\\proggroup.c, shortcut, .reg backup, log, own files, registry store"
reg_delete_value "$store_key" InstallerTestAgent
rm -rf "$instdir"

# --------------------------------------------------------------- second pass
status=0
wine_run "$setup" /S || status=$?
[ "$status" -eq 0 ] || fail "second setup /S ended with $status"
other_copy='"C:\Tools\Vantrel\Vantrel.exe" -nogui'
reg_set "$run_key" Tarrow "$other_copy"
if ! $vendor_key_existed; then
  wine_run reg add "$store_key" /f # an empty store, as Vantrel leaves it
fi

# As Windows runs it: the uninstaller copies itself away, starts the copy
# and returns; the copy does the work and then removes the original.
status=0
wine_run "$instdir_win\\uninstall.exe" /S || status=$?
[ "$status" -eq 0 ] || fail "uninstall /S (copied away) ended with $status"
for _ in $(seq 60); do
  [ -e "$instdir" ] || break
  sleep 0.5
done
if [ -e "$instdir" ]; then
  fail "the install folder of an unused installation is left:"
  (cd "$instdir" && find .) >&2
else
  pass "nothing left of an unused installation"
fi
if [ -e "$shortcut" ] || key_exists "$uninstall_key"; then
  fail "shortcut or uninstall entry left by the copied-away uninstaller"
fi
if [ "$(reg_value "$run_key" Tarrow || true)" != "$other_copy" ]; then
  fail "the login entry of another copy of Vantrel was changed"
else
  pass "login entry of another copy of Vantrel kept"
fi
if ! $vendor_key_existed; then
  if key_exists "$vendor_key"; then
    fail "an empty registry store of Vantrel was left"
  else
    pass "empty registry store removed"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "installer test: $failures failure(s)" >&2
  exit 1
fi
echo "installer test: setup and uninstaller of Vantrel $version passed"
