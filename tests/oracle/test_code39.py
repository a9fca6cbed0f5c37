"""CODE-39 symbols drawn by korbena-cli read back by zxing-cpp with the same data and,
with the check character on, the modulo-43 check character computed here from
ISO/IEC 16388's character values; wide-to-narrow ratios across the whole range."""

import os
import random
import tempfile

import oracle

ALPHABET = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"


def check_character(data):
    return ALPHABET[sum(ALPHABET.index(c) for c in data) % 43]


def main():
    cli = oracle.cli_path()
    report = oracle.Report("CODE-39 round trip")
    rng = random.Random(16388)
    # Published and hand-checked data first (ABC: check X; Z8: check 0), then random data.
    # Data neither starts nor ends with a space, which a reader may trim.
    codes = ["ABC", "Z8", "CODE39", "A B", "$/+%", "0123456789", "-.", "HELLO WORLD"]
    for _ in range(230):
        n = rng.randint(1, 16)
        code = "".join(rng.choice(ALPHABET) for _ in range(n))
        codes.append(code.strip() or "X")
    with tempfile.TemporaryDirectory() as tmp:
        for i, code in enumerate(codes):
            path = os.path.join(tmp, f"c39_{i}.png")
            cd = i % 2 == 0
            extra = ["--cd", "on" if cd else "off", "--ratio", str(rng.randint(20, 30)),
                     "--scale", str(rng.choice((2, 3))), "--text", "on" if i % 3 == 0 else "off"]
            rc, info, err = oracle.draw(cli, path, "CODE-39", code, *extra)
            data = code + (check_character(code) if cd else "")
            report.check(rc == 0 and info and info["workSymbol"] == "*" + data + "*",
                         f"{code!r} {extra}: exit {rc}, {info}, {err.strip()}")
            if rc != 0:
                continue
            zx = oracle.read_zxing(path)
            report.check(zx == [("Code39", data)], f"zxing read {zx} for {data!r} {extra}")
    with tempfile.TemporaryDirectory() as tmp:
        for bad in ["abc", "A*B", "A_B", "ＡＢＣ", ""]:
            path = os.path.join(tmp, "bad.png")
            rc, info, err = oracle.draw(cli, path, "CODE-39", bad)
            report.check(rc == 1 and not os.path.exists(path), f"bad code {bad!r}: exit {rc}, stderr {err!r}")
    report.finish()


if __name__ == "__main__":
    main()
