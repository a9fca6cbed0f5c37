"""Label stock from the sheet catalogue, printed to PDF: a generic A4 layout and a
label template read at run time from the system's data folders (written here, with
a gap between its columns) are applied by korbena-cli to a style made for another
sheet, the sheets are printed, and every label's barcode must be read by zxing-cpp
inside that label's outline on the page, as its row's number."""

import json
import os
import subprocess
import tempfile

import PIL.Image
import zxingcpp

import oracle

HERE = os.path.dirname(os.path.abspath(__file__))
BASE_STYLE = os.path.join(HERE, "..", "..", "resources", "style", "A4-44-CODE128.kbz")
RENDER_DPI = 300
# Where the base style, made for the generic 44-label sheet (first label at 8.4, 8.8 mm),
# has its barcode within a label: X_LOCATE, Y_LOCATE less that corner, SIZE_X by SIZE_Y.
BARCODE_IN_LABEL = (12.55 - 8.4, 13.8 - 8.8, 40, 11)

# Two columns of 90 x 50 mm labels 10 mm apart, in mixed units as template files have them.
TEMPLATES = """<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Oracle" part="GAP-10" size="A4" _description="Labels with a gap">
    <Meta category="label"/>
    <Label-rectangle id="0" width="90mm" height="5cm" round="2mm">
      <Markup-margin size="2mm"/>
      <Layout nx="2" ny="5" x0="10mm" y0="42.5197pt" dx="100mm" dy="2.05in"/>
    </Label-rectangle>
  </Template>
</Glabels-templates>
"""


def run_cli(cli, env, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True, env=env, check=False)


def write_data(path, rows):
    with open(path, "w", encoding="cp932", newline="") as f:
        for i, (title, number) in enumerate(rows + [("", "")], start=1):
            f.write(f"[DATA_LIST]={i};{title};{number};\r\n")


def render(pdf, prefix):
    subprocess.run(["pdftoppm", "-r", str(RENDER_DPI), "-gray", "-png", pdf, prefix], check=True)
    folder, stem = os.path.split(prefix)
    pages = sorted(f for f in os.listdir(folder) if f.startswith(stem + "-") and f.endswith(".png"))
    return [os.path.join(folder, p) for p in pages]


def decode_label(page, layout, column, row):
    """What zxing-cpp reads inside one label's outline (on a PDF page the printable
    area is the whole sheet, so the outline is where the stock has the label)."""
    px = RENDER_DPI / 25.4
    left = layout["firstX"] + column * layout["pitchX"]
    top = layout["firstY"] + row * layout["pitchY"]
    box = (round(left * px), round(top * px), round((left + layout["labelWidth"]) * px),
           round((top + layout["labelHeight"]) * px))
    cut = page.crop(box)
    margin = 40
    framed = PIL.Image.new("L", (cut.width + 2 * margin, cut.height + 2 * margin), 255)
    framed.paste(cut, (margin, margin))
    # One reading: zxing-cpp's search for several symbols trips over its own assertion
    # on some label-sized pictures; a label holds one barcode anyway.
    result = zxingcpp.read_barcode(framed, formats=zxingcpp.BarcodeFormat.Code128)
    if not result:
        return [], True
    # The bars must stand where the style has the barcode within the label.
    pos = result.position
    xs = [(p.x - margin) / px for p in (pos.top_left, pos.top_right, pos.bottom_left, pos.bottom_right)]
    ys = [(p.y - margin) / px for p in (pos.top_left, pos.top_right, pos.bottom_left, pos.bottom_right)]
    bx, by, bw, bh = BARCODE_IN_LABEL
    placed = min(xs) > bx - 0.5 and max(xs) < bx + bw + 0.5 and min(ys) > by - 0.5 and max(ys) < by + bh + 0.5
    return [(result.format.name, result.text)], placed


def check_stock(cli, env, report, tmp, name):
    listing = run_cli(cli, env, "template", "--json", "--search", name)
    layouts = [l for l in json.loads(listing.stdout or "[]") if l["name"] == name]
    report.check(len(layouts) == 1, f"{name}: listed {listing.stdout[:200]} {listing.stderr}")
    if len(layouts) != 1:
        return
    layout = layouts[0]
    stem = name.replace(" ", "_")
    style = os.path.join(tmp, stem + ".kbz")
    proc = run_cli(cli, env, "template", "--apply", name, "--style", BASE_STYLE, "--out", style)
    report.check(proc.returncode == 0, f"{name}: template exit {proc.returncode}, {proc.stderr}")

    cells = layout["across"] * layout["down"]
    count = 2 * cells + 3
    rows = [(f"品名{k}", f"LOT-{k:04d}") for k in range(1, count + 1)]
    data = os.path.join(tmp, stem + ".lst")
    write_data(data, rows)
    pdf = os.path.join(tmp, stem + ".pdf")
    proc = run_cli(cli, env, "print", "--style", style, "--data", data, "--out", pdf)
    report.check(proc.returncode == 0 and proc.stdout.startswith("3 page(s)"),
                 f"{name}: print exit {proc.returncode}, {proc.stdout} {proc.stderr}")
    if proc.returncode != 0:
        return
    pages = render(pdf, os.path.join(tmp, stem))
    misread = 0
    for p, page_path in enumerate(pages):
        page = PIL.Image.open(page_path).convert("L")
        report.check(abs(page.width - layout["paperWidth"] * RENDER_DPI / 25.4) < 3, f"{name}: page width")
        for i in range(cells):
            k = p * cells + i + 1
            found, placed = decode_label(page, layout, i % layout["across"], i // layout["across"])
            wanted = [("Code128", rows[k - 1][1])] if k <= count else []
            report.check(placed, f"{name} page {p + 1} label {i}: the barcode is out of its place")
            if found != wanted:
                misread += 1
                if misread <= 5:
                    print(f"  {name} page {p + 1} label {i}: read {found}, wanted {wanted}")
            report.check(found == wanted, f"{name} page {p + 1} label {i}")
    print(f"{name}: {len(pages)} pages of {cells} labels, {misread} misread")


def main():
    cli = oracle.cli_path()
    report = oracle.Report("sheet catalogue printed")
    with tempfile.TemporaryDirectory() as tmp:
        templates = os.path.join(tmp, "system", "libglabels-3.0", "templates")
        os.makedirs(templates)
        with open(os.path.join(templates, "oracle-templates.xml"), "w", encoding="utf-8") as f:
            f.write(TEMPLATES)
        # The template folder is found among the system's data folders at run time.
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=os.path.join(tmp, "share"),
                   XDG_DATA_DIRS=os.path.join(tmp, "system"))
        for name in ("汎用 A4 12面", "Oracle GAP-10"):
            check_stock(cli, env, report, tmp, name)
    report.finish()


if __name__ == "__main__":
    main()
