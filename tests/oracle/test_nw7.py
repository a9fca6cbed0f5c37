"""NW-7 symbols drawn by korbena-cli read back as Codabar by zxing-cpp (which leaves
out the start and stop characters) and by zbarimg (which reports them), with the
modulo-16 check character computed here over start, data and stop. Random data
uses the digits and signs only: a reader takes A to D inside the data for a stop.
Neither reader accepts fewer than two characters between start and stop, so a
single character is checked through WorkSymbol only."""

import os
import random
import tempfile

import oracle

ALPHABET = "0123456789-$:/.+ABCD"
DATA = ALPHABET[:16]


def check_character(start, data, stop):
    r = sum(ALPHABET.index(c) for c in start + data + stop) % 16
    return ALPHABET[(16 - r) % 16]


def main():
    cli = oracle.cli_path()
    report = oracle.Report("NW-7 round trip")
    rng = random.Random(1234)
    # Hand-checked data first (A123A: check '-'; B123C: check 7; A0A: check 0), then random data.
    cases = [("123", "A", "A"), ("123", "B", "C"), ("0", "A", "A"), ("31117013206375", "D", "B")]
    for _ in range(230):
        code = "".join(rng.choice(DATA) for _ in range(rng.randint(1, 16)))
        cases.append((code, rng.choice("ABCD"), rng.choice("ABCD")))
    with tempfile.TemporaryDirectory() as tmp:
        for i, (code, start, stop) in enumerate(cases):
            path = os.path.join(tmp, f"nw7_{i}.png")
            cd = i % 2 == 0
            extra = ["--cd", "on" if cd else "off", "--start", start, "--stop", stop,
                     "--ratio", str(rng.randint(20, 30)), "--scale", str(rng.choice((2, 3)))]
            rc, info, err = oracle.draw(cli, path, "NW-7", code, *extra)
            data = code + (check_character(start, code, stop) if cd else "")
            report.check(rc == 0 and info and info["workSymbol"] == start + data + stop,
                         f"{code!r} {extra}: exit {rc}, {info}, {err.strip()}")
            if rc != 0 or len(data) < 2:
                continue
            zx = oracle.read_zxing(path)
            report.check(zx == [("Codabar", data)], f"zxing read {zx} for {data!r} {extra}")
            if i % 4 == 0:
                zb = oracle.read_zbar(path)
                report.check(zb == [("Codabar", start + data + stop)],
                             f"zbarimg read {zb} for {start + data + stop!r}")
    with tempfile.TemporaryDirectory() as tmp:
        for bad in ["abc", "12E", "1 2", "12*", ""]:
            path = os.path.join(tmp, "bad.png")
            rc, info, err = oracle.draw(cli, path, "NW-7", bad)
            report.check(rc == 1 and not os.path.exists(path), f"bad code {bad!r}: exit {rc}, stderr {err!r}")
    report.finish()


if __name__ == "__main__":
    main()
