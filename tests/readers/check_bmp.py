"""check_bmp.py: opens every BMP korvex wrote in DIR with PIL and with ImageMagick (identify,
and convert to PNG, read back by PIL) and compares size, palette and every pixel's colour with
DIR/NAME.expect ("W H", then one "r g b" line per pixel, top row first).
Usage: python3 check_bmp.py DIR NAME..."""
import os
import subprocess
import sys

from PIL import Image


def expected(path):
    with open(path) as f:
        lines = f.read().split("\n")
    width, height = map(int, lines[0].split())
    pixels = [tuple(map(int, line.split())) for line in lines[1 : 1 + width * height]]
    return width, height, pixels


def compare(what, image, width, height, pixels):
    problems = []
    if image.size != (width, height):
        return [f"{what}: size {image.size}, expected {(width, height)}"]
    got = list(image.convert("RGB").getdata())
    for k, (g, w) in enumerate(zip(got, pixels)):
        if g != w:
            problems.append(f"{what}: pixel {k % width},{k // width} is {g}, expected {w}")
    return problems


def check(folder, name):
    bmp = os.path.join(folder, name + ".bmp")
    width, height, pixels = expected(os.path.join(folder, name + ".expect"))
    problems = []

    with Image.open(bmp) as image:
        if image.format != "BMP" or image.mode != "P":
            problems.append(f"PIL {name}: format {image.format}, mode {image.mode}")
        if len(image.getpalette()) != 3 * 256:
            problems.append(f"PIL {name}: palette of {len(image.getpalette()) // 3} colours")
        problems += compare(f"PIL {name}", image, width, height, pixels)

    # identify's line: NAME BMP3 WxH WxH+0+0 8-bit sRGB 256c SIZE ...
    words = subprocess.run(["identify", bmp], capture_output=True, text=True, check=True).stdout.split()
    if words[2] != f"{width}x{height}" or "8-bit" not in words or "256c" not in words:
        problems.append(f"identify {name}: {' '.join(words)}")

    png = os.path.join(folder, name + ".png")
    subprocess.run(["convert", bmp, png], check=True)
    with Image.open(png) as image:
        problems += compare(f"convert {name}", image, width, height, pixels)
    return problems


def main():
    folder, names = sys.argv[1], sys.argv[2:]
    problems = [p for name in names for p in check(folder, name)]
    for p in problems[:40]:
        print(p)
    if problems:
        return 1
    print(f"PIL and ImageMagick read {len(names)} BMP files with every pixel as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
