#!/usr/bin/env bash
# Lays out the program folder (both exes and everything under package/) and
# zips it: make-dist.sh BUILD_DIR DIST_DIR
set -euo pipefail
build=${1:?windows build folder}
dist=${2:?dist folder}
folder="$dist/Vantrel"
rm -rf "$folder" "$dist/Vantrel.zip"
mkdir -p "$folder"
cp "$build/Vantrel.exe" "$build/VantrelSync.exe" "$folder/"
cp -r package/. "$folder/"
(cd "$dist" && zip -qr Vantrel.zip Vantrel)
echo "Program folder: $folder"
echo "Zip: $dist/Vantrel.zip"
