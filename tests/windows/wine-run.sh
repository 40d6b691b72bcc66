#!/usr/bin/env bash
# Runs a Windows test program under wine: CTest's emulator for the Windows
# build. The wine session, the DLL path and the plugins come from
# run-windows-tests.sh, which runs CTest.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${WINEPATH:-}" ]; then
  echo "wine-run: run the Windows tests through tests/windows/run-windows-tests.sh" >&2
  exit 1
fi
exec /usr/lib/wine/wine64 "$@"
