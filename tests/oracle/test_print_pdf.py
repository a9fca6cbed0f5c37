"""Sheets printed to PDF by korbena-cli read back label by label: every page is
rendered with pdftoppm (poppler-utils), the barcode of every label is cut out at
the place its style gives it and decoded by zxing-cpp, and it must read as its
row's number (with the check character the symbology adds). The barcode pictures
must enter the PDF losslessly: a JPEG-compressed edge is a misread."""

import os
import re
import subprocess
import sys
import tempfile

import PIL.Image
import zxingcpp

import oracle

HERE = os.path.dirname(os.path.abspath(__file__))
STYLES = os.path.join(HERE, "..", "..", "resources", "style")
RENDER_DPI = 300
CODE39_ALPHABET = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"


def mod10w3(digits):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(digits)))
    return str((10 - total % 10) % 10)


def mod43(text):
    return CODE39_ALPHABET[sum(CODE39_ALPHABET.index(c) for c in text) % 43]


def read_style(path):
    """The numeric keys of a style file."""
    with open(path, encoding="cp932", newline="") as f:
        lines = f.read().split("\r\n")
    values = {}
    for line in lines:
        match = re.match(r"\[(\w+)\]=(.*)$", line)
        if match:
            values[match.group(1)] = match.group(2)
    return values


def write_data(path, rows):
    """A data file as the program writes it: the rows, then the empty row past the last."""
    with open(path, "w", encoding="cp932", newline="") as f:
        for i, (title, number) in enumerate(rows + [("", "")], start=1):
            f.write(f"[DATA_LIST]={i};{title};{number};\r\n")


def run_cli(cli, env, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True, env=env, check=False)


def render(pdf, prefix):
    subprocess.run(["pdftoppm", "-r", str(RENDER_DPI), "-gray", "-png", pdf, prefix], check=True)
    folder, stem = os.path.split(prefix)
    pages = sorted(f for f in os.listdir(folder) if f.startswith(stem + "-") and f.endswith(".png"))
    return [os.path.join(folder, p) for p in pages]


def decode_cell(page, style, column, row):
    """Every symbol zxing-cpp finds in the barcode's place of one cell."""
    px = RENDER_DPI / 25.4
    ox = int(float(style["X_OFFSET"]))
    oy = int(float(style["Y_OFFSET"]))
    left = ox + float(style["X_LOCATE"]) + column * float(style["INTERVAL_X"])
    top = oy + float(style["Y_LOCATE"]) + row * float(style["INTERVAL_Y"])
    box = (round(left * px) - 2, round(top * px) - 2, round((left + float(style["SIZE_X"])) * px) + 2,
           round((top + float(style["SIZE_Y"])) * px) + 2)
    cut = page.crop(box)
    margin = 40
    framed = PIL.Image.new("L", (cut.width + 2 * margin, cut.height + 2 * margin), 255)
    framed.paste(cut, (margin, margin))
    return [(r.format.name, r.text) for r in zxingcpp.read_barcodes(framed)]


# Each sheet with the data its symbology takes and what a reader gives back for it.
SHEETS = [
    ("A4-65-JAN.kbz", lambda k: f"4900002{k:05d}", lambda n: [("EAN13", n + mod10w3(n))]),
    ("A4-44-CODE128.kbz", lambda k: f"LOT-{k:04d}", lambda n: [("Code128", n)]),
    ("A4-24-CODE39.kbz", lambda k: f"KB{k:05d}",
     lambda n: [("Code39", n + mod43(n)), ("Code39", n)]),
    ("A4-12-ITF.kbz", lambda k: f"149000{k:07d}", lambda n: [("ITF", n + mod10w3(n))]),
]


def check_sheet(cli, report, tmp, env, style_name, make_number, readings):
    style_path = os.path.join(STYLES, style_name)
    style = read_style(style_path)
    across, down = int(float(style["NUM_X"])), int(float(style["NUM_Y"]))
    cells = int(float(style["NUM_X"]) * float(style["NUM_Y"]))
    # Two full pages and a third with three labels.
    count = 2 * cells + 3
    rows = [(f"品名{k}", make_number(k)) for k in range(1, count + 1)]
    data_path = os.path.join(tmp, style_name + ".lst")
    write_data(data_path, rows)
    pdf = os.path.join(tmp, style_name + ".pdf")
    proc = run_cli(cli, env, "print", "--style", style_path, "--data", data_path, "--out", pdf)
    report.check(proc.returncode == 0 and proc.stderr == "", f"{style_name}: exit {proc.returncode}, {proc.stderr}")
    if proc.returncode != 0:
        return
    report.check(proc.stdout.startswith("3 page(s)"), f"{style_name}: {proc.stdout.strip()}")

    with open(pdf, "rb") as f:
        content = f.read()
    report.check(b"/DCTDecode" not in content, f"{style_name}: a picture went in as JPEG")
    listing = subprocess.run(["pdfimages", "-list", pdf], capture_output=True, text=True, check=True).stdout
    encodings = {line.split()[8] for line in listing.splitlines()[2:] if line.strip()}
    report.check(encodings == {"image"}, f"{style_name}: picture encodings {encodings}")

    pages = render(pdf, os.path.join(tmp, style_name))
    report.check(len(pages) == 3, f"{style_name}: {len(pages)} pages rendered")
    misread = 0
    for p, page_path in enumerate(pages):
        page = PIL.Image.open(page_path).convert("L")
        for i in range(across * down):
            k = p * cells + i + 1
            found = decode_cell(page, style, i % across, i // across)
            if k <= count:
                wanted = readings(rows[k - 1][1])
                ok = len(found) == 1 and found[0] in wanted
            else:
                ok = found == []  # past the end of the list the cell stays blank
            if not ok:
                misread += 1
                if misread <= 5:
                    print(f"  {style_name} page {p + 1} cell {i}: read {found}, row {k}")
            report.check(ok, f"{style_name} page {p + 1} cell {i}")
    print(f"{style_name}: {len(pages)} pages, {misread} cells misread")


def main():
    cli = oracle.cli_path()
    report = oracle.Report("printed sheets read back")
    with tempfile.TemporaryDirectory() as tmp:
        # A machine of its own: the working folder is made and filled on first use.
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=os.path.join(tmp, "share"))
        for style_name, make_number, readings in SHEETS:
            check_sheet(cli, report, tmp, env, style_name, make_number, readings)

        # The headless main job: the shipped defaults, nothing given but the file.
        pdf = os.path.join(tmp, "sheet.pdf")
        proc = run_cli(cli, env, "print", "--out", pdf)
        report.check(proc.returncode == 0 and os.path.getsize(pdf) > 0, f"defaults: {proc.returncode} {proc.stderr}")
        pages = render(pdf, os.path.join(tmp, "defaults"))
        page = PIL.Image.open(pages[0]).convert("L")
        style = read_style(os.path.join(tmp, "share", "tesselink", "korbenaXe10", "conf", "KORBENA.dat"))
        found = decode_cell(page, style, 0, 0)
        report.check(found == [("EAN13", "490000100013" + mod10w3("490000100013"))], f"defaults cell 0: {found}")
    report.finish()


if __name__ == "__main__":
    main()
