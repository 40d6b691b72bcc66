#!/usr/bin/env bash
# Runs a program on a real X display of its own: a private Xvfb server, with
# Qt on its xcb platform. No desktop or window manager is needed.
#
#   tests/window/run-under-xvfb.sh PROGRAM [ARGUMENTS...]
#
# Exits with 77, which CTest counts as skipped, when Xvfb is not installed.
set -euo pipefail

if ! command -v Xvfb >/dev/null; then
  echo "run-under-xvfb: Xvfb is not installed (Debian package xvfb); skipped"
  exit 77
fi

work=$(mktemp -d)
cleanup() {
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; echo "run-under-xvfb: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$work/display" ] || { echo "run-under-xvfb: Xvfb gave no display" >&2; exit 1; }

export DISPLAY=":$(head -n 1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$@"
