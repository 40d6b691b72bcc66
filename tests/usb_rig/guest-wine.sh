#!/bin/sh
# Inside the guest: the Windows build's device-path tests under wine, on an
# X display and a wine prefix of the guest's own.
#   guest-wine.sh PROGRAM_FOLDER PREFIX_TEMPLATE
set -u
program=$1
template=$2
work=/tmp/wine-guest
mkdir -p "$work/up" "$work/layer" "$work/prefix" "$work/program"

# Wine reads a program and its DLLs over 9p wrongly (a section comes back
# as zeros): they run from the guest's memory.
cp -r "$program"/. "$work/program/" || exit 20
# The prefix made on the host, with a writable layer of the guest's own.
mount -t overlay overlay -o "lowerdir=$template,upperdir=$work/up,workdir=$work/layer" "$work/prefix" || exit 21

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; exit 22; }
export DISPLAY=":$(head -n 1 "$work/display")"

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" TRIVEX_ROOT=Z:
started=$(date +%s)
cd "$work/program" || exit 23
# Wine hands no QT_ variable on: the platform goes on the command line. What
# the tests print goes out as it comes, so the host sees them move (it stops
# a guest that stands still).
{
  /usr/lib/wine/wine64 "$work/program/usb_guest_tests.exe" -platform windows 2>"$work/wine.log"
  echo $? >"$work/code"
} | tr -d '\r'
code=$(cat "$work/code")
echo "guest: the Windows tests ran $(( $(date +%s) - started )) s under wine"
wineserver -k 2>/dev/null
kill "$xvfb" 2>/dev/null
[ $code -ne 0 ] && tail -n 30 "$work/wine.log"
exit $code
