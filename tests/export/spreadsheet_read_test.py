#!/usr/bin/env python3
"""Reads the program's spreadsheet file and workbook of a race with Python's
csv and zipfile modules and checks every field against the table rows they
were made from, and the race's results file and results workbook against
the places they must give; then, where LibreOffice is installed, checks
that Calc takes the times as numbers, times of day and durations with the
same values. All of it with the program run, and Calc reading, in an
English and in a German locale (comma for the decimal point).

    spreadsheet_read_test.py [RUNNER...] SPREADSHEET_RACE_PROGRAM

RUNNER runs the program (wine-run.sh for the Windows build).
"""
import csv
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

HEADER = ["Row", "Seq", "Bib", "Mark", "DNF", "Manual", "Source",
          "Start (s)", "Start (time of day)", "Split 1 (s)", "Split 1 (time of day)",
          "Split 2 (s)", "Split 2 (time of day)", "Split 3 (s)", "Split 3 (time of day)",
          "Finish (s)", "Finish (time of day)", "Elapsed (s)"]
SOURCES = {1: "BibTimer", 2: "Wand", 3: "PhotoCell"}
DAY = 86400000
RESULTS_HEADER = ["Place", "Bib", "First Name", "Last Name", "Gender", "Age", "Category", "Category Place",
                  "Time", "Status"]
# The race's places on 1 June 2026: bib 999 reads as 0 and waits for a look.
RESULTS = [
    ["1", "255", "Jonas", "Dahl", "M", "31", "Open", "1", "0:01:40.00", ""],
    ["2", "7", "Zo\u00eb", "'=Ng", "F", "36", "Open", "2", "0:02:00.50", ""],
    ["", "42", "Per", "Lund", "M", "47", "Vets", "", "", "DNF"],
    ["", "1", "Ines", "Berg, Jr.", "F", "40", "Vets", "", "", "DNF"],
    ["", "123", "Eva", "Moreau", "F", "55", "Vets", "", "", "DQ"],
    ["", "88", "Ali", "Kaya", "M", "24", "Open", "", "", "DQ"],
]
RESULT_MS = {"255": 100000, "7": 120500}
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


def calc_cells(path, work, env):
    """The cells Calc made of the file: (value type, value) per field."""
    out = os.path.join(work, "calc")
    infilter = ["--infilter=CSV:44,34,76,1"] if path.endswith(".csv") else []
    subprocess.run(["soffice", f"-env:UserInstallation=file://{work}/profile", "--headless", *infilter,
                    "--convert-to", "fods", "--outdir", out, path],
                   check=True, capture_output=True, timeout=180, env=env)
    name = os.path.splitext(os.path.basename(path))[0] + ".fods"
    text = open(os.path.join(out, name), encoding="utf-8").read()
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


def xlsx_cells(path):
    """The first sheet's cells by column letter and row: (kind, value, number format)."""
    ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
    with zipfile.ZipFile(path) as z:
        strings = [si.findtext("m:t", "", ns) for si in
                   ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", ns)]
        styles = ET.fromstring(z.read("xl/styles.xml"))
        codes = {f.get("numFmtId"): f.get("formatCode") for f in styles.iter(f"{{{ns['m']}}}numFmt")}
        formats = [codes.get(xf.get("numFmtId"), "") for xf in styles.find("m:cellXfs", ns)]
        sheet = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
    cells = {}
    for c in sheet.iter(f"{{{ns['m']}}}c"):
        ref = re.fullmatch(r"([A-Z]+)(\d+)", c.get("r"))
        value = c.findtext("m:v", "", ns)
        if c.find("m:f", ns) is not None:
            kind = "formula"
        elif c.get("t") == "s":
            kind, value = "text", strings[int(value)]
        else:
            kind, value = "number", float(value)
        cells[(ref[1], int(ref[2]))] = (kind, value, formats[int(c.get("s", "0"))])
    return cells


def column(i):
    return chr(ord("A") + i)


def check_race_workbook(path, expected, where):
    cells = xlsx_cells(path)
    for c, name in enumerate(HEADER):
        check(f"{where} header {name}", cells.get((column(c), 1), ("", "", ""))[:2], ("text", name))
    for r, want in enumerate(expected, start=2):
        for c, (name, w) in enumerate(zip(HEADER, want)):
            got = cells.get((column(c), r))
            if w == "":
                check(f"{where} row {want[0]} {name} is empty", got, None)
            elif name in ("Mark", "DNF", "Manual", "Source"):
                check(f"{where} row {want[0]} {name}", got[:2] if got else None, ("text", w))
            elif "time of day" in name:
                h, m, sec = w.split(":")
                ms = round((int(h) * 3600 + int(m) * 60 + float(sec)) * 1000)
                check(f"{where} row {want[0]} {name}", (got[0], round(got[1] * DAY), got[2]) if got else None,
                      ("number", ms, "hh:mm:ss.000"))
            else:
                check(f"{where} row {want[0]} {name}", got[:2] if got else None, ("number", float(w)))


def check_results_workbook(path, where):
    cells = xlsx_cells(path)
    for c, name in enumerate(RESULTS_HEADER):
        check(f"{where} header {name}", cells.get((column(c), 1), ("", "", ""))[:2], ("text", name))
    for r, want in enumerate(RESULTS, start=2):
        for c, (name, w) in enumerate(zip(RESULTS_HEADER, want)):
            got = cells.get((column(c), r))
            if w == "":
                check(f"{where} row {r} {name} is empty", got, None)
            elif name == "Time":
                check(f"{where} row {r} Time", (got[0], round(got[1] * DAY), got[2]) if got else None,
                      ("number", RESULT_MS[want[1]], "[h]:mm:ss.00"))
            elif name in ("Place", "Bib", "Age", "Category Place"):
                check(f"{where} row {r} {name}", got[:2] if got else None, ("number", float(w)))
            else:
                # Text is text: the workbook needs no apostrophe to keep a formula from running.
                check(f"{where} row {r} {name}", got[:2] if got else None, ("text", w.lstrip("'")))


def check_calc_race(cells, expected, where):
    """Calc's cells of the race: the seconds as numbers, the times of day as times, as the records give them."""
    for r, want in enumerate(expected, start=1):
        for c, (name, w) in enumerate(zip(HEADER, want)):
            kind, value = cells[r][c] if c < len(cells[r]) else ("", "")
            if w == "" or name in ("Mark", "DNF", "Manual", "Source"):
                continue
            if "time of day" in name:
                check(f"{where} row {r} {name}", (kind, calc_time(value)),
                      ("time", calc_time("PT" + w.replace(":", "H", 1).replace(":", "M", 1) + "S")))
            else:
                check(f"{where} row {r} {name}", (kind, float(value)), ("float", float(w)))


def german_locale(work):
    """The environment of a German locale, made for the test where the system has none."""
    folder = os.path.join(work, "locales")
    os.makedirs(folder, exist_ok=True)
    subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", os.path.join(folder, "de_DE.UTF-8")],
                   capture_output=True)
    env = dict(os.environ, LOCPATH=folder, LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8", LANGUAGE="de")
    probe = subprocess.run(["python3", "-c", "import locale; locale.setlocale(locale.LC_ALL, '');"
                            "print(locale.localeconv()['decimal_point'])"], env=env, capture_output=True, text=True)
    return env if probe.stdout.strip() == "," else None


def calc_time(value):
    h, m, s = re.fullmatch(r"PT(\d+)H(\d+)M([\d.]+)S", value).groups()
    return round((int(h) * 3600 + int(m) * 60 + float(s)) * 1000)


def main():
    program = sys.argv[1:]
    with tempfile.TemporaryDirectory() as work:
        locales = [("English", dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8"))]
        german = german_locale(work)
        if german:
            locales.append(("German", german))
        else:
            print("spreadsheet_read_test: no German locale could be made; English alone")
        for language, env in locales:
            folder = os.path.join(work, language)
            os.makedirs(folder)
            run = subprocess.run([*program, folder], check=True, timeout=120, env=env, capture_output=True, text=True)
            point = "1,5" if language == "German" else "1.5"
            check(f"{language}: the program ran in its locale", f"1.5 in this locale: {point}" in run.stdout, True)
            path = os.path.join(folder, "race.csv")
            table = read_back(path)
            expected = list(expected_rows(os.path.join(folder, "rows.txt")))
            check(f"{language}: the header", table[0], HEADER)
            check(f"{language}: rows", len(table) - 1, len(expected))
            for got, want in zip(table[1:], expected):
                check(f"{language}: columns of row {want[0]}", len(got), len(HEADER))
                for name, g, w in zip(HEADER, got, want):
                    check(f"{language}: row {want[0]} {name}", g, w)
            check_race_workbook(os.path.join(folder, "race.xlsx"), expected, f"{language} race.xlsx")
            results = read_back(os.path.join(folder, "results.csv"))
            check(f"{language} results.csv", results, [RESULTS_HEADER] + RESULTS)
            check_results_workbook(os.path.join(folder, "results.xlsx"), f"{language} results.xlsx")

            if not shutil.which("soffice"):
                continue
            # What Calc makes of the workbook in this locale: the same values.
            check_calc_race(calc_cells(os.path.join(folder, "race.xlsx"), folder, env), expected,
                            f"{language} Calc race.xlsx")
            cells = calc_cells(os.path.join(folder, "results.xlsx"), folder, env)
            for r, want in enumerate(RESULTS, start=1):
                kind, value = cells[r][8]
                if want[8]:
                    check(f"{language} Calc results.xlsx row {r} Time", (kind, calc_time(value)),
                          ("time", RESULT_MS[want[1]]))
                check(f"{language} Calc results.xlsx row {r} Bib", (cells[r][1][0], float(cells[r][1][1])),
                      ("float", float(want[1])))
            if language == "German":
                # Calc took the locale: it reads the CSV's "1.000" seconds as a thousand, as the
                # README warns; the workbook above it read right.
                cells = calc_cells(path, folder, env)
                check("German Calc race.csv takes a point for thousands", cells[2][7], ("float", "1000"))
            if language == "English":
                check_calc_race(calc_cells(path, folder, env), expected, "Calc race.csv")
            print(f"spreadsheet_read_test: {language}: LibreOffice Calc read the same values")

    for f in failures:
        print("FAILED:", f)
    if not failures:
        print(f"spreadsheet_read_test: {len(expected)} rows and {len(RESULTS)} results, every field as it must be")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
