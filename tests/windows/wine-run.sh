#!/usr/bin/env bash
# Runs a Windows test program under wine: CTest's emulator for the Windows
# build. The wine session, the DLL path and the plugins come from
# run-windows-tests.sh, which runs CTest.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${WINEPATH:-}" ]; then
  echo "wine-run: run the Windows tests through tests/windows/run-windows-tests.sh" >&2
  exit 1
fi
# Wine hands no QT_ variable to Windows programs, so the platform goes on the
# command line: the windows platform, on the session's X display, since the
# offscreen one has no fixed-pitch font on Windows.
exec /usr/lib/wine/wine64 "$@" -platform windows
