#!/usr/bin/env bash
# The catalogue in the repository holds every sentence the sources mark,
# and no other: a sentence added without it would reach no translator.
set -euo pipefail
lupdate=$1 catalogue=$2 root=$3
shift 3
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$catalogue" "$copy"
folders=()
for f in "$@"; do folders+=("$root/$f"); done
"$lupdate" "${folders[@]}" -extensions cpp,h -locations none -no-obsolete -silent -ts "$copy" >/dev/null 2>&1
if ! diff -u "$catalogue" "$copy"; then
  echo "the catalogue is not current: cmake --build <build folder> --target update_translations" >&2
  exit 1
fi
