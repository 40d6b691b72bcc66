#!/usr/bin/env bash
# Runs the "Print" button against a real CUPS daemon of its own: with no
# daemon, with a daemon and no printer, then with a default queue that
# writes each job as PDF into a file: ready, paused, rejecting jobs, the
# daemon stopped, the daemon killed. Only the daemon this script started is
# signalled, by its pid.
set -euo pipefail
bin=$1

for tool in cupsd lpadmin cupsdisable cupsenable cupsreject cupsaccept pdftotext; do
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

# Runs the cases for one state of the print service.
run_case() {
  local state=$1
  echo "== $state"
  if ! CUPS_SERVER=$sock TRIVEX_CUPS_STATE=$state TRIVEX_CUPSD_PID=$pid TRIVEX_CUPS_JOB_PDF=${job:-} \
      "$bin" --gtest_filter='RealPrinter.*'; then
    echo "--- cupsd error log" >&2
    cat "$work/log/error_log" >&2 || true
    exit 1
  fi
}

run_case no-daemon

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

run_case no-queue

job=$work/out/job.pdf
lpadmin -h "$sock" -p trivex-pdf -E -v "file:$job" -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd
lpadmin -h "$sock" -d trivex-pdf
run_case ready

cupsdisable -h "$sock" trivex-pdf
run_case paused
cupsenable -h "$sock" trivex-pdf

cupsreject -h "$sock" trivex-pdf
run_case rejecting
cupsaccept -h "$sock" trivex-pdf

run_case ready-to-stop
# Last: the case kills the daemon.
run_case ready-to-kill
