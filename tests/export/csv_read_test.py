#!/usr/bin/env python3
"""Reads the program's spreadsheet export of a race with Python's csv module
and checks every field against the table rows it was made from; then, where
LibreOffice is installed, checks that Calc takes the times as numbers and
times of day with the same values.

    csv_read_test.py CSV_RACE_PROGRAM
"""
import csv
import os
import re
import shutil
import subprocess
import sys
import tempfile

HEADER = ["Row", "Seq", "Bib", "Mark", "DNF", "Manual", "Source",
          "Start (s)", "Start (time of day)", "Split 1 (s)", "Split 1 (time of day)",
          "Split 2 (s)", "Split 2 (time of day)", "Split 3 (s)", "Split 3 (time of day)",
          "Finish (s)", "Finish (time of day)", "Elapsed (s)"]
SOURCES = {1: "BibTimer", 2: "Wand", 3: "PhotoCell"}
DAY = 86400000
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: {got!r}, expected {expected!r}")


def counter(f, first):
    return f[first] * 65536 + f[first + 1] * 256 + f[first + 2]


def seconds(ms):
    return "" if ms <= 0 else f"{ms // 1000}.{ms % 1000:03d}"


def time_of_day(ms, base):
    if ms <= 0 or base <= 0:
        return ""
    t = (base + ms) % DAY
    return f"{t // 3600000:02d}:{t % 3600000 // 60000:02d}:{t % 60000 // 1000:02d}.{t % 1000:03d}"


def expected_rows(rows_file):
    base = 0
    for line in open(rows_file):
        n, *f = (int(x) for x in line.split())
        if f[30] == 1:
            base = f[16] * 16777216 + f[17] * 65536 + f[18] * 256 + f[19]
        if all(v == 0 for v in f[:32]):
            yield [str(n), str(f[32])] + [""] * 16
            continue
        digits = [d if d <= 9 else 0 for d in f[25:28]]
        bib = digits[0] * 100 + digits[1] * 10 + digits[2]
        start, finish = counter(f, 1), counter(f, 21)
        splits = [counter(f, 5), counter(f, 9), counter(f, 13)]
        before = [start] + splits[:2]
        intervals = [s - b if s >= b and s > 0 else s for s, b in zip(splits, before)]
        elapsed = 0
        if finish > 0 and f[30] != 3:
            elapsed = finish - start if finish >= start else finish + 16777216 - start
        row = [str(n), str(f[32]), str(bib if bib <= 255 else 0), {1: "star", 2: "DQ"}.get(f[31], ""),
               "DNF" if f[24] else "", "MAN" if f[20] else "", SOURCES.get(f[30], "Unknown"),
               seconds(start), time_of_day(start, base)]
        for interval, split in zip(intervals, splits):
            row += [seconds(interval), time_of_day(split, base)]
        row += [seconds(finish), time_of_day(finish, base), seconds(elapsed)]
        yield row


def read_back(path):
    raw = open(path, "rb").read()
    check("a byte-order mark", raw[:3] == b"\xef\xbb\xbf", False)
    check("every line ends in CRLF", raw.count(b"\n"), raw.count(b"\r\n"))
    check("the file ends with a line end", raw.endswith(b"\r\n"), True)
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f, strict=True))


def calc_cells(path, work):
    """The cells Calc made of the file: (value type, value) per field."""
    subprocess.run(["soffice", f"-env:UserInstallation=file://{work}/profile", "--headless",
                    "--infilter=CSV:44,34,76,1", "--convert-to", "fods", "--outdir", work, path],
                   check=True, capture_output=True, timeout=180)
    text = open(os.path.join(work, "race.fods"), encoding="utf-8").read()
    rows = []
    for row in re.findall(r"<table:table-row[^>]*>(.*?)</table:table-row>", text, re.S):
        cells = []
        for cell in re.finditer(r"<table:table-cell([^>]*?)(/>|>.*?</table:table-cell>)", row, re.S):
            attrs = cell.group(1)
            repeat = int((re.search(r'number-columns-repeated="(\d+)"', attrs) or [0, 1])[1])
            kind = (re.search(r'office:value-type="(\w+)"', attrs) or [0, ""])[1]
            value = (re.search(r'office:(?:time-)?value="([^"]*)"', attrs) or [0, ""])[1]
            cells += [(kind, value)] * repeat
        rows.append(cells)
    return rows


def calc_time(value):
    h, m, s = re.fullmatch(r"PT(\d+)H(\d+)M([\d.]+)S", value).groups()
    return round((int(h) * 3600 + int(m) * 60 + float(s)) * 1000)


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        subprocess.run([program, work], check=True, timeout=60)
        path = os.path.join(work, "race.csv")
        table = read_back(path)
        expected = list(expected_rows(os.path.join(work, "rows.txt")))
        check("the header", table[0], HEADER)
        check("rows", len(table) - 1, len(expected))
        for got, want in zip(table[1:], expected):
            check(f"columns of row {want[0]}", len(got), len(HEADER))
            for name, g, w in zip(HEADER, got, want):
                check(f"row {want[0]} {name}", g, w)

        if shutil.which("soffice"):
            cells = calc_cells(path, work)
            for r, want in enumerate(expected, start=1):
                for c, (name, w) in enumerate(zip(HEADER, want)):
                    kind, value = cells[r][c] if c < len(cells[r]) else ("", "")
                    if w == "" or name in ("Mark", "DNF", "Manual", "Source"):
                        continue
                    if "time of day" in name:
                        check(f"Calc row {r} {name}", (kind, calc_time(value)),
                              ("time", calc_time("PT" + w.replace(":", "H", 1).replace(":", "M", 1) + "S")))
                    else:
                        check(f"Calc row {r} {name}", (kind, float(value)), ("float", float(w)))
            print("csv_read_test: LibreOffice Calc read the same values")
        else:
            print("csv_read_test: LibreOffice is not installed; Calc not tried")

    for f in failures:
        print("FAILED:", f)
    if not failures:
        print(f"csv_read_test: {len(expected)} rows, every field as the records give it")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
