#!/usr/bin/env bash
# Runs the device-path rig from a checkout and a build folder under /tmp, as
# a CI clone may be placed, where the guest lays a tmpfs of its own: copies
# of the rig's scripts and of the two programs the guest runs.
#
#   tests/usb_rig/run-from-tmp.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
place=$(mktemp -d /tmp/trivex-rig.XXXXXX)
trap 'rm -rf "$place"' EXIT

mkdir -p "$place/checkout/tests" "$place/build/tests"
cp -r "$here" "$place/checkout/tests/usb_rig"
cp "$build/tests/usb_guest_tests" "$build/tests/trivex-gadget" "$place/build/tests/"
# The kernel package is fetched once, into the real build folder.
mkdir -p "$build/usb-rig"
TRIVEX_RIG_KERNEL="$build/usb-rig/kernel" "$place/checkout/tests/usb_rig/run-guest-tests.sh" "$place/build"
