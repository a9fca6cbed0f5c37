"""CODE-128 symbols drawn by korbena-cli read back by zxing-cpp (and, for data without
FNC1, by zbarimg) with the same data: random valid inputs in automatic mode (sets A,
B and C chosen by the segmentation), in manual mode (a random walk over the sets with
SHIFT and the switch escapes) and in automatic mode with the switching written by the
user, FNC1 among them.

The expected data is built from the input's pieces, not from the encoder: each
character stands for itself, a control-character escape for its ASCII code, and FNC1
is reported as ISO/IEC 15417 Annex B transmits it, which is what zxing-cpp does: in
first position it makes the symbology identifier ]C1 and is not transmitted; in
second position after one letter (sets A/B) or one digit pair (set C) it makes ]C2
and is not transmitted; anywhere else it is transmitted as GS (0x1D) under ]C0."""

import os
import random
import tempfile

import zxingcpp

import oracle

CONTROL_NAMES = ["NUL", "SOH", "STX", "ETX", "EOT", "ENO", "ACK", "BEL", "BS", "HT", "LF", "VT", "FF", "CR",
                 "SO", "SI", "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC",
                 "FS", "GS", "RS", "US"]
DIGITS = "0123456789"
# Printable characters of set A (space to underscore) and of set B (space to tilde).
PRINTABLE_A = [chr(c) for c in range(32, 96)]
PRINTABLE_B = [chr(c) for c in range(32, 127)]
LOWER = "abcdefghijklmnopqrstuvwxyz"
FNC1 = object()


class Piece:
    """One input token: what is typed, what it stands for, and the code set in force
    when it is encoded ("C", or "AB" for set A or B; needed for FNC1 only)."""

    def __init__(self, typed, meaning, code_set=None):
        self.typed = typed
        self.meaning = meaning  # a str, or FNC1; None for a switch or SHIFT
        self.code_set = code_set


def typed_char(c):
    """How a character is typed: "<" and ">" are doubled, everything else as is."""
    return c * 2 if c in "<>" else c


def char_piece(c, code_set=None):
    return Piece(typed_char(c), c, code_set)


def control_piece(rng, fold=False):
    code = rng.randrange(32)
    name = CONTROL_NAMES[code]
    # In manual mode the name may be typed in lower case; the encoder folds it.
    return Piece("<" + (name.lower() if fold and rng.random() < 0.15 else name) + ">", chr(code), "AB")


def transmitted(pieces):
    """The (symbology identifier, text) an ISO/IEC 15417 reader transmits (Annex B)."""
    text = ""
    identifier = "]C0"
    for piece in pieces:
        if piece.meaning is None:
            continue
        if piece.meaning is FNC1:
            in_c = piece.code_set == "C"
            if text == "":
                identifier = "]C1"
            elif (in_c and len(text) == 2 and text.isdigit()) or \
                    (not in_c and len(text) == 1 and text.isascii() and text.isalpha()):
                identifier = "]C2"
            else:
                text += "\x1d"
        else:
            text += piece.meaning
    return identifier, text


# --- automatic mode: digit runs, one-set text runs and FNC1 ---

def text_run(rng, lower):
    run = []
    for _ in range(rng.randint(1, 8)):
        if lower:
            c = rng.choice(PRINTABLE_B)
            while c in DIGITS:
                c = rng.choice(PRINTABLE_B)
            run.append(char_piece(c, "AB"))
        elif rng.random() < 0.25:
            run.append(control_piece(rng))
        else:
            c = rng.choice(PRINTABLE_A)
            while c in DIGITS:
                c = rng.choice(PRINTABLE_A)
            run.append(char_piece(c, "AB"))
    if lower and not any(p.meaning in LOWER for p in run):
        run.insert(rng.randrange(len(run) + 1), char_piece(rng.choice(LOWER), "AB"))
    return run


def auto_case(rng):
    """Segments: a digit run ("D"), a text run of set A or set B characters ("T"), FNC1
    ("F"). Digit runs never follow each other and two text runs are always parted by
    digits or FNC1, so each rest part of the segmentation is all set A or all set B
    text and the code is valid. Each FNC1 gets the set the automatic segmentation gives it."""
    segments = []
    for _ in range(rng.randint(1, 6)):
        last = segments[-1][0] if segments else None
        r = rng.random()
        if r < 0.15:
            segments.append(("F", None))
        elif last != "D" and (r < 0.5 or last == "T"):
            segments.append(("D", "".join(rng.choice(DIGITS) for _ in range(rng.choice([1, 2, 2, 3, 4, 5, 6, 7, 8, 12])))))
        elif last == "T":
            segments.append(("F", None))
        else:
            segments.append(("T", text_run(rng, rng.random() < 0.5)))

    pieces = []
    fnc1_sets = {}
    for i, (kind, payload) in enumerate(segments):
        if kind == "D":
            even = len(payload) - len(payload) % 2
            pieces.extend(Piece(payload[k:k + 2], payload[k:k + 2], "C") for k in range(0, even, 2))
            pieces.extend(char_piece(c, "AB") for c in payload[even:])
        elif kind == "T":
            pieces.extend(payload)
        else:
            previous = segments[i - 1] if i > 0 else None
            following = segments[i + 1] if i + 1 < len(segments) else None
            # "<FNC1>" is a rest part of its own after the start, another FNC1, or an even digit run.
            alone = previous is None or previous[0] == "F" or (previous[0] == "D" and len(previous[1]) % 2 == 0)
            if not alone:
                code_set = "AB"
            elif following is None:
                code_set = "AB" if previous is None else "C" if previous[0] == "D" else fnc1_sets[i - 1]
            elif following[0] == "D":
                code_set = "C" if len(following[1]) >= 2 else "AB"
            else:
                code_set = "AB"
            fnc1_sets[i] = code_set
            pieces.append(Piece("<FNC1>", FNC1, code_set))
    return "".join(p.typed for p in pieces), pieces


# --- manual mode: a random walk over the code sets ---

def set_char(rng, code_set):
    if code_set == "A":
        if rng.random() < 0.3:
            return control_piece(rng, fold=True)
        return char_piece(rng.choice(PRINTABLE_A), "AB")
    if rng.random() < 0.05:
        return Piece("<DEL>", "\x7f", "AB")
    return char_piece(rng.choice(PRINTABLE_B), "AB")


def walk(rng, code_set, steps):
    pieces = []
    for _ in range(steps):
        r = rng.random()
        if r < 0.1:
            target = rng.choice([s for s in "ABC" if s != code_set])
            pieces.append(Piece("<CODE" + target + ">", None))
            code_set = target
        elif r < 0.17:
            pieces.append(Piece("<FNC1>", FNC1, "C" if code_set == "C" else "AB"))
        elif r < 0.27 and code_set != "C":
            other = "B" if code_set == "A" else "A"
            pieces.append(Piece("<SHIFT>", None))
            piece = set_char(rng, other)
            # Make the shifted character one that only the other set has, now and then.
            if other == "B" and rng.random() < 0.6:
                piece = char_piece(rng.choice(LOWER + "`{|}~"), "AB")
            pieces.append(piece)
        elif code_set == "C":
            pair = rng.choice(DIGITS) + rng.choice(DIGITS)
            pieces.append(Piece(pair, pair, "C"))
        else:
            pieces.append(set_char(rng, code_set))
    # At least one data character, in the set the walk ends in.
    if not any(p.meaning is not None for p in pieces):
        pieces.append(set_char(rng, code_set) if code_set != "C" else Piece("42", "42", "C"))
    return pieces


def manual_case(rng):
    start = rng.choice("ABC")
    pieces = walk(rng, start, rng.randint(1, 12))
    return start, "".join(p.typed for p in pieces), pieces


def override_case(rng):
    """Automatic mode with a switch escape first: the user's switching is kept, and the
    start letter is one from which that escape is valid (B before CODEA, else A)."""
    target = rng.choice("ABC")
    pieces = [Piece("<CODE" + target + ">", None)] + walk(rng, target, rng.randint(1, 10))
    return "".join(p.typed for p in pieces), pieces


def read_zxing(path):
    """Every symbol zxing-cpp finds, with its symbology identifier."""
    image = oracle.with_quiet_zone(path)
    return [(r.format.name, r.symbology_identifier, r.text) for r in zxingcpp.read_barcodes(image)]


def check_case(report, cli, tmp, index, code, pieces, extra, expected_start=None):
    path = os.path.join(tmp, f"c128_{index}.png")
    options = list(extra)
    if index % 3 == 0:
        options += ["--scale", "2"]
    if index % 5 == 0:
        options += ["--text", "on"]
    rc, info, err = oracle.draw(cli, path, "CODE-128", code, *options)
    report.check(rc == 0 and info is not None, f"{code!r} {extra}: exit {rc}, {err.strip()}")
    if rc != 0 or info is None:
        return
    if expected_start is not None:
        report.check(info["workSymbol"].startswith(expected_start), f"{code!r}: workSymbol {info['workSymbol']!r}")
    identifier, text = transmitted(pieces)
    got = read_zxing(path)
    report.check(got == [("Code128", identifier, text)],
                 f"{code!r} {extra}: zxing read {got}, expected {[('Code128', identifier, text)]}")
    # zbarimg as a second reader, for printable data without FNC1.
    if index % 4 == 0 and identifier == "]C0" and all(" " <= c <= "~" for c in text):
        zb = oracle.read_zbar(path)
        report.check(zb == [("CODE-128", text)], f"{code!r}: zbarimg read {zb}, expected {text!r}")


def main():
    cli = oracle.cli_path()
    report = oracle.Report("CODE-128 round trip")
    rng = random.Random(20261215)
    index = 0
    with tempfile.TemporaryDirectory() as tmp:
        # Worked examples and ISO/IEC 15417's check character example.
        fixed = [("12345678", "]C0", "12345678", []), ("123", "]C0", "123", []), ("ABC", "]C0", "ABC", []),
                 ("abc", "]C0", "abc", []), ("AB12CD", "]C0", "AB12CD", []), ("1", "]C0", "1", []),
                 ("<FNC1>0123", "]C1", "0123", []), ("12<FNC1>34", "]C2", "1234", []),
                 ("123<FNC1>45", "]C0", "123\x1d45", []), ("AB<SHIFT>c", "]C0", "ABc", []),
                 ("A>>B", "]C0", "A>B", []), ("A<<B", "]C0", "A<B", []), ("AB<FNC1", "]C0", "AB\x1d", []),
                 ("AIM<CODEC>1234", "]C0", "AIM1234", ["--auto", "off", "--start", "B"]),
                 ("<FNC1>0109501101530003", "]C1", "0109501101530003", []),
                 ("`", "]C0", "`", ["--auto", "off", "--start", "B"]),
                 # FNC1 after one letter, or after one digit pair while set C is in force: ]C2.
                 ("A<FNC1>12", "]C2", "A12", []), ("x<FNC1>ab", "]C2", "xab", []),
                 # After a single digit in set A, or after a pair when the automatic segmentation
                 # puts FNC1 in set A (the text that follows decides): GS.
                 ("1<FNC1>2", "]C0", "1\x1d2", []), ("12<FNC1>AB", "]C0", "12\x1dAB", []),
                 ("<NUL><DEL>", "]C0", "", [])]
        for code, identifier, text, extra in fixed:
            path = os.path.join(tmp, f"fixed_{index}.png")
            index += 1
            rc, info, err = oracle.draw(cli, path, "CODE-128", code, *extra)
            if code == "<NUL><DEL>":
                # No set has both: rejected with exit 1 and one line on stderr.
                report.check(rc == 1 and len(err.strip().splitlines()) == 1, f"{code!r}: exit {rc}, {err!r}")
                continue
            report.check(rc == 0, f"{code!r}: exit {rc}, {err.strip()}")
            if rc != 0:
                continue
            got = read_zxing(path)
            report.check(got == [("Code128", identifier, text)], f"{code!r}: zxing read {got}")

        for _ in range(130):
            code, pieces = auto_case(rng)
            check_case(report, cli, tmp, index, code, pieces, [])
            index += 1
        for _ in range(110):
            start, code, pieces = manual_case(rng)
            check_case(report, cli, tmp, index, code, pieces, ["--auto", "off", "--start", start], start)
            index += 1
        for _ in range(50):
            code, pieces = override_case(rng)
            start = "B" if code.startswith("<CODEA>") else "A"
            check_case(report, cli, tmp, index, code, pieces, [], start)
            index += 1
    report.finish()


if __name__ == "__main__":
    main()
