#!/bin/sh
# Inside the guest, in a chroot of the host's root: the program keeps its
# lists on the guest's virtual disk. "Before" downloads and marks until the
# host stops the guest dead; "After", booted again on the same disk, brings
# the list back and checks every mark.
set -u
results=$1
build=$(cat "$results/build-dir")
phase=$(sed -n 's/.*trivex\.phase=\([^ ]*\).*/\1/p' /proc/cmdline)
export HOME=/tmp XDG_RUNTIME_DIR=/tmp/xdg QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" /tmp/disk && chmod 700 "$XDG_RUNTIME_DIR"
mount -t ext4 /dev/vda /tmp/disk || exit 20
echo "guest: the disk is mounted: $(grep ' /tmp/disk ' /proc/mounts)"
"$build/tests/app_tests" --gtest_also_run_disabled_tests --gtest_filter="PowerCut.DISABLED_$phase" \
  --lists=/tmp/disk/lists --marks="$results/marks.log" > "$results/$phase.log" 2>&1
code=$?
umount /tmp/disk
exit $code
