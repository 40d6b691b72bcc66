#!/usr/bin/env bash
# Tests the Windows build under wine, on an X display and a wine prefix of
# its own:
#   1. every unit test built for Windows, through CTest;
#   2. the programs of the portable folder: --help and --version; the demo
#      downloading the sample race and exporting it through the dialog (the
#      file must equal, but for the date and time, the Linux demo's export of
#      the same race, made here too); the real program with no unit;
#   3. the installer: silent install, the program from Program Files, the
#      Start-menu entry, silent uninstall leaving nothing behind;
#   4. the program on the real device path: the device-path rig's guest
#      (tests/usb_rig/) runs the Windows build's tests there under wine, the
#      unit on the kernel's HID driver.
#
#   tests/windows/run-windows-tests.sh WINDOWS_BUILD LINUX_BUILD
#
# LINUX_BUILD holds app/trivex-demo. Screenshots and logs stay in
# WINDOWS_BUILD/wine-tests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win=$(realpath "$1")
linux=$(realpath "$2")
work=$win/wine-tests
rm -rf "$work"
mkdir -p "$work"

. "$win/windows-runtime.sh"
package=$(cat "$win/windows-package-folder.txt")
portable=$package/trivex-$version-win64
setup=$package/trivex-$version-win64-setup.exe

started=$SECONDS
. "$here/wine-session.sh"
echo "run-windows-tests: wine prefix ready in $((SECONDS - started)) s"

passed=0
failed=0
check() { # description, then a command that succeeds when the check holds
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "  ok: $what"
  else
    failed=$((failed + 1))
    echo "  FAILED: $what"
  fi
}

# 1. The unit tests, from the build folder: DLLs from where they were built.
wine_dirs=()
IFS=: read -ra dirs <<<"$dll_dirs"
for d in "${dirs[@]}"; do wine_dirs+=("$(windows_path "$d")"); done
WINEPATH=$(IFS=';'; echo "${wine_dirs[*]}")
export WINEPATH
# Qt finds its plugins beside its own DLLs.
echo "run-windows-tests: the unit tests under wine"
# Each takes a second or two. Under load, winpthreads now and then loses a
# wake-up (the program's own waits all have deadlines; a test process was
# seen to hang on its way out after its result was printed): a test that
# times out runs once more, and one that hangs twice fails.
ctest --test-dir "$win" --output-on-failure -j"$(nproc)" --timeout 60 --repeat after-timeout:2 -L unit ||
  failed=$((failed + 1))
# The rest starts from services as a fresh machine has them.
wine_restart
ctest --test-dir "$win" --output-on-failure --timeout 120 -L system || failed=$((failed + 1))
# What follows runs from the portable folder alone, as a user would.
unset WINEPATH

# 2. The programs.
run_exe() { "$wine" "$@" 2>>"$work/wine.log" | tr -d '\r'; }

echo "run-windows-tests: the command line"
for program in trivex trivex-demo; do
  check "$program --version" test "$(run_exe "$portable/$program.exe" --version)" = "$program $version"
  out=$(run_exe "$portable/$program.exe" --help)
  check "$program --help lists --help and --version" grep -q -- '--version' <<<"$out"
  check "$program --help names it as it is called" test "$(head -n 1 <<<"$out")" = "Usage: $program [options]"
  check "$program refuses what it does not take" bash -c "! '$wine' '$portable/$program.exe' --bogus >/dev/null 2>&1"
done

# The window of a program started in the background, or nothing after 60 s.
window_of() { xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
wait_for_window() { timeout 60 bash -c "$(declare -f window_of); window_of '$1'"; }
# Keys to the window: Alt and a button's letter, as an operator would press them.
press() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  shift
  xdotool key --delay 100 "$@"
}
# The screen, or one window of it (a dialog does not always show in the screen's).
screenshot() {
  local which=(-root)
  [ -n "${2:-}" ] && which=(-id "$2")
  xwd -silent "${which[@]}" | convert xwd:- "$work/$1.png" 2>/dev/null || true
}
ended_within() { # pid seconds
  local end=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.2
  done
}
main_title="Trivex Timing Interface Window"

# Runs a demo in FOLDER: Get Memory, waits for the race, marks a line from
# the keyboard, Write File, Write, Exit.
export_with_demo() { # name folder command...
  local name=$1 folder=$2
  shift 2
  mkdir -p "$folder"
  (cd "$folder" && exec "$@" >"$work/$name.log" 2>&1) &
  local pid=$!
  local started=$SECONDS window
  window=$(wait_for_window "$main_title") || { echo "  $name: no window"; kill "$pid"; return 1; }
  echo "  $name: window shown after $((SECONDS - started)) s"
  press "$window" alt+g
  # 48 records come in about 3 s from a unit sending a report each 10 ms.
  sleep 8
  # Into the list from "Exit", the cursor two lines down, its mark a star.
  press "$window" Tab Down Down space
  sleep 1
  screenshot "$name-downloaded"
  press "$window" alt+w
  sleep 2
  screenshot "$name-dialog" "$(xdotool search --name '^Write File$' 2>/dev/null | head -n 1)"
  # The focus starts in the name box: Enter writes.
  xdotool key Return
  for _ in $(seq 50); do [ -s "$folder/TrivexData.txt" ] && break; sleep 0.2; done
  # The same list as a spreadsheet file: the name typed in the name box,
  # then past the file list, which now shows the first file, and back.
  press "$window" alt+w
  sleep 2
  xdotool key ctrl+a
  xdotool type --delay 50 results.csv
  xdotool key Tab Tab Tab shift+Tab shift+Tab shift+Tab
  screenshot "$name-csv-name" "$(xdotool search --name '^Write File$' 2>/dev/null | head -n 1)"
  xdotool key Return
  for _ in $(seq 50); do [ -s "$folder/results.csv" ] && break; sleep 0.2; done
  press "$window" alt+x
  ended_within "$pid" 15 || { echo "  $name: Exit did not end it"; kill "$pid"; return 1; }
  wait "$pid"
}
without_date_and_time() { sed '2s/    Date  =  [0-9-]*    Time  =  [0-9:]*//' "$1"; }

echo "run-windows-tests: the demo downloads and exports the sample race, on Windows and on Linux"
# The same race at the same time of day in both, for the spreadsheet files' times of day.
export TRIVEX_DEMO_RACE_START=13:05:00
export_with_demo windows-demo "$work/export-windows" "$wine" "$portable/trivex-demo.exe" || true
# Its kept lists of its own, as the wine prefix is the Windows demo's: the
# user's would open the dialog where an earlier run last wrote.
XDG_DATA_HOME=$work/linux-data QT_QPA_PLATFORM=xcb export_with_demo linux-demo "$work/export-linux" "$linux/app/trivex-demo" || true
win_file=$work/export-windows/TrivexData.txt
linux_file=$work/export-linux/TrivexData.txt
check "the Windows demo wrote its export" test -s "$win_file"
check "the Linux demo wrote its export" test -s "$linux_file"
check "the exports hold 48 records and 8 header lines" test "$(grep -c $'\r$' "$win_file" 2>/dev/null)" -ge 56
check "the Windows export equals the Linux one but for the date and time" \
  cmp -s <(without_date_and_time "$win_file") <(without_date_and_time "$linux_file")
check "line 2 of the Windows export has the date and time" \
  grep -qE $'^TrivexData.txt    Date  =  [0-9]{2}-[0-9]{2}-[0-9]{4}    Time  =  [0-9]{2}:[0-9]{2}:[0-9]{2}     Unit = ' "$win_file"
check "the Windows spreadsheet file equals the Linux one byte for byte" \
  cmp "$work/export-windows/results.csv" "$work/export-linux/results.csv"
check "the spreadsheet file holds a header and 48 rows" \
  test "$(grep -c $'\r$' "$work/export-windows/results.csv" 2>/dev/null)" -eq 49

echo "run-windows-tests: the Windows demo keeps its list and brings it back in a new run"
lists_db=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/trivex-demo/lists.sqlite' 2>/dev/null | head -n 1)
check "the list is kept under %LOCALAPPDATA%" test -n "$lists_db"
check "the kept list holds the 48 records" test "$(sqlite3 "$lists_db" 'SELECT count(*) FROM records' 2>/dev/null)" = 48
check "and the mark" test "$(sqlite3 "$lists_db" 'SELECT count(*) FROM records WHERE mark = 1' 2>/dev/null)" = 1
(cd "$work/export-windows" && exec "$wine" "$portable/trivex-demo.exe" >"$work/demo-again.log" 2>&1) &
pid=$!
if window=$(wait_for_window "$main_title"); then
  sleep 3
  screenshot windows-demo-offered
  press "$window" ctrl+r
  sleep 1
  screenshot windows-demo-back
  # Written from the list brought back, without a download: as the first was.
  press "$window" alt+w
  sleep 2
  # The focus is in the name box.
  xdotool key ctrl+a
  xdotool type --delay 50 back.txt
  xdotool key Return
  for _ in $(seq 50); do [ -s "$work/export-windows/back.txt" ] && break; sleep 0.2; done
  press "$window" alt+x
  check "Exit ends it" ended_within "$pid" 15
  # The header's second line names the file and the time; its Unit stays.
  only_unit() { sed '2s/.*Unit = /Unit = /' "$1"; }
  check "the list brought back exports as the downloaded one did" \
    cmp -s <(only_unit "$work/export-windows/back.txt") <(only_unit "$win_file")
else
  check "the demo shows its window again" false
  kill "$pid" 2>/dev/null || true
fi

echo "run-windows-tests: the real program with no unit"
(cd "$work" && exec "$wine" "$portable/trivex.exe" >"$work/no-unit.log" 2>&1) &
pid=$!
start=$SECONDS
if window=$(wait_for_window "$main_title"); then
  echo "  shown after $((SECONDS - start)) s"
  sleep 2
  screenshot no-unit
  check "it keeps running with no unit" kill -0 "$pid"
  press "$window" alt+1 alt+2 alt+d alt+t alt+g
  sleep 1
  check "it keeps running after the buttons" kill -0 "$pid"
  press "$window" alt+x
  check "Exit ends it" ended_within "$pid" 15
  wait "$pid" 2>/dev/null && status=0 || status=$?
  check "it ends with status 0" test "$status" -eq 0
else
  check "the real program shows its window" false
  kill "$pid" 2>/dev/null || true
fi

# 3. The installer, in the same prefix.
echo "run-windows-tests: the installer"
program_files=$WINEPREFIX/drive_c/Program\ Files/Trivex
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
run_exe "$setup" /S
check "installed under Program Files" test -f "$program_files/trivex.exe"
check "the demo stays out of the installer" test ! -e "$program_files/trivex-demo.exe"
check "the installed program answers --version" \
  test "$(run_exe 'C:\Program Files\Trivex\trivex.exe' --version)" = "trivex $version"
check "a Start-menu entry" test -f "$start_menu/Trivex Timing Interface.lnk"
check "listed among the installed programs" \
  "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trivex' /v DisplayName
run_exe 'C:\Program Files\Trivex\uninstall.exe' /S
# The uninstaller works from a copy of itself and returns at once.
for _ in $(seq 150); do [ -e "$program_files" ] || break; sleep 0.2; done
check "uninstalled without a file left behind" test ! -e "$program_files"
check "the Start-menu entry is gone" test ! -e "$start_menu/Trivex Timing Interface.lnk"
check "no longer listed" bash -c "! '$wine' reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Trivex' >/dev/null 2>&1"

# 4. The real device path, in the test guest. The Linux build holds the
# gadget's side of the unit and the kernel the guest boots. The guest has a
# prefix of its own: this one's room goes back to the disk first.
wine_session_end
rm -rf "$WINEPREFIX"
echo "run-windows-tests: the real device path, in the test guest"
check "the Windows program on the unit as a HID device under wine" \
  "$here/../usb_rig/run-guest-tests.sh" "$linux" "$win"

echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
