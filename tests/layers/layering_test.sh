#!/usr/bin/env bash
# Checks every include of the program's folders against the table "Folders,
# and what each may include" of docs/architecture.md, the one place the
# layering is written: a folder includes its own headers and those of the
# folders its row names ("nothing of ours", or "everything above": the rows
# above it). Prints each include that goes the wrong way and fails on any.
#
#   tests/layers/layering_test.sh [SOURCE_ROOT]
set -euo pipefail
root=$(realpath "${1:-$(dirname "$0")/../..}")
map=$root/docs/architecture.md

# The table's rows: "folder|may include", in the order they stand.
rows=$(sed -n '/^## Folders, and what each may include/,/^## /p' "$map" |
  grep -E '^\| `[a-z_]+/` \|' |
  sed -E 's/^\| `([a-z_]+)\/` \|.*\| ([^|]*) \|$/\1|\2/')
[ -n "$rows" ] || { echo "layering: no table of folders in $map" >&2; exit 1; }

folders=()
declare -A allowed
while IFS='|' read -r folder may; do
  list=" $folder "
  case "$may" in
    *"everything above"*) list+="${folders[*]} " ;;
    *"nothing of ours"*) ;;
    *) for f in $(grep -oE '`[a-z_]+/`' <<<"$may" | tr -d '`/'); do list+="$f "; done ;;
  esac
  allowed[$folder]=$list
  folders+=("$folder")
done <<<"$rows"

bad=0
checked=0
for folder in "${folders[@]}"; do
  [ -d "$root/$folder" ] || { echo "layering: the table names $folder/, which is not there" >&2; bad=$((bad + 1)); continue; }
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$rest")
    checked=$((checked + 1))
    if [[ ${allowed[$folder]} != *" $target "* ]]; then
      echo "layering: ${file#$root/}:$line includes $target/, which $folder/ may not" >&2
      bad=$((bad + 1))
    fi
  done < <(grep -nE '^#include "[a-z_]+/' "$root/$folder"/*.h "$root/$folder"/*.cpp 2>/dev/null || true)
done
echo "layering: $checked includes of ${#folders[@]} folders checked, $bad going the wrong way"
[ "$bad" -eq 0 ]
