#!/usr/bin/env bash
# Makes the portable folder trivex-<version>-win64/ and the installer
# trivex-<version>-win64-setup.exe in OUT, and writes OUT's path to the file
# FOLDER_FILE.
#
#   make-packages.sh OUT FOLDER_FILE VERSION ICON LICENCE QT_PLUGINS SEARCH_DIRS TRIVEX_EXE DEMO_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1 folder_file=$2 version=$3 icon=$4 licence=$5 plugins=$6 search=$7 trivex=$8 demo=$9
portable=$out/trivex-$version-win64
staging=$out/installer-files

mkdir -p "$out"
"$here/make-portable.sh" "$portable" "$plugins" "$search" "$trivex" "$demo"
# Windows' own line ends, so that Notepad shows it as it should.
sed 's/$/\r/' "$licence" >"$portable/LICENSE.txt"

# The installer takes all but the demonstration program.
rm -rf "$staging"
cp -r "$portable" "$staging"
rm "$staging/$(basename "$demo")"
(cd "$staging" && find . -type f | sed 's#^\./##; s#/#\\#g; s#.*#  Delete "$INSTDIR\\&"#') >"$out/installed-files.nsh"
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DSOURCE="$staging" -DOUTFILE="$out/trivex-$version-win64-setup.exe" \
  -DLICENCE="$portable/LICENSE.txt" -DICON="$icon" -DFILELIST="$out/installed-files.nsh" \
  "$here/trivex.nsi" >&2
rm -rf "$staging"
echo "$out" >"$folder_file"
