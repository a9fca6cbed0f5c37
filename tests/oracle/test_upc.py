"""UPC-A and UPC-E symbols drawn by korbena-cli read back by zxing-cpp (and, for some,
zbarimg) with every digit: the number system, the data and the check digit. A reader
checks a UPC-E symbol's check digit through its own UPC-A expansion, so a read also
confirms the zero suppression and the set selection."""

import os
import random
import tempfile

import oracle


def check_digit(digits):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(digits)))
    return str((10 - total % 10) % 10)


def upc_e_to_a(e):
    """GS1 zero suppression, number system 0; None when the UPC-E data has no UPC-A form."""
    if len(e) != 7 or e[0] != "0":
        return None
    x1, x2, x3, x4, x5, x6 = e[1:]
    if x6 in "56789" and x5 != "0":
        return "0" + x1 + x2 + x3 + x4 + x5 + "0000" + x6
    if x6 == "4" and x4 != "0":
        return "0" + x1 + x2 + x3 + x4 + "00000" + x5
    if x6 == "3" and x3 in "3456789":
        return "0" + x1 + x2 + x3 + "00000" + x4 + x5
    if x6 in "012":
        return "0" + x1 + x2 + x6 + "0000" + x3 + x4 + x5
    return None


def random_upc_e(rng):
    while True:
        e = "0" + "".join(rng.choice("0123456789") for _ in range(6))
        if upc_e_to_a(e):
            return e


def main():
    cli = oracle.cli_path()
    report = oracle.Report("UPC round trip")
    rng = random.Random(20240611)
    # Hand-checked codes first (UPC-E check digits 8 and 0, every suppression rule), then random data.
    codes = ["01234500005", "03600029145", "0123455", "0123435", "0123404", "0123353", "0123410"]
    codes += ["".join(rng.choice("0123456789") for _ in range(11)) for _ in range(110)]
    codes += [random_upc_e(rng) for _ in range(110)]
    with tempfile.TemporaryDirectory() as tmp:
        for i, code in enumerate(codes):
            path = os.path.join(tmp, f"upc{i}.png")
            extra = ["--text", "on" if i % 2 else "off", "--scale", str(rng.choice((2, 3, 5)))]
            rc, info, err = oracle.draw(cli, path, "UPC", code, *extra)
            upc_a = code if len(code) == 11 else upc_e_to_a(code)
            expected = code + check_digit(upc_a)
            report.check(rc == 0 and info and info["workSymbol"] == expected and info["cdc"] == expected[-1],
                         f"{code}: exit {rc}, {info}, {err.strip()}")
            if rc != 0:
                continue
            fmt = "UPCA" if len(code) == 11 else "UPCE"
            zx = oracle.read_zxing(path)
            report.check(zx == [(fmt, expected)], f"zxing read {zx} for {fmt} {expected}")
            if i % 8 == 0:
                zb = oracle.read_zbar(path)
                # zbarimg reports UPC-A and UPC-E as the EAN-13 number of the UPC-A form with
                # its leading 0 unless asked otherwise: for UPC-E that checks the expansion too.
                ean13 = "0" + upc_a + expected[-1]
                wanted = [("UPC-A", expected), ("UPC-E", expected), ("EAN-13", ean13)]
                report.check(len(zb) == 1 and zb[0] in wanted, f"zbarimg read {zb} for {expected}")
    # Codes with a wrong check digit, number system 1 and UPC-E data without a UPC-A form are refused.
    with tempfile.TemporaryDirectory() as tmp:
        for bad in ["012345000057", "01234557", "1234567", "0120003", "0123405", "0123a55", ""]:
            path = os.path.join(tmp, "bad.png")
            rc, info, err = oracle.draw(cli, path, "UPC", bad)
            report.check(rc == 1 and "UPC" in err and not os.path.exists(path),
                         f"bad code {bad!r}: exit {rc}, stderr {err!r}")
    report.finish()


if __name__ == "__main__":
    main()
