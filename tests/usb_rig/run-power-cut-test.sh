#!/usr/bin/env bash
# A real power cut under the kept lists: the test guest (a real kernel under
# qemu) keeps the program's lists on an ext4 file system on a virtual disk
# whose cache passes every flush to this machine's disk at once
# (cache=directsync). The program downloads and marks lines there; once it has
# shown its marks, qemu is killed from here with no shutdown at all; the
# guest boots again on the same disk and the program must bring back every
# mark it had shown.
#
#   tests/usb_rig/run-power-cut-test.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
rig=$build/power-cut
results=$rig/results
kernel=${TRIVEX_RIG_KERNEL:-$build/usb-rig/kernel}
mkdir -p "$rig"

rig_name="power cut"
fail() { echo "power cut: $*" >&2; exit 1; }
command -v mkfs.ext4 >/dev/null || fail "mkfs.ext4 is missing (package e2fsprogs)"
[ -x "$build/tests/app_tests" ] || fail "build app_tests first"
. "$here/guest-kernel.sh"

rm -rf "$results" && mkdir -p "$results"
echo "$build" > "$results/build-dir"
disk=$rig/disk.img
rm -f "$disk"
truncate -s 64M "$disk"
mkfs.ext4 -q -F "$disk"

qemu() { # phase accel
  guest_args "$rig/console-$1.log" "$here/guest-power-cut.sh" "trivex.phase=$1"
  exec qemu-system-x86_64 $2 "${qemu_args[@]}" -drive file="$disk",format=raw,if=virtio,cache=directsync \
    < /dev/null > "$rig/qemu-$1.log" 2>&1
}
marks_shown() { [ -f "$results/marks.log" ] && wc -l < "$results/marks.log" || echo 0; }
run_guest() { # phase [condition]
  rm -f "$results/booted"
  (qemu "$1" "$accel") &
  watch_guest $! "$rig/console-$1.log" "${2:-}"
  echo "power cut: the guest's $1 phase ran $guest_seconds s ($accel)"
}

# Before: the power goes the moment the fifth mark is on the window.
run_guest Before '[ "$(marks_shown)" -ge 5 ]'
if [ "$(marks_shown)" -lt 5 ]; then
  tail -n 40 "$rig/console-Before.log" "$results/Before.log" 2>/dev/null >&2 || true
  fail "the program showed $(marks_shown) marks before the cut, not 5"
fi
echo "power cut: qemu killed with the marks shown (record, mark):"
cat "$results/marks.log"

# After: the same disk, as it was left.
rm -f "$results/verdict"
run_guest After
cat "$results/After.log" 2>/dev/null || true
if [ "$(cat "$results/verdict" 2>/dev/null)" != 0 ]; then
  tail -n 40 "$rig/console-After.log" >&2
  fail "the list was not brought back whole after the cut"
fi
grep -q 'PASSED' "$results/After.log" || fail "the program ran no test after the cut"
echo "power cut: passed"
