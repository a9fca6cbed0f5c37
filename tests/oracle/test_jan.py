"""JAN symbols (EAN-13 and EAN-8) drawn by korbena-cli read back with every digit,
the check digit included, by zxing-cpp and by zbarimg."""

import os
import random
import tempfile

import oracle


def ean_check(digits):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(digits)))
    return str((10 - total % 10) % 10)


def main():
    cli = oracle.cli_path()
    report = oracle.Report("JAN round trip")
    rng = random.Random(20261209)
    # Published and hand-checked codes, check digit 0 among them, then random data.
    codes = ["494612200092", "490123456789", "4901234", "978030640615", "400638133393",
             "123456789012", "9638507", "000000000000", "0000000", "590123412345"]
    codes += ["".join(rng.choice("0123456789") for _ in range(rng.choice((7, 12)))) for _ in range(60)]
    assert any(ean_check(c) == "0" for c in codes)
    with tempfile.TemporaryDirectory() as tmp:
        for i, code in enumerate(codes):
            path = os.path.join(tmp, f"jan{i}.png")
            text_flag = "on" if i % 2 else "off"
            rc, info, err = oracle.draw(cli, path, "JAN", code, "--text", text_flag)
            expected = code + ean_check(code)
            report.check(rc == 0 and info and info["workSymbol"] == expected,
                         f"{code}: exit {rc}, {info}, {err.strip()}")
            if rc != 0:
                continue
            fmt = "EAN13" if len(code) == 12 else "EAN8"
            zx = oracle.read_zxing(path)
            # An EAN-13 with a leading 0 is a UPC-A symbol, and readers report it as one.
            wanted = [(fmt, expected)]
            if fmt == "EAN13" and expected.startswith("0"):
                wanted = [("UPCA", expected[1:])]
            report.check(zx == wanted, f"zxing read {zx} for {expected}")
            if i % 4 == 0:
                zb = oracle.read_zbar(path)
                kind = "EAN-13" if len(code) == 12 else "EAN-8"
                report.check(zb in ([(kind, expected)], [("UPC-A", expected[1:])]),
                             f"zbarimg read {zb} for {expected}")
    # Codes JAN cannot hold are refused with exit 1 and one line naming type and code.
    with tempfile.TemporaryDirectory() as tmp:
        for bad in ["4946122000924", "", "49461220009a", "494612 00092", "１２３４５６７"]:
            rc, info, err = oracle.draw(cli, os.path.join(tmp, "bad.png"), "JAN", bad)
            report.check(rc == 1 and "JAN" in err and len(err.strip().splitlines()) == 1,
                         f"bad code {bad!r}: exit {rc}, stderr {err!r}")
            report.check(not os.path.exists(os.path.join(tmp, "bad.png")), f"bad code {bad!r} wrote a file")
    report.finish()


if __name__ == "__main__":
    main()
