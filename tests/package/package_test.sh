#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's machine would meet it:
# its contents, the desktop entry, the AppStream data and lintian; then, as
# root, installs it with apt-get, runs the installed program without a
# display, finds its manual page, removes it and checks nothing is left.
#
#   tests/package/package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build=$2

fail() { echo "package test: $*" >&2; exit 1; }
for tool in dpkg-deb desktop-file-validate appstreamcli lintian cpack; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

folder=$("$source_dir/scripts/build-deb" "$build" | tail -n 1)
deb=$(ls "$folder"/trivex_*_amd64.deb)
echo "package test: built $deb"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/trivex ./usr/share/applications/trivex.desktop \
            ./usr/share/icons/hicolor/scalable/apps/trivex.svg ./usr/share/icons/hicolor/16x16/apps/trivex.png \
            ./usr/share/icons/hicolor/48x48/apps/trivex.png ./usr/share/icons/hicolor/256x256/apps/trivex.png \
            ./usr/share/metainfo/org.trivex.trivex.metainfo.xml ./usr/share/man/man1/trivex.1.gz \
            ./usr/lib/udev/rules.d/70-trivex-timer.rules ./usr/share/doc/trivex/copyright; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
grep -q trivex-demo <<<"$contents" && fail "the demonstration program is in the package"
dpkg-deb -f "$deb" Depends | grep -q libhidapi-libusb0 || fail "the dependencies were not worked out from the libraries"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
file "$unpacked/usr/bin/trivex" | grep -q ', stripped' || fail "the program is not stripped"
out=$(desktop-file-validate "$unpacked/usr/share/applications/trivex.desktop" 2>&1) || fail "desktop entry: $out"
[ -z "$out" ] || fail "desktop-file-validate says: $out"
appstreamcli validate --no-net --pedantic "$unpacked/usr/share/metainfo/org.trivex.trivex.metainfo.xml" \
  || fail "the AppStream data does not validate"
# Lintian says so when it runs as root; that is all it may say.
findings=$(lintian --pedantic "$deb" 2>&1 | grep -v 'running with root privileges is not recommended' || true)
[ -z "$findings" ] || fail "lintian says: $findings"
echo "package test: contents, desktop entry, AppStream data and lintian are clean"

if [ "$(id -u)" -ne 0 ]; then
  echo "package test: installing needs root; the install and removal were skipped"
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
cleanup() { apt-get remove -y -qq --purge trivex >/dev/null 2>&1 || true; rm -rf "$unpacked"; }
trap cleanup EXIT
cp "$deb" "$unpacked/"
apt-get install -y -qq "$unpacked/$(basename "$deb")" >/dev/null || fail "apt-get could not install it"
installed=$(dpkg -L trivex)
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/trivex --version) || fail "trivex --version failed"
[ "$version" = "trivex $(dpkg-deb -f "$deb" Version)" ] || fail "trivex --version says \"$version\""
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/trivex --help | grep -q -- '--version' \
  || fail "trivex --help says nothing of --version"
if env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/trivex --no-such-option 2>/dev/null; then
  fail "an unknown option was taken"
fi
[ "$(man -w trivex)" = /usr/share/man/man1/trivex.1.gz ] || fail "man -w trivex finds $(man -w trivex 2>&1)"

apt-get remove -y -qq --purge trivex >/dev/null || fail "apt-get could not remove it"
while read -r path; do
  [ -d "$path" ] && continue
  [ -e "$path" ] && fail "$path is left after the removal"
done <<<"$installed"
dpkg -s trivex >/dev/null 2>&1 && fail "dpkg still knows the package"
echo "package test: installed, ran without a display, found its manual page, removed without a trace"
