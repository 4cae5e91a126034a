#!/bin/sh
# Vantrel.exe started the way Windows starts it at login, from a fresh
# program folder under Wine: it creates the user's program-group file, has
# nothing to launch, writes nothing to its log and ends by itself.
#
#   first_login_start.sh <prefix folder> <Vantrel.exe>
set -eu

[ $# -eq 2 ] || { echo "usage: $0 <prefix folder> <Vantrel.exe>" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
folder=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-login.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$2" "$folder/Vantrel.exe"
fail() { echo "FAIL: $*" >&2; find "$folder" >&2; exit 1; }

status=0
VANTREL_WINEPREFIX=$1 timeout 60 "$here/../../cmake/wine-run.sh" "$folder/Vantrel.exe" -nogui || status=$?
[ "$status" -eq 0 ] || fail "Vantrel.exe -nogui ended with $status (124: still running after 60 s)"
# The file lives in a folder named after the Windows user.
groups=$(find "$folder" -mindepth 2 -maxdepth 2 -name proggroup.c)
[ "$(echo "$groups" | grep -c .)" -eq 1 ] || fail "expected one <user>\\proggroup.c"
head -c 16 "$groups" | od -An -c | grep -q '\\r  \\n' || fail "proggroup.c does not use CR LF line ends"
[ ! -e "$folder/log.txt" ] || fail "a run with nothing to launch wrote log.txt: $(cat "$folder/log.txt")"
echo "first login start: proggroup.c created, nothing logged"
