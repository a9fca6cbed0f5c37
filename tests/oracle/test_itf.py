"""ITF (interleaved 2 of 5, ISO/IEC 16390) symbols drawn by korbena-cli read back by
zxing-cpp with every digit: the leading 0 that evens out the count and, with the
check digit on, the modulo-10 check digit computed here. zxing-cpp reads ITF of six
digits or more, so shorter data is checked through WorkSymbol only."""

import os
import random
import tempfile

import oracle


def check_digit(digits):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(digits)))
    return str((10 - total % 10) % 10)


def interpreted(code, cd):
    data = code
    if (len(code) + (1 if cd else 0)) % 2:
        data = "0" + data
    return data + (check_digit(data) if cd else "")


def main():
    cli = oracle.cli_path()
    report = oracle.Report("ITF round trip")
    rng = random.Random(16390)
    codes = ["123", "1234", "1234567", "123456", "0000000000", "1234567890123"]
    codes += ["".join(rng.choice("0123456789") for _ in range(rng.randint(5, 24))) for _ in range(240)]
    with tempfile.TemporaryDirectory() as tmp:
        for i, code in enumerate(codes):
            path = os.path.join(tmp, f"itf{i}.png")
            cd = i % 2 == 1
            extra = ["--cd", "on" if cd else "off", "--ratio", str(rng.randint(20, 30)),
                     "--scale", str(rng.choice((2, 3))), "--text", "on" if i % 3 == 0 else "off"]
            rc, info, err = oracle.draw(cli, path, "ITF", code, *extra)
            data = interpreted(code, cd)
            report.check(rc == 0 and info and info["workSymbol"] == data,
                         f"{code} {extra}: exit {rc}, {info}, {err.strip()}")
            if rc != 0 or len(data) < 6:
                continue
            zx = oracle.read_zxing(path)
            report.check(zx == [("ITF", data)], f"zxing read {zx} for {data} {extra}")
            if i % 6 == 0:
                zb = oracle.read_zbar(path)
                report.check(zb == [("I2/5", data)], f"zbarimg read {zb} for {data}")
    with tempfile.TemporaryDirectory() as tmp:
        for bad in ["12a4", "12 34", "１２３４", ""]:
            path = os.path.join(tmp, "bad.png")
            rc, info, err = oracle.draw(cli, path, "ITF", bad)
            report.check(rc == 1 and not os.path.exists(path), f"bad code {bad!r}: exit {rc}, stderr {err!r}")
    report.finish()


if __name__ == "__main__":
    main()
