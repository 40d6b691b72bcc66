#!/usr/bin/env bash
# Both programs answer --help and --version without a display, refuse what
# else they are given, and say so.
#   command_line_test.sh TRIVEX TRIVEX_DEMO VERSION
set -uo pipefail
version=$3
status=0
for program in "$1" "$2"; do
  name=$(basename "$program")
  run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
  out=$(run --version 2>&1); rc=$?
  [ $rc -eq 0 ] && [ "$out" = "$name $version" ] || { echo "$name --version: rc $rc, \"$out\""; status=1; }
  out=$(run -h 2>&1); rc=$?
  [ $rc -eq 0 ] && grep -q -- '--help' <<<"$out" && grep -q -- '--version' <<<"$out" && ! grep -q -- '--help-all' <<<"$out" \
    && [ "$(head -n 1 <<<"$out")" = "Usage: $name [options]" ] \
    || { echo "$name -h: rc $rc, \"$out\""; status=1; }
  out=$(run -platform offscreen 2>&1); rc=$?
  [ $rc -eq 2 ] && grep -q "Unknown option 'platform'" <<<"$out" || { echo "$name -platform: rc $rc, \"$out\""; status=1; }
  for wrong in --bogus -platform stray; do
    out=$(run "$wrong" 2>&1); rc=$?
    [ $rc -eq 2 ] && grep -q "Try '$name --help'" <<<"$out" || { echo "$name $wrong: rc $rc, \"$out\""; status=1; }
  done
done
exit $status
