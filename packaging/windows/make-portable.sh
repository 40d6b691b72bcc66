#!/usr/bin/env bash
# Gathers Windows programs, the Qt plugins they load and every DLL they need
# that Windows does not bring, into one folder that runs from anywhere.
#
#   make-portable.sh OUT QT_PLUGINS SEARCH_DIRS PROGRAM...
#
# SEARCH_DIRS: folders, separated by ":", that hold the DLLs to bring along.
# A DLL found in none of them must be one of Windows' own (wine's copy of the
# system folder tells which); any other is missing, and the folder is not made.
set -euo pipefail
out=$1 plugins=$2 search=$3
shift 3
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
system_dlls=${WINE_SYSTEM_DLLS:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}

rm -rf "$out"
mkdir -p "$out/platforms" "$out/styles"
cp "$@" "$out/"
cp "$plugins/platforms/qwindows.dll" "$out/platforms/"
cp "$plugins/styles/qwindowsvistastyle.dll" "$out/styles/"

find_dll() { # name -> the path of a DLL to bring, or nothing
  local dir
  IFS=: read -ra dirs <<<"$search"
  for dir in "${dirs[@]}"; do
    local hit
    hit=$(find "$dir" -maxdepth 1 -iname "$1" -print -quit 2>/dev/null)
    [ -n "$hit" ] && { echo "$hit"; return; }
  done
}

declare -A seen
queue=("$out"/*.exe "$out"/platforms/*.dll "$out"/styles/*.dll)
missing=()
while [ ${#queue[@]} -gt 0 ]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  while read -r dll; do
    key=${dll,,}
    [ -n "${seen[$key]:-}" ] && continue
    seen[$key]=1
    if path=$(find_dll "$dll") && [ -n "$path" ]; then
      cp "$path" "$out/"
      queue+=("$out/$(basename "$path")")
    elif [ -z "$(find "$system_dlls" -maxdepth 1 -iname "$dll" -print -quit)" ] && [[ $key != api-ms-win-* ]]; then
      missing+=("$dll (needed by $(basename "$file"))")
    fi
  done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
if [ ${#missing[@]} -gt 0 ]; then
  printf 'make-portable: not found: %s\n' "${missing[@]}" >&2
  exit 1
fi
# Symbols help nobody at the finish line; they make the runtime 20 MB larger.
find "$out" \( -name '*.dll' -o -name '*.exe' \) -exec "${STRIP:-x86_64-w64-mingw32-strip}" --strip-unneeded {} +
