"""Printing that wastes no label stock, read back from the PDF: copies make
collated sets, a page range prints exactly those pages, and a start label leaves
the used cells of the first sheet blank with row 1 in the start cell."""

import os
import subprocess
import sys
import tempfile

import PIL.Image

import oracle
from test_print_pdf import STYLES, decode_cell, mod10w3, read_style, render, write_data


def jan(k):
    return f"4900003{k:05d}"


def main():
    cli = oracle.cli_path()
    report = oracle.Report("print options")
    style_path = os.path.join(STYLES, "A4-24-JAN.kbz")
    style = read_style(style_path)
    across, down = int(float(style["NUM_X"])), int(float(style["NUM_Y"]))
    cells = across * down
    with tempfile.TemporaryDirectory() as tmp:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=os.path.join(tmp, "share"))

        def print_job(name, rows, *options):
            data = os.path.join(tmp, name + ".lst")
            write_data(data, [(f"品名{k}", jan(k)) for k in range(1, rows + 1)])
            pdf = os.path.join(tmp, name + ".pdf")
            proc = subprocess.run([cli, "print", "--style", style_path, "--data", data, "--out", pdf, *options],
                                  capture_output=True, text=True, env=env, check=False)
            report.check(proc.returncode == 0, f"{name}: exit {proc.returncode} {proc.stderr}")
            return render(pdf, os.path.join(tmp, name)) if proc.returncode == 0 else []

        def first_rows(pages):
            """The row each page's first cell reads as, or None."""
            rows = []
            for path in pages:
                found = decode_cell(PIL.Image.open(path).convert("L"), style, 0, 0)
                rows.append(int(found[0][1][7:12]) if len(found) == 1 else None)
            return rows

        # Two pages of rows, three copies: the pages 1, 2, 1, 2, 1, 2.
        pages = print_job("copies", cells + 5, "--copies", "3")
        report.check(first_rows(pages) == [1, cells + 1] * 3, f"copies: pages start at {first_rows(pages)}")

        # Six pages of rows; pages 3 to 5 only.
        pages = print_job("range", 6 * cells, "--pages", "3-5")
        report.check(first_rows(pages) == [2 * cells + 1, 3 * cells + 1, 4 * cells + 1],
                     f"pages 3-5: pages start at {first_rows(pages)}")

        # Start at label 7: cells 1 to 6 blank, row 1 in cell 7, the rows flow on.
        pages = print_job("start", cells, "--start-label", "7")
        report.check(len(pages) == 2, f"start label: {len(pages)} pages")
        if pages:
            page = PIL.Image.open(pages[0]).convert("L")
            for i in range(cells):
                found = decode_cell(page, style, i % across, i // across)
                if i < 6:
                    report.check(found == [], f"start label: used cell {i + 1} read {found}")
                else:
                    n = jan(i - 5)
                    report.check(found == [("EAN13", n + mod10w3(n))], f"start label: cell {i + 1} read {found}")
            second = first_rows(pages[1:])
            report.check(second == [cells - 5], f"start label: page 2 starts at {second}")

        # A range past the last page is refused, and nothing is written.
        data = os.path.join(tmp, "copies.lst")
        pdf = os.path.join(tmp, "none.pdf")
        proc = subprocess.run([cli, "print", "--style", style_path, "--data", data, "--out", pdf, "--pages", "9"],
                              capture_output=True, text=True, env=env, check=False)
        report.check(proc.returncode == 1 and "指定したページはありません: 9" in proc.stderr and not os.path.exists(pdf),
                     f"page past the end: exit {proc.returncode} {proc.stderr}")
    report.finish()


if __name__ == "__main__":
    sys.exit(main())
