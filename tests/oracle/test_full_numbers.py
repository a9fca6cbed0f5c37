"""JAN and UPC numbers written in full, check digit included: the symbol drawn from
4901234567894 is the one drawn from 490123456789 and reads back the same through
zxing-cpp; a wrong check digit is refused with the right digit named; and on a
printed sheet of JAN labels every label's number text (pdftotext) is the number its
barcode decodes to."""

import os
import re
import subprocess
import tempfile

import PIL.Image
import PIL.ImageChops

import oracle
import test_print_pdf as sheets

# Data, the full number, and what zxing-cpp reports for the symbol.
PAIRS = [
    ("JAN", "490123456789", "4901234567894", ("EAN13", "4901234567894")),
    ("JAN", "4901234", "49012347", ("EAN8", "49012347")),
    ("JAN", "123456789012", "1234567890128", ("EAN13", "1234567890128")),
    ("UPC", "01234500005", "012345000058", ("UPCA", "012345000058")),
    ("UPC", "0123455", "01234558", ("UPCE", "01234558")),
]


def check_pairs(cli, report, tmp):
    for bar_type, data, full, reading in PAIRS:
        short_png = os.path.join(tmp, f"{data}.png")
        full_png = os.path.join(tmp, f"{full}-full.png")
        rc1, info1, err1 = oracle.draw(cli, short_png, bar_type, data)
        rc2, info2, err2 = oracle.draw(cli, full_png, bar_type, full)
        report.check(rc1 == 0 and rc2 == 0, f"{full}: exit {rc1} {err1} / {rc2} {err2}")
        if rc1 or rc2:
            continue
        report.check(info1["pattern"] == info2["pattern"] and info2["workSymbol"] == full,
                     f"{full}: {info2['workSymbol']} pattern differs from that of {data}")
        a = PIL.Image.open(short_png).convert("L")
        b = PIL.Image.open(full_png).convert("L")
        report.check(a.size == b.size and PIL.ImageChops.difference(a, b).getbbox() is None,
                     f"{full}: picture differs from that of {data}")
        for path in (short_png, full_png):
            found = oracle.read_zxing(path)
            report.check(found == [reading], f"{path}: zxing read {found}, wanted {reading}")
        # Every other last digit: refused, the right one named, nothing written.
        for wrong in "0123456789":
            if wrong == full[-1]:
                continue
            bad = full[:-1] + wrong
            out = os.path.join(tmp, "bad.png")
            rc, _, err = oracle.draw(cli, out, bar_type, bad)
            wanted = f"チェックデジットが違います: {bad}（正しくは {full[-1]}）"
            report.check(rc == 1 and wanted in err and not os.path.exists(out), f"{bad}: exit {rc}, {err!r}")


def number_words(pdf, page):
    """The all-digit words of one page with their places, in reading order."""
    out = subprocess.run(["pdftotext", "-bbox", "-f", str(page), "-l", str(page), pdf, "-"],
                         capture_output=True, text=True, check=True).stdout
    words = []
    for m in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">(\d+)</word>', out):
        words.append((round(float(m.group(2))), float(m.group(1)), m.group(3)))
    return [w[2] for w in sorted(words)]


def check_sheet(cli, report, tmp):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=os.path.join(tmp, "share"))
    style_path = os.path.join(sheets.STYLES, "A4-65-JAN.kbz")
    style = sheets.read_style(style_path)
    across, down = int(float(style["NUM_X"])), int(float(style["NUM_Y"]))
    cells = across * down
    # Typed without the check digit, with it, and the short EAN-8 forms, all different.
    rows = []
    for k in range(1, cells + 1):
        data = f"4900003{k:05d}"
        full = data + sheets.mod10w3(data)
        if k % 7 == 0:
            data = f"49{k:05d}"
            full = data + sheets.mod10w3(data)
        rows.append((f"品名{k}", full if k % 2 else data, full))
    data_path = os.path.join(tmp, "full.lst")
    sheets.write_data(data_path, [(title, typed) for title, typed, _ in rows])
    pdf = os.path.join(tmp, "full.pdf")
    proc = sheets.run_cli(cli, env, "print", "--style", style_path, "--data", data_path, "--out", pdf)
    report.check(proc.returncode == 0 and proc.stderr == "", f"print: exit {proc.returncode}, {proc.stderr}")
    if proc.returncode != 0:
        return
    page = PIL.Image.open(sheets.render(pdf, os.path.join(tmp, "full"))[0]).convert("L")
    decoded = []
    for i in range(cells):
        found = sheets.decode_cell(page, style, i % across, i // across)
        decoded.append(found[0][1] if len(found) == 1 else f"unread {found}")
    texts = number_words(pdf, 1)
    expected = [full for _, _, full in rows]
    report.check(decoded == expected, f"decoded {decoded[:5]}... wanted {expected[:5]}...")
    report.check(texts == decoded, f"number texts {texts[:5]}... but symbols {decoded[:5]}...")
    print(f"{cells} labels: number text and symbol agree on {sum(t == d for t, d in zip(texts, decoded))}")


def main():
    cli = oracle.cli_path()
    report = oracle.Report("full JAN and UPC numbers")
    with tempfile.TemporaryDirectory() as tmp:
        check_pairs(cli, report, tmp)
        check_sheet(cli, report, tmp)
    report.finish()


if __name__ == "__main__":
    main()
