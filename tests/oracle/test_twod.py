"""QR Code, DataMatrix, PDF417 and GS1-128 drawn by korbena-cli read back through
independent readers: zxing-cpp for all four, zbarimg where it reads the symbology
(QR Code, CODE-128). Covered: ASCII, Japanese text in QR Code's Kanji mode,
control and Latin-1 characters, the largest data each symbol takes at each option
(and one character more refused), GS1 strings with their separators, GS1 checks
with messages naming the identifier, SVG output, and printed sheets read at 300 dpi."""

import os
import re
import subprocess
import sys
import tempfile

import PIL.Image
import zxingcpp

import oracle
import test_print_pdf as sheets

GS = "\x1d"
ZXING = {"QR": "QRCode", "DATAMATRIX": "DataMatrix", "PDF417": "PDF417", "GS1-128": "Code128"}


def read_all(path):
    """(format name, text, symbology identifier) of every symbol zxing-cpp finds."""
    image = oracle.with_quiet_zone(path)
    return [(r.format.name, r.text, r.symbology_identifier) for r in zxingcpp.read_barcodes(image)]


def round_trip(cli, report, tmp, bar_type, code, expected=None, identifier=None, *extra):
    """Draws `code` and reads it back; returns the CLI's JSON."""
    out = os.path.join(tmp, "symbol.png")
    status, info, err = oracle.draw(cli, out, bar_type, code, *extra)
    label = f"{bar_type} {extra} {code[:40]!r} ({len(code)})"
    report.check(status == 0, f"{label}: exit {status} {err.strip()}")
    if status != 0:
        return info
    want = code if expected is None else expected
    found = read_all(out)
    report.check(len(found) == 1 and found[0][0] == ZXING[bar_type] and found[0][1] == want,
                 f"{label}: zxing read {[(f, t[:40], i) for f, t, i in found]}")
    if identifier is not None and found:
        report.check(found[0][2] == identifier, f"{label}: identifier {found[0][2]}, not {identifier}")
    return info


def refused(cli, report, tmp, bar_type, code, *extra, message=None):
    status, _, err = oracle.draw(cli, os.path.join(tmp, "refused.png"), bar_type, code, *extra)
    report.check(status == 1, f"{bar_type} {extra} {code[:30]!r} ({len(code)}): exit {status}, not refused")
    if message is not None:
        report.check(message in err, f"{bar_type} {code!r}: message {err.strip()!r} lacks {message!r}")


def check_contents(cli, report, tmp):
    for bar_type in ("QR", "DATAMATRIX", "PDF417"):
        round_trip(cli, report, tmp, bar_type, "Korbena 2.0: ABC-123/xyz")
        # Control characters and Latin-1 pass through unchanged.
        round_trip(cli, report, tmp, bar_type, "A\x01\x09\x1f\x7f\u00e9\u00ff~<>")
    round_trip(cli, report, tmp, "DATAMATRIX", "RECT-12345", None, None, "--shape", "rect")
    # Kanji mode packs a JIS X 0208 character in 13 bits: ten of them fit version 1
    # (21 x 21 modules) at level L, which bytes of UTF-8 or Shift JIS could not.
    kanji = "東京都千代田区丸の内"
    info = round_trip(cli, report, tmp, "QR", kanji, None, None, "--ecc", "L")
    if info:
        report.check(info["width"] == (21 + 8) * 5, f"Kanji: {info['width'] // 5} modules, not Kanji mode")
    round_trip(cli, report, tmp, "QR", "品名：ｶﾅ混じり ABC 123", None, None)
    # The QR Code symbols read by zbarimg too.
    out = os.path.join(tmp, "zbar.png")
    for code in ("Korbena ABC-123", kanji):
        oracle.draw(cli, out, "QR", code)
        found = oracle.read_zbar(out)
        report.check(found == [("QR-Code", code)], f"zbar QR {code!r}: {found}")


# The largest data each symbol takes, by option (ISO/IEC 18004 table 7 for QR Code
# version 40; ISO/IEC 16022 table 7 for DataMatrix 144 x 144 and 16 x 48; PDF417 at
# libzint's automatic error-correction level).
CAPACITY = [
    ("QR", "1", 7089, ("--ecc", "L")), ("QR", "1", 5596, ("--ecc", "M")),
    ("QR", "1", 3993, ("--ecc", "Q")), ("QR", "1", 3057, ("--ecc", "H")),
    ("QR", "a", 2953, ("--ecc", "L")), ("QR", "a", 1273, ("--ecc", "H")),
    ("QR", "漢", 1817, ("--ecc", "L")), ("QR", "漢", 784, ("--ecc", "H")),
    ("DATAMATRIX", "1", 3116, ("--shape", "square")), ("DATAMATRIX", "a", 1556, ("--shape", "square")),
    ("DATAMATRIX", "1", 98, ("--shape", "rect")),
    ("PDF417", "1", 2528, ()),
]


def check_capacity(cli, report, tmp):
    for bar_type, unit, count, extra in CAPACITY:
        code = (unit * count)
        if unit == "a":
            # Lower-case letters and digits mixed, so no denser mode than bytes helps.
            code = ("a1b2c3d4e5f6g7h8i9j0" * (count // 20 + 1))[:count]
            code = "".join(chr(0xA0 + (i % 96)) if i % 2 else c for i, c in enumerate(code))
        round_trip(cli, report, tmp, bar_type, code, None, None, *extra)
        refused(cli, report, tmp, bar_type, code + code[-1], *extra)


def check_gs1(cli, report, tmp):
    human = "(01)04912345678904(17)270101(10)LOT1"
    sent = "01049123456789041727010110LOT1"
    info = round_trip(cli, report, tmp, "GS1-128", human, sent, "]C1")
    if info:
        report.check(info["symbol"] == human, f"GS1-128 text {info['symbol']!r}")
    # A variable-length identifier followed by another: FNC1 ends it, sent as GS.
    round_trip(cli, report, tmp, "GS1-128", "(10)LOT1(17)270101", "10LOT1" + GS + "17270101", "]C1")
    round_trip(cli, report, tmp, "GS1-128", "(21)A<B>C(00)049123450000000019",
               "21A<B>C" + GS + "00049123450000000019", "]C1")
    # The convenience-store payment string: AI 91 and 42 digits, 44 in all.
    store = "(91)" + "".join(str((i * 7) % 10) for i in range(42))
    round_trip(cli, report, tmp, "GS1-128", store, store[1:3] + store[4:], "]C1")
    out = os.path.join(tmp, "gs1.png")
    oracle.draw(cli, out, "GS1-128", "(10)LOT1(17)270101")
    found = oracle.read_zbar(out)
    report.check(len(found) == 1 and found[0][0] == "CODE-128", f"zbar GS1-128: {found}")
    # GS1 DataMatrix and GS1 QR Code.
    round_trip(cli, report, tmp, "DATAMATRIX", human + "(21)S/N-7", sent + GS + "21S/N-7", "]d2", "--gs1", "on")
    round_trip(cli, report, tmp, "QR", "(10)ABC(11)240229", "10ABC" + GS + "11240229", "]Q3", "--gs1", "on")

    bad = [
        ("(01)04912345678905", "(01) のチェックディジット"),
        ("(00)049123450000000015", "(00) のチェックディジット"),
        ("(02)04912345678903", "(02) のチェックディジット"),
        ("(01)0491234567890", "(01) のデータは 14 桁"),
        ("(01)0491234567890A", "(01) のデータには数字だけ"),
        ("(17)271301", "(17) の日付"),
        ("(11)230229", "(11) の日付"),
        ("(89)123", "(89) は登録された"),
        ("(10)LOT 1", "(10) のデータに使えない文字"),
        ("(10)" + "X" * 21, "(10) のデータは 1 から 20 文字"),
        ("(10)", "(10) のデータがありません"),
        ("01049123456789", "(AI) で始めて"),
    ]
    for code, message in bad:
        refused(cli, report, tmp, "GS1-128", code, message=message)
    refused(cli, report, tmp, "DATAMATRIX", "(01)04912345678905", "--gs1", "on", message="(01)")
    # GS1-128 holds at most 48 characters.
    refused(cli, report, tmp, "GS1-128", "(91)" + "1" * 47)


def check_svg(cli, report, tmp):
    for bar_type in ("QR", "DATAMATRIX", "PDF417"):
        svg = os.path.join(tmp, "symbol.svg")
        png = os.path.join(tmp, "symbol-svg.png")
        status, _, err = oracle.draw(cli, svg, bar_type, "SVG-OUT 42")
        subprocess.run(["rsvg-convert", svg, "-o", png], check=False)
        found = read_all(png) if status == 0 and os.path.exists(png) else []
        report.check([(f, t) for f, t, _ in found] == [(ZXING[bar_type], "SVG-OUT 42")],
                     f"{bar_type} SVG: {found} {err.strip()}")


def check_printed(cli, report, tmp):
    """A 65-up JAN sheet turned into each new symbology, printed to PDF and read at 300 dpi."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=os.path.join(tmp, "data"))
    source = os.path.join(sheets.STYLES, "A4-65-JAN.kbz")
    with open(source, encoding="cp932", newline="") as f:
        text = f.read()
    cases = [(12, "QRCode", lambda k: f"QR-{k:05d} 品名"), (13, "DataMatrix", lambda k: f"DM{k:05d}"),
             (14, "PDF417", lambda k: f"P{k:04d}"), (15, "Code128", lambda k: f"(10)L{k:03d}")]
    for index, name, make in cases:
        style_path = os.path.join(tmp, f"type{index}.kbz")
        with open(style_path, "w", encoding="cp932", newline="") as f:
            f.write(re.sub(r"\[BARCODE_TYPE\]=\d+", f"[BARCODE_TYPE]={index}", text))
        style = sheets.read_style(style_path)
        rows = [(f"品名{k}", make(k)) for k in range(1, 66)]
        data_path = os.path.join(tmp, f"type{index}.lst")
        sheets.write_data(data_path, rows)
        pdf = os.path.join(tmp, f"type{index}.pdf")
        proc = sheets.run_cli(cli, env, "print", "--style", style_path, "--data", data_path, "--out", pdf)
        report.check(proc.returncode == 0, f"print {name}: {proc.returncode} {proc.stderr.strip()}")
        if proc.returncode != 0:
            continue
        pages = sheets.render(pdf, os.path.join(tmp, f"type{index}"))
        page = PIL.Image.open(pages[0]).convert("L")
        misread = []
        for i in range(65):
            found = sheets.decode_cell(page, style, i % 5, i // 5)
            number = rows[i][1]
            want = number if index != 15 else "10" + number[4:]
            if found != [(name, want)]:
                misread.append((i, found))
        report.check(not misread, f"printed {name}: {len(misread)} labels misread, e.g. {misread[:2]}")


def main():
    cli = oracle.cli_path()
    report = oracle.Report("twod")
    with tempfile.TemporaryDirectory() as tmp:
        check_contents(cli, report, tmp)
        check_capacity(cli, report, tmp)
        check_gs1(cli, report, tmp)
        check_svg(cli, report, tmp)
        check_printed(cli, report, tmp)
    report.finish()


if __name__ == "__main__":
    main()
