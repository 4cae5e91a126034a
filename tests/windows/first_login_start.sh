#!/bin/sh
# Vantrel.exe started the way Windows starts it at login, from a fresh
# program folder under Wine: it creates the user's program-group file, has
# nothing to launch, writes nothing to its log and ends by itself.
#
#   first_login_start.sh <prefix folder> <Vantrel.exe>
set -eu

if [ $# -ne 2 ]; then
  echo "usage: $0 <prefix folder> <Vantrel.exe>" >&2
  exit 2
fi
prefix=$1
program=$2

here=$(cd "$(dirname "$0")" && pwd)
folder=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-login.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/Vantrel.exe"

status=0
VANTREL_WINEPREFIX=$prefix timeout 60 "$here/../../cmake/wine-run.sh" \
  "$folder/Vantrel.exe" -nogui || status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: Vantrel.exe -nogui ended with $status (124: still running after 60 s)" >&2
  exit 1
fi

# The file lives in a folder named after the Windows user.
groups=$(find "$folder" -mindepth 2 -maxdepth 2 -name proggroup.c | wc -l)
if [ "$groups" -ne 1 ]; then
  echo "FAIL: expected one <user>\\proggroup.c, found $groups" >&2
  find "$folder" >&2
  exit 1
fi
if ! head -c 16 "$(find "$folder" -mindepth 2 -maxdepth 2 -name proggroup.c)" |
  od -An -c | grep -q '\\r  \\n'; then
  echo "FAIL: proggroup.c does not use CR LF line ends" >&2
  exit 1
fi
if [ -e "$folder/log.txt" ]; then
  echo "FAIL: a run with nothing to launch wrote log.txt:" >&2
  cat "$folder/log.txt" >&2
  exit 1
fi
echo "first login start: proggroup.c created, nothing logged"
