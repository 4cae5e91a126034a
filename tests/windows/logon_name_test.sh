#!/bin/sh
# The contract tests of names once more for a user whose logon name is in
# CJK (田中). Wine takes the logon name from $USER but the profile folders
# from the prefix, so for the run the user's Start Menu folders point into
# C:\users\田中 as Windows would make them, and are put back afterwards.
#
#   tests/windows/logon_name_test.sh <prefix folder> <windows_tests.exe>
set -eu

prefix=$1
tests=$2
here=$(cd "$(dirname "$0")" && pwd)
export VANTREL_WINEPREFIX="$prefix"
run() { "$here/../../cmake/wine-run.sh" "$@"; }

user='田中'
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
roaming='AppData\Roaming\Microsoft\Windows\Start Menu'

point_at() { # profile folder
  run reg add "$key" /v "Start Menu" /t REG_EXPAND_SZ /d "$1\\$roaming" /f >/dev/null
  run reg add "$key" /v "Programs" /t REG_EXPAND_SZ /d "$1\\$roaming\\Programs" /f >/dev/null
  run reg add "$key" /v "StartUp" /t REG_EXPAND_SZ /d "$1\\$roaming\\Programs\\StartUp" /f >/dev/null
}

mkdir -p "$prefix/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
trap 'point_at "%USERPROFILE%"' EXIT
point_at "C:\\users\\$user"
USER=$user run "$tests" --gtest_filter='NamesContract.*'
