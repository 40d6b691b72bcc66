#!/usr/bin/env bash
# Runs the "Print" button against a real CUPS daemon of its own: first with
# no daemon and so no default printer, then with a daemon whose default queue
# writes each job as PDF into a file. Only the daemon this script started is
# stopped, by its pid.
set -euo pipefail
bin=$1

for tool in cupsd lpadmin pdftotext; do
  if ! command -v "$tool" >/dev/null 2>&1 && [ ! -x "/usr/sbin/$tool" ]; then
    echo "cups_print_test: $tool is missing (packages cups, poppler-utils)" >&2
    exit 1
  fi
done
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
[ -f "$ppd" ] || { echo "cups_print_test: $ppd is missing (package cups-filters)" >&2; exit 1; }

work=$(mktemp -d /tmp/trivex-cups.XXXXXX)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

sock=$work/cups.sock
export QT_QPA_PLATFORM=offscreen

echo "== no printer: $sock has no daemon behind it"
CUPS_SERVER=$sock TRIVEX_EXPECT_NO_PRINTER=1 "$bin" --gtest_filter='RealPrinter.NoDefaultPrinter*'

mkdir -p "$work"/{etc/ppd,etc/ssl,spool/tmp,cache,state/certs,log,out}
chmod 755 "$work"
chmod 1777 "$work/out" "$work/spool/tmp"
cat > "$work/etc/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
CONF
cat > "$work/etc/cupsd.conf" <<CONF
Listen $sock
LogLevel warn
Browsing No
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

/usr/sbin/cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
pid=$!
for _ in $(seq 100); do
  [ -S "$sock" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "cups_print_test: cupsd ended at start" >&2; cat "$work/log/error_log" >&2 || true; exit 1; }
  sleep 0.1
done
[ -S "$sock" ] || { echo "cups_print_test: cupsd made no socket" >&2; exit 1; }

job=$work/out/job.pdf
lpadmin -h "$sock" -p trivex-pdf -E -v "file:$job" -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd
lpadmin -h "$sock" -d trivex-pdf

echo "== default printer trivex-pdf writing to $job"
if ! CUPS_SERVER=$sock TRIVEX_CUPS_JOB_PDF=$job "$bin" --gtest_filter='RealPrinter.PrintButton*'; then
  echo "--- cupsd error log" >&2
  cat "$work/log/error_log" >&2 || true
  exit 1
fi
