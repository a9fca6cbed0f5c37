"""Symbologies no Debian reader decodes, compared bar by bar with zint's module dump
(`zint --dump`), an independent encoder: industrial (CTF), IATA and matrix 2 of 5,
interleaved 2 of 5 as a cross-check, and the Japan Post customer barcode (4-state).

Our element pattern (korbena-cli --json "pattern") becomes modules with narrow
elements 1 and wide elements 3 modules wide, zint's 3:1 ratio. Where zint differs
by design:
- matrix 2 of 5 (zint's "Standard 2 of 5"): zint draws the first bar of the start
  and of the stop 4 modules wide; we draw every wide bar alike (ElementRatio). The
  comparison takes zint's 4-module start and stop bars as wide bars.
- check digits: zint adds one only when asked (--vers=1); the modulo-10 digit is the
  same. IATA always carries it with us, so zint is always asked.
- customer barcode: zint refuses a letter that has no room for its two characters
  and input beyond 20 characters; we fill the last place with control code 4 and
  ignore the rest, so random data here always fits.
- NEC 2 of 5 has no independent encoder in Debian; its vectors are unit tests only."""

import json
import os
import random
import subprocess

import oracle

ZINT_TYPES = {"CTF": "C25IND", "IATA": "C25IATA", "MATRIX": "C25STANDARD", "ITF": "C25INTER"}


def ours(cli, bar_type, code, *extra):
    args = [cli, "barcode", "--type", bar_type, "--code", code, "--json", *extra]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    proc = subprocess.run(args, capture_output=True, text=True, env=env, check=False)
    return json.loads(proc.stdout) if proc.stdout.strip() else None


def zint_rows(zint_type, data, *extra):
    """The rows of zint's module dump as strings of '1' (dark) and '0'; None on an error."""
    proc = subprocess.run(["zint", "--dump", "-b", zint_type, "-d", data, *extra],
                          capture_output=True, text=True, check=False)
    if proc.returncode != 0 or not proc.stdout.strip():
        return None
    return ["".join(f"{int(h, 16):0{4 * len(h)}b}" for h in line.split()) for line in proc.stdout.splitlines()]


def runs_of_modules(bits):
    """Runs of bars and spaces, e.g. [('B', 3), ('S', 1)], trailing spaces dropped."""
    bits = bits.rstrip("0")
    runs = []
    for b in bits:
        kind = "B" if b == "1" else "S"
        if runs and runs[-1][0] == kind:
            runs[-1][1] += 1
        else:
            runs.append([kind, 1])
    return [tuple(r) for r in runs]


def runs_of_pattern(pattern):
    """Our two-width pattern as module runs: 0/1 narrow (1), 2/3 wide (3)."""
    modules = "".join(("1" if int(d) % 2 else "0") * (3 if d in "23" else 1) for d in pattern)
    return runs_of_modules(modules)


def check_digit(digits):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(digits)))
    return str((10 - total % 10) % 10)


def compare_two_of_five(cli, report, rng):
    for bar_type, zint_type in ZINT_TYPES.items():
        for i in range(70):
            code = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 20)))
            cd = bar_type == "IATA" or i % 2 == 0
            info = ours(cli, bar_type, code, "--cd", "on" if cd else "off")
            rows = zint_rows(zint_type, code, *(["--vers=1"] if cd else []))
            if not info or not info["pattern"] or rows is None:
                report.check(False, f"{bar_type} {code}: ours {info}, zint {rows}")
                continue
            theirs = runs_of_modules(rows[0])
            if bar_type == "MATRIX" and len(theirs) > 5 and theirs[0] == ("B", 4) and theirs[-5] == ("B", 4):
                theirs[0] = ("B", 3)
                theirs[-5] = ("B", 3)
            mine = runs_of_pattern(info["pattern"])
            report.check(mine == theirs, f"{bar_type} {code} cd={cd}: ours {mine} zint {theirs}")
            if cd and bar_type != "ITF":
                report.check(info["workSymbol"] == code + check_digit(code), f"{bar_type} {code}: {info}")


def customer_data(rng):
    """Digits, hyphens and letters whose characters (two per letter) fit in 20."""
    text, produced = "", 0
    for _ in range(rng.randint(1, 20)):
        kind = rng.random()
        if kind < 0.15 and produced <= 18:
            text += rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
            produced += 2
        elif produced <= 19:
            text += rng.choice("0123456789-" if kind < 0.3 else "0123456789")
            produced += 1
    return text or "1"


def compare_customer(cli, report, rng):
    cases = ["1234567", "4-8-2", "A", "ZZZZZZZZZZ", "12345678901234567890", "26300233-30-8-403",
             "0150022-3-6-12-705", "ABCDEFGHIJ", "KLMNOPQRST", "UVWXYZ"]
    cases += [customer_data(rng) for _ in range(110)]
    for code in cases:
        info = ours(cli, "CUSTOMER", code)
        rows = zint_rows("JAPANPOST", code)
        if not info or not info["pattern"] or rows is None or len(rows) != 3:
            report.check(False, f"CUSTOMER {code!r}: ours {info}, zint {rows}")
            continue
        width = max(len(r) for r in rows)
        rows = [r.ljust(width, "0") for r in rows]
        # zint's rows are the upper, middle and lower thirds; bars stand on every other column.
        theirs = [4 * int(rows[0][x]) + 2 * int(rows[1][x]) + int(rows[2][x]) for x in range(0, width, 2)]
        # Ours: after the empty column (index 0) and its gap, every other digit is a bar mask.
        mine = [int(d) for d in info["pattern"][2::2]]
        while theirs and theirs[-1] == 0:
            theirs.pop()
        while mine and mine[-1] == 0:
            mine.pop()
        report.check(mine == theirs, f"CUSTOMER {code!r}: ours {mine} zint {theirs}")


def main():
    cli = oracle.cli_path()
    report = oracle.Report("zint module dumps")
    rng = random.Random(4_000_000)
    compare_two_of_five(cli, report, rng)
    compare_customer(cli, report, rng)
    report.finish()


if __name__ == "__main__":
    main()
