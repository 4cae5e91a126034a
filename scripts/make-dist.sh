#!/usr/bin/env bash
# Lays out the program folder and packs it two ways:
#
#   scripts/make-dist.sh BUILD_DIR DIST_DIR      e.g. build/windows build/dist
#
#   DIST_DIR/Vantrel/                   both exes, lang\ and data\ from package/,
#                                       Vantrel.chm, readme.txt, licence.txt
#   DIST_DIR/Vantrel-<version>.zip      that folder, zipped
#   DIST_DIR/Vantrel-<version>-setup.exe  the per-user setup program
#
# The version is the one in Vantrel.exe's version resource. Needs zip,
# chmcmd (fp-utils) and makensis (nsis); scripts/install-deps.sh installs
# them. NSIS_VERBOSITY=4 shows all of makensis' output.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR DIST_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
dist=$(cd "$2" && pwd)

for tool in zip chmcmd makensis; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$0: $tool not found; install it with: scripts/install-deps.sh" >&2
    exit 1
  fi
done

# FILEVERSION 2,0,0,4 is shown to the user as 2.0.4 (major, minor, revision).
file_version=$(sed -n 's/^ *FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\) *$/\1.\2.\3.\4/p' \
  "$here/vantrel/resources/vantrel.rc")
if [ -z "$file_version" ]; then
  echo "$0: no FILEVERSION in vantrel/resources/vantrel.rc" >&2
  exit 1
fi
version=$(echo "$file_version" | awk -F. '{ print $1 "." $2 "." $4 }')

folder=$dist/Vantrel
zip_file=$dist/Vantrel-$version.zip
setup_file=$dist/Vantrel-$version-setup.exe
rm -rf "$folder" "$zip_file" "$setup_file" "$dist/Vantrel.zip"
mkdir -p "$folder"

cp "$build/Vantrel.exe" "$build/VantrelSync.exe" "$folder/"
cp -r "$here/package/." "$folder/"
"$here/scripts/build-help.sh" "$folder" >/dev/null

# The two texts are kept with LF in the repository and shipped with CR LF.
to_crlf() {
  sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$1" >"$2"
}
to_crlf "$here/installer/readme.txt" "$folder/readme.txt"
to_crlf "$here/installer/licence.txt" "$folder/licence.txt"

# Every file carries the time of the commit, on an even second: the setup
# stores file times to two seconds, and the uninstaller tells a shipped text
# from one the user changed by its time, so the two must agree exactly. It
# also makes the zip the same for the same commit.
stamp=$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)
stamp=$((stamp / 2 * 2))
find "$folder" -exec touch -h -d "@$stamp" {} +

(cd "$dist" && zip -qrX "$zip_file" Vantrel)

# The setup program installs, and its uninstaller removes, exactly the files
# of the program folder; makensis reads the lists from a generated include.
# The texts under lang\ and data\ are the user's to extend (tips, known
# programs): a copy the user changed is newer than the shipped one, so the
# setup keeps it, and the uninstaller removes only unchanged copies.
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-dist.XXXXXX")
trap 'rm -rf "$work"' EXIT
files_nsh=$work/program-files.nsh
is_user_text() {
  case $1 in ./lang/* | ./data/*) return 0 ;; *) return 1 ;; esac
}
(
  cd "$folder"
  if find . | grep -q '["$`]'; then
    echo "$0: a file name in the program folder holds \", \$ or \`" >&2
    exit 1
  fi
  echo '!macro VantrelInstallFiles'
  find . -type d | LC_ALL=C sort | while read -r dir; do
    rel=${dir#.}
    echo "  SetOutPath \"\$INSTDIR${rel//\//\\}\""
    find "$dir" -maxdepth 1 -type f | LC_ALL=C sort | while read -r file; do
      if is_user_text "$file"; then
        echo "  SetOverwrite ifnewer"
      else
        echo "  SetOverwrite on"
      fi
      echo "  File \"$folder/${file#./}\""
    done
  done
  echo "  SetOverwrite on"
  echo '!macroend'
  echo '!macro VantrelUninstallFiles'
  find . -type f | LC_ALL=C sort | while read -r file; do
    rel=${file#.}
    if is_user_text "$file"; then
      echo "  !insertmacro DELETE_IF_UNCHANGED \"$folder/${file#./}\" \"\$INSTDIR${rel//\//\\}\""
    else
      echo "  Delete \"\$INSTDIR${rel//\//\\}\""
    fi
  done
  # Deepest folders first; RMDir leaves a folder that still holds anything.
  find . -mindepth 1 -type d | LC_ALL=C sort -r | while read -r dir; do
    rel=${dir#.}
    echo "  RMDir \"\$INSTDIR${rel//\//\\}\""
  done
  echo '!macroend'
) >"$files_nsh"

size_kb=$(du -sk "$folder" | cut -f1)
makensis "-V${NSIS_VERBOSITY:-2}" -WX -NOCD \
  "-DVERSION=$version" "-DFILE_VERSION=$file_version" \
  "-DPROGRAM_FOLDER=$folder" "-DPROGRAM_FILES=$files_nsh" \
  "-DSIZE_KB=$size_kb" "-DOUTFILE=$setup_file" \
  "$here/installer/vantrel.nsi"

echo "Program folder: $folder"
echo "Zip: $zip_file"
echo "Setup: $setup_file"
