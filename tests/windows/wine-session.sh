# Sourced by the Windows tests: a private X display (Xvfb chooses its own
# number) and a fresh 64-bit wine prefix set up as a Windows 10 machine with
# Windows' fonts, served by one wineserver for the whole run. Both go when
# the sourcing script exits. Needs $work, a folder of the caller's.
wine=/usr/lib/wine/wine64
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko to offer, and no desktop menu entries to make.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

wine_session_end() {
  wineserver -k 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  return 0
}
trap wine_session_end EXIT

. "$(dirname "${BASH_SOURCE[0]}")/../window/xvfb-display.sh"

# One wineserver for every program of the run, so each start is quick.
mkdir -p "$WINEPREFIX"
wineserver -p
"$wine" wineboot --init >"$work/wineboot.log" 2>&1
"$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
# Without a window manager, a managed window makes every exit wait 2 s.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
# A program that crashes ends, and the test says so, instead of a crash
# dialog waiting for a click.
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
# Without Windows' fonts Qt's dialog font falls back to a serif. Wine has no
# Courier New, Windows' scalable fixed-pitch font (its Courier comes in three
# sizes only), and would pick a serif for it: DejaVu Sans Mono stands in.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "DejaVu Sans Mono" /f >/dev/null

# Ends every program and service of the prefix and starts them afresh. The
# unit tests (seen after the hidapi layer's, a dozen short programs two at a
# time) can leave the RPC service (rpcss.exe) ended but not reaped; wine
# then fails to start it again, and every later program that needs it
# (device search, printing) waits 10 s in vain first.
wine_restart() {
  wineserver -k 2>/dev/null || true
  wineserver -p
  "$wine" wineboot >>"$work/wineboot.log" 2>&1
}

# A Linux path as a Windows program sees it.
windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
