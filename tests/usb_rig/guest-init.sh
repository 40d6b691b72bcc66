#!/bin/busybox sh
# /init of the test guest: loads the USB, gadget and 9p modules, mounts the
# host's root read-only with fresh /tmp and /run over it, keeps the checkout,
# the build folder and the results visible wherever they are (under /tmp
# too), runs the tests in a chroot of the host's root and leaves through
# isa-debug-exit.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev

for m in $(cat /modules/order); do
  params=$(cat "/modules/$m.params" 2>/dev/null)
  insmod "/modules/$m.ko" $params || echo "guest: insmod $m failed"
done

arg() { sed -n "s/.*trivex\.$1=\([^ ]*\).*/\1/p" /proc/cmdline; }
run=$(arg run)
results=$(arg results)
keep=$(arg keep | tr ':' ' ')

mkdir -p /host /was/tmp /was/run
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,ro hostroot /host
mount --bind /proc /host/proc
mount --bind /sys /host/sys
mount --bind /dev /host/dev
mount -t configfs configfs /host/sys/kernel/config
# The host's /tmp and /run stay reachable here while the guest gets its own.
mount --bind /host/tmp /was/tmp
mount --bind /host/run /was/run
mount -t tmpfs tmpfs /host/tmp
mount -t tmpfs tmpfs /host/run
for path in $keep; do
  case "$path" in
    /tmp/*|/run/*)
      mkdir -p "/host$path"
      mount --bind "/was$path" "/host$path" || echo "guest: cannot keep $path"
      ;;
  esac
done
mkdir -p "/host$results" 2>/dev/null
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144 results "/host$results"
# The host measures the boot by this, and scales the run's limit from it.
cut -d' ' -f1 /proc/uptime > "/host$results/booted"

chroot /host /bin/sh "$run" "$results"
code=$?
echo "$code" > "/host$results/verdict"
sync
echo "guest: tests ended with $code"
# 0 leaves qemu with status 1; anything else with status 3.
if [ "$code" -eq 0 ]; then printf '\000'; else printf '\001'; fi | dd of=/dev/port bs=1 seek=244 count=1 2>/dev/null
poweroff -f
