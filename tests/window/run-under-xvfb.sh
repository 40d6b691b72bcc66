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
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/xvfb-display.sh"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$@"
