"""Shared helpers for the decode round trips: draw with korbena-cli, read back with
independent readers from Debian's packages (zxing-cpp's Python binding, zbarimg),
or dump the modules of an independent encoder (zint)."""

import json
import os
import subprocess
import sys
import tempfile

import PIL.Image
import zxingcpp


def cli_path():
    if len(sys.argv) < 2:
        sys.exit("usage: test_*.py PATH/TO/korbena-cli")
    return sys.argv[1]


def draw(cli, out_path, bar_type, code, *extra):
    """Runs korbena-cli barcode; returns (exit code, parsed JSON or None, stderr)."""
    args = [cli, "barcode", "--type", bar_type, "--code", code, "--json", "--out", out_path, *extra]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    proc = subprocess.run(args, capture_output=True, text=True, env=env, check=False)
    info = json.loads(proc.stdout) if proc.stdout.strip() else None
    return proc.returncode, info, proc.stderr


def with_quiet_zone(path, margin=40):
    """The symbol with a white margin, as a printed label has it around the bars."""
    image = PIL.Image.open(path).convert("L")
    framed = PIL.Image.new("L", (image.width + 2 * margin, image.height + 2 * margin), 255)
    framed.paste(image, (margin, margin))
    return framed


def read_zxing(path, formats=None):
    """All symbols zxing-cpp finds: list of (format name, text)."""
    image = with_quiet_zone(path)
    kwargs = {}
    if formats is not None:
        kwargs["formats"] = formats
    return [(r.format.name, r.text) for r in zxingcpp.read_barcodes(image, **kwargs)]


def read_zbar(path):
    """All symbols zbarimg finds: list of (symbology, text)."""
    framed = with_quiet_zone(path)
    with tempfile.NamedTemporaryFile(suffix=".png") as tmp:
        framed.save(tmp.name)
        proc = subprocess.run(["zbarimg", "-q", "--nodbus", tmp.name], capture_output=True, text=True,
                              check=False)
    results = []
    for line in proc.stdout.splitlines():
        if ":" in line:
            kind, text = line.split(":", 1)
            results.append((kind, text))
    return results


class Report:
    """Counts cases; prints one closing line and sets the exit status."""

    def __init__(self, name):
        self.name = name
        self.passed = 0
        self.failed = 0

    def check(self, ok, message):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL {self.name}: {message}")

    def finish(self):
        print(f"{self.name}: {self.passed} passed, {self.failed} failed")
        sys.exit(1 if self.failed else 0)
