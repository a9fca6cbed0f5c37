"""Two print jobs at the same moment, in two processes sharing one working folder:
both write the same label image files, and neither may print a barcode of the
other. Every label of both PDFs is read back with zxing-cpp and must carry its own
row's number."""

import os
import subprocess
import sys
import tempfile

import PIL.Image

import oracle
from test_print_pdf import STYLES, decode_cell, mod10w3, read_style, render, write_data

PAGES = 8


def main():
    cli = oracle.cli_path()
    report = oracle.Report("two print jobs at once")
    style_path = os.path.join(STYLES, "A4-65-JAN.kbz")
    style = read_style(style_path)
    across, down = int(float(style["NUM_X"])), int(float(style["NUM_Y"]))
    cells = across * down
    count = PAGES * cells
    jobs = {"a": lambda k: f"4900001{k:05d}", "b": lambda k: f"4500009{k:05d}"}
    with tempfile.TemporaryDirectory() as tmp:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=os.path.join(tmp, "share"))
        # The working folder made once, so both jobs start writing labels together.
        first = subprocess.run([cli, "print", "--out", os.path.join(tmp, "first.pdf")], env=env,
                               capture_output=True, check=False)
        report.check(first.returncode == 0, f"first run: {first.stderr}")
        rows, procs = {}, {}
        for name, make in jobs.items():
            rows[name] = [(f"{name}{k}", make(k)) for k in range(1, count + 1)]
            write_data(os.path.join(tmp, name + ".lst"), rows[name])
        for name in jobs:
            procs[name] = subprocess.Popen(
                [cli, "print", "--style", style_path, "--data", os.path.join(tmp, name + ".lst"), "--out",
                 os.path.join(tmp, name + ".pdf")], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        for name, proc in procs.items():
            out, err = proc.communicate(timeout=300)
            report.check(proc.returncode == 0 and not err, f"job {name}: exit {proc.returncode}, {err!r}")

        for name in jobs:
            pages = render(os.path.join(tmp, name + ".pdf"), os.path.join(tmp, "page-" + name))
            report.check(len(pages) == PAGES, f"job {name}: {len(pages)} pages")
            wrong = 0
            for p, page_path in enumerate(pages):
                page = PIL.Image.open(page_path).convert("L")
                for i in range(cells):
                    number = rows[name][p * cells + i][1]
                    found = decode_cell(page, style, i % across, i // across)
                    ok = found == [("EAN13", number + mod10w3(number))]
                    if not ok:
                        wrong += 1
                        if wrong <= 5:
                            print(f"  job {name} page {p + 1} cell {i}: read {found}, wanted {number}")
                    report.check(ok, f"job {name} page {p + 1} cell {i}")
            print(f"job {name}: {len(pages)} pages, {wrong} labels wrong or unreadable")
    report.finish()


if __name__ == "__main__":
    sys.exit(main())
