#!/usr/bin/env bash
# Boots a real Linux kernel (Debian 12's, never installed on this machine)
# under qemu with the timing unit as a USB gadget on a virtual host
# controller, and runs the program's tests on the real device path there.
#
#   tests/usb_rig/run-guest-tests.sh BUILD_DIR [WINDOWS_BUILD_DIR]
#
# With a Windows build, the guest runs that build's device-path tests under
# wine instead, the unit handed to the kernel's HID driver as a Windows
# machine has it. The kernel package is kept in BUILD_DIR/usb-rig/kernel, or
# where TRIVEX_RIG_KERNEL names.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
win=${2:+$(cd "$2" && pwd)}
rig=$build/usb-rig
results=$rig/results
kernel=${TRIVEX_RIG_KERNEL:-$rig/kernel}
mkdir -p "$rig"

fail() { echo "usb rig: $*" >&2; exit 1; }

[ -x "$build/tests/usb_guest_tests" ] && [ -x "$build/tests/trivex-gadget" ] \
  || fail "build usb_guest_tests and trivex-gadget first"
. "$here/guest-kernel.sh"

rm -rf "$results" && mkdir -p "$results"
echo "$build" > "$results/build-dir"

# The Windows side: the test program with its DLLs and Qt's plugins in one
# folder, and a wine prefix made here once; the guest copies the folder into
# its own memory (wine reads programs over 9p wrongly) and lays its own
# writable layer over the prefix.
windows_args=""
if [ -n "$win" ]; then
  command -v wine >/dev/null || fail "wine is missing (scripts/install-deps windows)"
  [ -x /lib/systemd/systemd-udevd ] || fail "udevd is missing (package udev; scripts/install-deps windows)"
  [ -f "$win/tests/usb_guest_tests.exe" ] && [ -f "$win/windows-runtime.sh" ] \
    || fail "build usb_guest_tests.exe in $win first"
  . "$win/windows-runtime.sh"
  program=$rig/windows
  rm -rf "$program" && mkdir -p "$program"
  IFS=: read -ra dirs <<<"$dll_dirs"
  for d in "${dirs[@]}"; do cp "$d"/*.dll "$program/" 2>/dev/null || true; done
  cp -r "$qt_plugins"/* "$program/"
  cp "$win/tests/usb_guest_tests.exe" "$program/"
  prefix=$rig/wine-prefix
  # Made anew when wine or the settings below change, or when it does not
  # start a program (a run cut short, or a full disk, leaves it half made).
  wine_version="$(wine --version); SDL off"
  wine64=/usr/lib/wine/wine64
  prefix_works() {
    [ -s "$prefix/drive_c/windows/system32/kernel32.dll" ] || return 1
    local said
    said=$(WINEPREFIX=$prefix WINEDEBUG=-all "$wine64" cmd /c echo ready 2>/dev/null | tr -d '\r') || true
    # Its server ends before the guest lays a layer over the prefix.
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
    [ "$said" = ready ]
  }
  make_prefix() {
    (
      export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
      "$wine64" wineboot --init
      "$wine64" reg add 'HKCU\Software\Wine' /v Version /d win10 /f
      "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
      "$wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
      # wine's HID bus: with SDL on (there is no libSDL here) wine 8 never
      # starts its udev bus, the one that finds hidraw devices.
      "$wine64" reg add 'HKLM\System\CurrentControlSet\Services\winebus' /v "Enable SDL" /t REG_DWORD /d 0 /f
      wineserver -w
    ) >"$rig/wineboot.log" 2>&1
    prefix_works
  }
  if [ "$(cat "$prefix.version" 2>/dev/null)" != "$wine_version" ] || ! prefix_works; then
    rm -rf "$prefix" "$prefix.version"
    if ! make_prefix; then
      echo "--- making the wine prefix" >&2
      tail -n 30 "$rig/wineboot.log" >&2
      df -h "$rig" >&2
      fail "could not make a wine prefix that starts a program"
    fi
    echo "$wine_version" > "$prefix.version"
  fi
  windows_args="trivex.windows=$program trivex.prefix=$prefix"
fi

boot() {
  rm -f "$results/booted"
  guest_args "$rig/console.log" "$here/guest-run.sh" "$windows_args"
  qemu-system-x86_64 $1 "${qemu_args[@]}" < /dev/null > "$rig/qemu.log" 2>&1 &
  watch_guest $! "$rig/console.log"
  echo "usb rig: the guest ran $guest_seconds s ($1)"
}

boot "$accel"
if [ ! -f "$results/verdict" ] && [ "$accel" != "$tcg" ]; then
  echo "usb rig: no verdict with KVM; booting again under TCG"
  boot "$tcg"
fi

[ -f "$results/guest-tests.log" ] && cat "$results/guest-tests.log"
if [ ! -f "$results/verdict" ]; then
  echo "--- guest console" >&2
  tail -n 60 "$rig/console.log" >&2
  cat "$rig/qemu.log" >&2
  echo "--- the guest's last steps (step, progress, seconds)" >&2
  tail -n 10 "$results/progress.log" >&2 2>/dev/null || true
  fail "the guest gave no verdict"
fi
verdict=$(cat "$results/verdict")
if [ "$verdict" != 0 ]; then
  echo "--- guest console" >&2
  tail -n 40 "$rig/console.log" >&2
  fail "the tests in the guest failed ($verdict)"
fi
grep -q 'PASSED' "$results/guest-tests.log" || fail "the guest ran no test"
grep -q 'SKIPPED' "$results/guest-tests.log" && fail "tests were skipped in the guest"
echo "usb rig: passed"
