#!/usr/bin/env bash
# Under a real window manager (openbox on a private Xvfb display), the export
# dialog stays above the main window when the main window is clicked.
#   dialog_stacking_test.sh TRIVEX_DEMO
# Exits with 77, which CTest counts as skipped, when openbox is not installed.
set -euo pipefail
command -v openbox >/dev/null || { echo "openbox is not installed; skipped"; exit 77; }
demo=$(realpath "$1")
work=$(mktemp -d)
cleanup() {
  [ -n "${demo_pid:-}" ] && kill "$demo_pid" 2>/dev/null
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
. "$(dirname "$0")/xvfb-display.sh"
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
# A window mapped while the window manager is still starting may never be managed.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work
mkdir -p "$work/exp"
(cd "$work/exp" && exec "$demo" >"$work/demo.log" 2>&1) &
demo_pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Trivex Timing Interface Window$' | head -n 1)
xdotool windowactivate --sync "$main"
xdotool key alt+w
dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Write File$' | head -n 1) || {
  echo "no Write File dialog; focus on $(xdotool getwindowfocus getwindowname 2>&1)"; cat "$work/demo.log"; exit 1; }
# The topmost of the two in the window manager's stacking order.
on_top() {
  xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep -E '^0x' |
    while read -r id; do echo $((id)); done | grep -xE "$main|$dialog" | tail -n 1
}
status=0
[ "$(on_top)" = "$dialog" ] || { echo "the dialog did not open above the main window"; status=1; }
# The operator clicks the list, then the status line.
for at in "100 100" "30 520"; do
  xdotool mousemove --window "$main" $at click 1
  sleep 0.5
  [ "$(on_top)" = "$dialog" ] || { echo "a click on the main window at $at sent the dialog behind it"; status=1; }
done
[ $status -eq 0 ] && echo "the dialog stayed above the main window"
exit $status
