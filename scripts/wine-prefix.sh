#!/bin/sh
# Prepares the Wine prefix that the Windows tests run in and starts the
# Wine server with Wine's own background processes for the run:
#
#   scripts/wine-prefix.sh <prefix folder>      e.g. build/windows/wineprefix
#
# A new prefix takes several seconds to boot; creating it here, before
# ctest, keeps that out of the tests' time limits. cmake/wine-run.sh calls
# this too, so a plain ctest also works from an empty prefix. Everything
# runs under flock, so several callers at once are safe.
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 <prefix folder>" >&2
  exit 2
fi

for tool in wine wineboot wineserver flock; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$0: $tool not found; install it with: apt-get install wine wine64 util-linux" >&2
    exit 1
  fi
done

mkdir -p "$(dirname "$1")"
WINEPREFIX=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
export WINEPREFIX
export WINEDEBUG=-all
# No Mono or Gecko: their install prompts would stop an unattended boot.
export WINEDLLOVERRIDES="mscoree,mshtml="

# How long the server and Wine's background processes stay up after the
# last program has ended, in seconds.
linger=120

ready="$WINEPREFIX/.vantrel-ready"

create_prefix() {
  # A prefix without the mark is a half-made one from an interrupted run.
  rm -rf "$WINEPREFIX"
  wineboot -i 9>&-
  wineserver -w
  # The null graphics driver lets windows be created without a display.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f 9>&-
  # A changed driver setting takes effect with the next wineserver.
  wineserver -k || true
  wineserver -w || true
  touch "$ready"
}

# The first program started in a prefix also starts Wine's background
# processes (services, devices), which inherit its output. Under ctest they
# would hold the test's output open until the server ends, so start them
# here, detached, in a server that outlives the tests.
start_server() {
  # Closing the lock for them: an inherited lock would be held as long as
  # the server lives.
  if wineserver -p"$linger" 9>&-; then
    wine cmd /c exit 9>&- || true
  fi
}

(
  flock 9
  if [ ! -e "$ready" ]; then
    create_prefix
  fi
  start_server
) 9>"$WINEPREFIX.lock" </dev/null >/dev/null 2>&1
