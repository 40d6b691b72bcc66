# Sourced by the rig's scripts: the guest's kernel (Debian 12's, never
# installed on this machine) and its initramfs, and how qemu runs it.
# Needs here, rig and kernel set, and fail defined; sets vmlinuz, initrd,
# accel and tcg.
command -v qemu-system-x86_64 >/dev/null || fail "qemu-system-x86_64 is missing (package qemu-system-x86)"
[ -x /bin/busybox ] && file_is_static=$(ldd /bin/busybox 2>&1 | grep -c 'not a dynamic') || true
[ "${file_is_static:-0}" -ge 1 ] || fail "a static /bin/busybox is missing (package busybox-static)"
command -v cpio >/dev/null || fail "cpio is missing (package cpio)"

# The kernel: the newest Debian 12 kernel package, unpacked here.
if [ ! -f "$kernel/ready" ]; then
  kernel_package() {
    apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/.*Depends: \(linux-image-[0-9].*-amd64\)$/\1/p' | head -n 1
  }
  pkg=$(kernel_package)
  if [ -z "$pkg" ] && [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq >/dev/null 2>&1 || true
    pkg=$(kernel_package)
  fi
  [ -n "$pkg" ] || fail "no linux-image package is known to apt (apt-get update needs to run as root)"
  rm -rf "$kernel" && mkdir -p "$kernel"
  (cd "$kernel" && apt-get download "$pkg" >/dev/null 2>&1) || fail "could not download $pkg"
  dpkg-deb -x "$kernel"/*.deb "$kernel/root" || fail "could not unpack $pkg"
  rm -f "$kernel"/*.deb
  touch "$kernel/ready"
fi
kver=$(ls "$kernel/root/lib/modules" | head -n 1)
vmlinuz=$kernel/root/boot/vmlinuz-$kver
[ -f "$vmlinuz" ] || fail "the kernel package held no vmlinuz"

# The initramfs: busybox, /init and the modules in the order they load.
modules="virtio_ring virtio virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci netfs fscache 9pnet
 9pnet_virtio 9p usb-common usbcore usbserial cypress_m8 hid hid-generic usbhid configfs udc-core
 libcomposite usb_f_hid dummy_hcd overlay virtio_blk crc16 mbcache jbd2 crc32c_generic ext4"
# The serial driver is loaded before the HID driver, so that it takes the
# unit first, as on any Linux machine. The HID core ignores 04B4:5500 (it
# belongs to the serial driver); this quirk lets the HID driver take it when
# it is given it, as Windows' HID driver does.
usbhid_params="quirks=0x04b4:0x5500:0x40000000"
initrd=$rig/initrd.gz
stage=$rig/initramfs
rm -rf "$stage" && mkdir -p "$stage"/{bin,modules,proc,sys,dev,host,tmp}
cp /bin/busybox "$stage/bin/busybox"
cp "$here/guest-init.sh" "$stage/init" && chmod 755 "$stage/init"
: > "$stage/modules/order"
for m in $modules; do
  ko=$(find "$kernel/root/lib/modules/$kver" -name "$m.ko" -o -name "${m//-/_}.ko" | head -n 1)
  [ -n "$ko" ] || fail "module $m is not in the kernel package"
  cp "$ko" "$stage/modules/$m.ko"
  echo "$m" >> "$stage/modules/order"
done
echo "$usbhid_params" > "$stage/modules/usbhid.params"
(cd "$stage" && find . | cpio -o -H newc --quiet | gzip -1) > "$initrd"

# Under TCG the guest's CPU leaves out SMAP, SMEP and protection keys: with
# them, QEMU's emulation of iretq from user mode, which wine uses, faults.
accel="-accel tcg -cpu max,-smap,-smep,-pku"
tcg=$accel
if grep -qE 'vmx|svm' /proc/cpuinfo && [ -w /dev/kvm ]; then
  accel="-accel kvm -cpu host"
fi


# The guest's machine: qemu_args for a console log, the script the guest
# runs and more of the kernel's command line; the host's root is shared
# read-only and $results writable over 9p. Needs results and build set.
guest_args() { # console-log run-script [kernel-arguments]
  qemu_args=(-smp 2 -m 2048 -display none -monitor none -no-reboot -nic none
    -serial "file:$1" -kernel "$vmlinuz" -initrd "$initrd"
    -append "console=ttyS0 panic=-1 quiet trivex.run=$2 trivex.results=$results trivex.keep=$here:$build ${3:-}"
    -fsdev local,id=hostroot,path=/,security_model=none,readonly=on,multidevs=remap
    -device virtio-9p-pci,fsdev=hostroot,mount_tag=hostroot
    -fsdev local,id=results,path="$results",security_model=none
    -device virtio-9p-pci,fsdev=results,mount_tag=results
    -device isa-debug-exit,iobase=0xf4,iosize=0x04)
}

# Waits for a guest started in the background to end, or for the condition
# (shell code) to hold, then stops it dead. Under TCG a guest runs several
# times slower than under KVM, so it is judged by whether it moves: it is
# stopped as stuck once neither its console log nor a file under $results
# has grown for $guest_stall seconds. Its whole run is bounded too, by a
# limit scaled from the boot it was measured to take (guest-init.sh writes
# $results/booted). Sets guest_end (ended, condition, stuck or too long),
# guest_boot and guest_seconds, and prints them.
guest_stall=${TRIVEX_RIG_STALL:-180}
watch_guest() { # pid console-log [condition]
  local pid=$1 console=$2 condition=${3:-} began=$SECONDS stamp last="" moved=$SECONDS limit=""
  guest_end=ended guest_boot=""
  while kill -0 "$pid" 2>/dev/null; do
    if [ -n "$condition" ] && eval "$condition"; then guest_end=condition; break; fi
    if [ -z "$guest_boot" ] && [ -f "$results/booted" ]; then
      guest_boot=$((SECONDS - began))
      # 120 boots' time, and never under 20 minutes: a last resort beside the
      # watch for a guest that stands still. With KVM a guest boots in about
      # 2 s and its tests take 2 to 3 minutes; under TCG it boots in 10 to 20 s
      # and the Windows tests take 5 to 8.
      limit=$((guest_boot * 120)); [ "$limit" -ge 1200 ] || limit=1200
      echo "${rig_name:-usb rig}: the guest booted in $guest_boot s; its run is limited to $limit s"
    fi
    # The console log is made only once qemu is under way.
    stamp=$({ find "$results" "$console" -type f -printf '%p %s\n' 2>/dev/null || true; } | sort | cksum)
    [ "$stamp" != "$last" ] && { last=$stamp; moved=$SECONDS; }
    if [ $((SECONDS - moved)) -ge "$guest_stall" ]; then guest_end=stuck; break; fi
    if [ -n "$limit" ] && [ $((SECONDS - began)) -ge "$limit" ]; then guest_end="too long"; break; fi
    sleep 1
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  guest_seconds=$((SECONDS - began))
  case $guest_end in
    stuck) echo "${rig_name:-usb rig}: the guest was stopped after $guest_seconds s: nothing moved for $guest_stall s" >&2 ;;
    "too long") echo "${rig_name:-usb rig}: the guest was stopped after $guest_seconds s, its limit" >&2 ;;
  esac
}
