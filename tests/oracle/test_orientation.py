"""Turned and mirrored symbols drawn by korbena-cli: a quarter turn is clockwise and
exchanges width and height, a mirror flipped back with PIL gives the upright picture
again, and zxing-cpp reads every one of them with the same data. The vector picture
(.svg, rasterised by rsvg-convert where it is installed) reads back too, upright and
unmirrored whatever --angle and --mirror say."""

import os
import shutil
import subprocess
import tempfile

import PIL.Image
import PIL.ImageChops
import PIL.ImageOps

import oracle

# Data, the reader's format name and the text it reports, per symbology; the JAN
# texts carry the modulo-10 check digit, the others are drawn without check characters.
SYMBOLS = [
    ("JAN", "494612200092", "EAN13", "4946122000923"),
    ("JAN", "4901234", "EAN8", "49012347"),
    ("CODE-39", "KORBENA-2", "Code39", "KORBENA-2"),
    ("CODE-128", "Label 42/a", "Code128", "Label 42/a"),
    ("ITF", "12345678", "ITF", "12345678"),
]

# PIL turns counter-clockwise; these are the clockwise quarter turns.
CLOCKWISE = {90: PIL.Image.Transpose.ROTATE_270, 180: PIL.Image.Transpose.ROTATE_180,
             270: PIL.Image.Transpose.ROTATE_90}


def passed(report, ok, message):
    """Counts the case and tells whether the steps that depend on it can run."""
    report.check(ok, message)
    return ok


def same(a, b):
    return a.size == b.size and PIL.ImageChops.difference(a.convert("RGB"), b.convert("RGB")).getbbox() is None


def rasterise(svg_path, png_path):
    proc = subprocess.run(["rsvg-convert", "-b", "white", "-o", png_path, svg_path], capture_output=True,
                          check=False)
    return proc.returncode == 0


def main():
    cli = oracle.cli_path()

    def draw(path, bar_type, code, *extra):
        return oracle.draw(cli, path, bar_type, code, "--cd", "off", *extra)

    report = oracle.Report("Orientation round trip")
    have_rsvg = shutil.which("rsvg-convert") is not None
    if not have_rsvg:
        print("note: rsvg-convert not installed (librsvg2-bin); vector pictures are not read back")
    with tempfile.TemporaryDirectory() as tmp:
        for n, (bar_type, code, fmt, text) in enumerate(SYMBOLS):
            plain_path = os.path.join(tmp, f"s{n}.png")
            rc, info, err = draw(plain_path, bar_type, code)
            if rc != 0:
                print(f"note: {bar_type} {code!r} not drawn ({err.strip()}); skipped")
                continue
            plain = PIL.Image.open(plain_path)
            report.check(oracle.read_zxing(plain_path) == [(fmt, text)], f"{bar_type} upright unread")

            for angle, transpose in CLOCKWISE.items():
                path = os.path.join(tmp, f"s{n}_{angle}.png")
                rc, info, err = draw(path, bar_type, code, "--angle", str(angle))
                if not passed(report, rc == 0, f"{bar_type} angle {angle}: exit {rc} {err.strip()}"):
                    continue
                image = PIL.Image.open(path)
                report.check(same(image, plain.transpose(transpose)),
                             f"{bar_type} angle {angle}: not the upright picture turned clockwise")
                report.check((info["width"], info["height"]) == image.size,
                             f"{bar_type} angle {angle}: control {info['width']}x{info['height']}, "
                             f"picture {image.size}")
                zx = oracle.read_zxing(path)
                report.check(zx == [(fmt, text)], f"{bar_type} angle {angle}: zxing read {zx}")

            for angle in (0, 90):
                path = os.path.join(tmp, f"s{n}_m{angle}.png")
                rc, info, err = draw(path, bar_type, code, "--mirror", "on", "--angle", str(angle))
                if not passed(report, rc == 0, f"{bar_type} mirror {angle}: exit {rc} {err.strip()}"):
                    continue
                back = PIL.ImageOps.mirror(PIL.Image.open(path))
                back_path = os.path.join(tmp, f"s{n}_m{angle}_back.png")
                back.save(back_path)
                expected = plain if angle == 0 else plain.transpose(CLOCKWISE[angle])
                report.check(same(back, expected), f"{bar_type} mirror {angle}: mirrored back differs")
                zx = oracle.read_zxing(back_path)
                report.check(zx == [(fmt, text)], f"{bar_type} mirror {angle}: zxing read {zx}")

            if not have_rsvg:
                continue
            rasters = []
            for extra in ([], ["--angle", "90", "--mirror", "on"]):
                svg_path = os.path.join(tmp, f"s{n}_{len(extra)}.svg")
                rc, info, err = draw(svg_path, bar_type, code, *extra)
                if not passed(report, rc == 0, f"{bar_type} svg {extra}: exit {rc} {err.strip()}"):
                    continue
                png_path = svg_path + ".png"
                if not passed(report, rasterise(svg_path, png_path), f"{bar_type} svg {extra}: not rasterised"):
                    continue
                raster = PIL.Image.open(png_path)
                rasters.append(raster)
                # One pixel larger than the control; never turned.
                report.check(raster.size == (plain.width + 1, plain.height + 1),
                             f"{bar_type} svg {extra}: {raster.size} for a {plain.size} bitmap")
                zx = oracle.read_zxing(png_path)
                report.check(zx == [(fmt, text)], f"{bar_type} svg {extra}: zxing read {zx}")
            if len(rasters) == 2:
                report.check(same(rasters[0], rasters[1]), f"{bar_type} svg: turned or mirrored")
        # A vector picture is sized by Match: without it the file is refused.
        svg_path = os.path.join(tmp, "nomatch.svg")
        rc, info, err = draw(svg_path, "JAN", "494612200092", "--match", "off")
        report.check(rc == 2 and not os.path.exists(svg_path), f"svg without Match: exit {rc}, {err.strip()}")
    report.finish()


if __name__ == "__main__":
    main()
