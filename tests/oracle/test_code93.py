"""CODE-93 symbols drawn by korbena-cli read back by zxing-cpp (and every fourth by
zbarimg) with the same data: random codes over the 43 data characters, and codes
with the four shift escapes paired with a letter as the full-ASCII table of the AIM
USS Code 93 defines them. Both readers check C and K and strip them; they transmit
a shift pair as the ASCII character it stands for, so the expected text is the code
with each pair replaced by that character. WorkSymbol and CDN come from the JSON."""

import os
import random
import tempfile

import zxingcpp

import oracle

DATA = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
SHIFT_VALUES = {"$": 43, "%": 44, "/": 45, "+": 46}


def full_ascii(shift, letter):
    """AIM USS Code 93 full-ASCII table: the character a shift pair stands for, or
    None for the pairs left out here (they have alternatives the readers may treat
    differently)."""
    k = ord(letter) - ord("A")
    if shift == "$":                       # ($)A..($)Z: SOH .. SUB
        return chr(1 + k)
    if shift == "+":                       # (+)A..(+)Z: a .. z
        return chr(ord("a") + k)
    if shift == "/":                       # (/)A..(/)O: ! .. /, (/)Z: colon
        return chr(ord("!") + k) if k < 15 else ":" if letter == "Z" else None
    if shift == "%":
        table = {**{LETTERS[i]: chr(27 + i) for i in range(5)},       # ESC .. US
                 **{LETTERS[5 + i]: ";<=>?"[i] for i in range(5)},     # ; < = > ?
                 **{LETTERS[10 + i]: "[\\]^_"[i] for i in range(5)},   # [ \ ] ^ _
                 **{LETTERS[15 + i]: "{|}~\x7f"[i] for i in range(5)},  # { | } ~ DEL
                 "U": "\x00", "V": "@", "W": "`"}
        return table.get(letter)
    return None


def value(c):
    return DATA.index(c)


def check_characters(values):
    """C and K of AIM USS Code 93: weights 1..20 and 1..15 from the right."""
    c = sum(v * ((p % 20) + 1) for p, v in enumerate(reversed(values))) % 47
    with_c = values + [c]
    k = sum(v * ((p % 15) + 1) for p, v in enumerate(reversed(with_c))) % 47
    return c, k


def written(v):
    return DATA[v] if v < 43 else "<" + "$%/+"[v - 43] + ">"


def random_case(rng):
    """Returns (code as typed, symbol values, text a reader transmits)."""
    typed, values, text = "", [], ""
    shifts = rng.random() < 0.5
    for _ in range(rng.randint(1, 24)):
        if shifts and rng.random() < 0.35:
            while True:
                shift, letter = rng.choice("$%/+"), rng.choice(LETTERS)
                meaning = full_ascii(shift, letter)
                if meaning is not None:
                    break
            typed += "<" + shift + ">" + letter
            values += [SHIFT_VALUES[shift], value(letter)]
            text += meaning
        else:
            c = rng.choice(DATA)
            # Readers take "$", "%", "/", "+" typed as data characters literally.
            typed += c
            values.append(value(c))
            text += c
    return typed, values, text


def main():
    cli = oracle.cli_path()
    report = oracle.Report("CODE-93 round trip")
    rng = random.Random(20261216)
    cases = []
    # Worked examples and the AIM USS Code 93 examples, the weight restarts, the shifts
    # as check characters.
    for typed in ["TEST93", "<+>A", "CODE 93", "1" * 15, "1" * 21, "</>A</>Z", "<%>U<%>V<%>W", "<$>A<%>A"]:
        values, text, i = [], "", 0
        while i < len(typed):
            if typed[i] == "<":
                values += [SHIFT_VALUES[typed[i + 1]], value(typed[i + 3])]
                text += full_ascii(typed[i + 1], typed[i + 3])
                i += 4
            else:
                values.append(value(typed[i]))
                text += typed[i]
                i += 1
        cases.append((typed, values, text))
    cases += [random_case(rng) for _ in range(260)]

    with tempfile.TemporaryDirectory() as tmp:
        for index, (typed, values, text) in enumerate(cases):
            path = os.path.join(tmp, f"c93_{index}.png")
            options = []
            if index % 3 == 0:
                options += ["--scale", "2"]
            if index % 5 == 0:
                options += ["--text", "on"]
            if index % 7 == 0:
                options += ["--cd", "off"]  # no effect on CODE-93
            rc, info, err = oracle.draw(cli, path, "CODE-93", typed, *options)
            ok = rc == 0 and info is not None
            report.check(ok, f"{typed!r}: exit {rc}, {err.strip()}")
            if not ok:
                continue
            c, k = check_characters(values)
            expected_work = "(" + typed + written(c) + written(k) + ")"
            report.check(info["workSymbol"] == expected_work and info["symbol"] == expected_work
                         and info["cdn"] == k * 100 + c and info["cdc"] == written(c) + written(k),
                         f"{typed!r}: {info}, expected {expected_work!r} cdn {k * 100 + c}")
            image = oracle.with_quiet_zone(path)
            got = [(r.format.name, r.text) for r in zxingcpp.read_barcodes(image)]
            report.check(got == [("Code93", text)], f"{typed!r}: zxing read {got}, expected {text!r}")
            if index % 4 == 0 and all(" " <= ch <= "~" for ch in text):
                zb = oracle.read_zbar(path)
                report.check(zb == [("CODE-93", text)], f"{typed!r}: zbarimg read {zb}, expected {text!r}")

        # Codes CODE-93 cannot hold: exit 1, one line on stderr, no file.
        for bad in ["abc", "!", "<A>", "#", "&", "@", "<$", "TEST*", "", "ＡＢＣ"]:
            path = os.path.join(tmp, "bad.png")
            rc, info, err = oracle.draw(cli, path, "CODE-93", bad)
            report.check(rc == 1 and len(err.strip().splitlines()) == 1 and not os.path.exists(path),
                         f"bad code {bad!r}: exit {rc}, stderr {err!r}")
    report.finish()


if __name__ == "__main__":
    main()
