"""Checks a PNG drawn by korvex-plot: its size, and that it is not blank: enough pixels differ
from the background (the corner pixel) and enough have the series' colour.
Usage: check_png.py PNG WIDTH HEIGHT COLOUR MIN_COLOURED   (COLOUR as rrggbb)"""
import sys

from PIL import Image


def main():
    path, width, height, colour, least = sys.argv[1:6]
    image = Image.open(path).convert("RGB")
    if image.size != (int(width), int(height)):
        sys.exit("%s: size %dx%d, expected %sx%s" % (path, image.size[0], image.size[1], width, height))
    pixels = list(image.getdata())
    background = pixels[0]
    drawn = sum(1 for p in pixels if p != background)
    want = tuple(int(colour[k:k + 2], 16) for k in (0, 2, 4))
    coloured = pixels.count(want)
    print("%s: %d non-background pixels, %d of colour %s" % (path, drawn, coloured, colour))
    if drawn < 500:
        sys.exit("%s: nearly blank" % path)
    if coloured < int(least):
        sys.exit("%s: only %d pixels of the series colour %s" % (path, coloured, colour))


main()
