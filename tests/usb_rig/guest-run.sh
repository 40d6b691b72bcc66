#!/bin/sh
# Inside the guest, in a chroot of the host's root: makes the timing unit a
# USB gadget on the dummy host controller, puts the emulated unit behind it
# and runs the program's tests on the real device path: the Linux build's, or
# with trivex.windows on the kernel's command line the Windows build's under
# wine.
set -u
results=$1
here=$(dirname "$0")
build=$(cat "$results/build-dir")
export HOME=/tmp XDG_RUNTIME_DIR=/tmp/xdg QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

arg() { sed -n "s/.*trivex\.$1=\([^ ]*\).*/\1/p" /proc/cmdline; }
windows=$(arg windows)

g=/sys/kernel/config/usb_gadget/trivex
mkdir -p "$g" && cd "$g" || exit 10
echo 0x04b4 > idVendor
echo 0x5500 > idProduct
echo 0x0100 > bcdDevice
mkdir -p strings/0x409
echo "Emulated timing unit" > strings/0x409/product
mkdir -p functions/hid.usb0
echo 0 > functions/hid.usb0/protocol
echo 0 > functions/hid.usb0/subclass
echo 8 > functions/hid.usb0/report_length
if [ -n "$windows" ]; then
  # The gadget then takes output and feature reports from the control pipe,
  # so it sees the program's configuration report too (with an OUT endpoint
  # the kernel's HID function stalls every feature report). Below the HID
  # driver that is all that changes: the program writes to the HID device
  # either way, and no serial driver will take a unit without that endpoint.
  echo 1 > functions/hid.usb0/no_out_endpoint
fi
# Vendor page; an 8-byte input, an 8-byte output and a 5-byte feature report; no report ids.
printf '\006\000\377\011\001\241\001\025\000\046\377\000\165\010\225\010\011\001\201\002\225\010\011\001\221\002\225\005\011\001\261\002\300' \
  > functions/hid.usb0/report_desc
mkdir -p configs/c.1/strings/0x409
echo "Timing" > configs/c.1/strings/0x409/configuration
ln -s "$g/functions/hid.usb0" configs/c.1/
udc=$(ls /sys/class/udc | head -n 1)
echo "$udc" > UDC || exit 11
cd /

# A minute each: devices come slowly in a guest under TCG.
wait_for() {
  for _ in $(seq 600); do [ -e "$1" ] && return 0; sleep 0.1; done
  echo "guest: $1 did not appear"; return 1
}
wait_for /dev/hidg0 || exit 12

# The unit's interface on the host side, once the bus has listed it.
unit_interface() {
  for d in /sys/bus/usb/devices/*:1.0; do
    [ "$(cat "$d/../idVendor" 2>/dev/null)" = 04b4 ] && basename "$d"
  done
}

records=0
if [ -n "$windows" ]; then
  # As a Windows machine has it: no serial driver for the unit, which goes
  # to the HID driver (a hidraw node), now and whenever it is plugged in.
  for _ in $(seq 600); do intf=$(unit_interface) && [ -n "$intf" ] && break; sleep 0.1; done
  [ -n "$intf" ] || exit 13
  /bin/busybox rmmod cypress_m8 || exit 14
  # udevd tells wine's HID bus of hidraw nodes as they come and go, as the
  # Plug and Play manager does on Windows.
  /lib/systemd/systemd-udevd --daemon || exit 16
  udevadm trigger --action=add && udevadm settle
  [ -e "/sys/bus/usb/drivers/usbhid/$intf" ] || echo "$intf" > /sys/bus/usb/drivers/usbhid/bind || exit 14
  wait_for /dev/hidraw0 || exit 15
  echo "guest: unit on $udc, held by the HID driver as /dev/hidraw0"
  # A race of more records than the list shows at once.
  records=220
  export TRIVEX_GADGET_FEATURES=1
else
  wait_for /dev/ttyUSB0 || exit 13
  echo "guest: unit on $udc, held by the serial driver as /dev/ttyUSB0"
fi

: > "$results/commands.log"
: > "$results/commands.log.features"
"$build/tests/trivex-gadget" /dev/hidg0 "$results/commands.log" "$records" &
gadget=$!
export TRIVEX_GADGET_UDC=$udc TRIVEX_GADGET_UDC_FILE=$g/UDC TRIVEX_GADGET_LOG=$results/commands.log \
  TRIVEX_GADGET_RECORDS=$records TRIVEX_RESULTS=$results

if [ -n "$windows" ]; then
  "$here/guest-wine.sh" "$windows" "$(arg prefix)" > "$results/guest-tests.log" 2>&1
else
  "$build/tests/usb_guest_tests" > "$results/guest-tests.log" 2>&1
fi
code=$?
kill "$gadget" 2>/dev/null
wait "$gadget" 2>/dev/null
exit $code
