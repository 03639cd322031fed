#!/usr/bin/python3
"""Draws the main window's drop picture (250 by 80 pixels, and 500 by 160 for 2x screens):
a small document with an arrow at its top left and the words
ここにPDFファイルをドロップして下さい. Needs Debian's python3-pil and fonts-ipafont-gothic. The
pictures are committed; the build never runs this script.

    tools/make_pictures.py
"""

import os

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "ui", "images")


def draw(scale):
    image = Image.new("RGB", (250 * scale, 80 * scale), "white")
    d = ImageDraw.Draw(image)
    s = lambda *values: [v * scale for v in values]
    # The document with its folded corner and an arrow pointing down into the window.
    d.polygon(s(10, 6, 26, 6, 32, 12, 32, 34, 10, 34), fill="#ffffff", outline="#1f3f7f",
              width=scale)
    d.line(s(26, 6, 26, 12, 32, 12), fill="#1f3f7f", width=scale)
    for y in (16, 21, 26):
        d.line(s(14, y, 28, y), fill="#8899bb", width=scale)
    d.polygon(s(38, 14, 46, 14, 46, 8, 56, 20, 46, 32, 46, 26, 38, 26), fill="#2e8b57")
    font = ImageFont.truetype(FONT, 14 * scale)
    d.text((125 * scale, 56 * scale), "ここにPDFファイルをドロップして下さい", fill="#333333",
           font=font, anchor="mm")
    return image


def main():
    draw(1).save(os.path.join(OUT, "drop.png"), optimize=True)
    draw(2).save(os.path.join(OUT, "drop@2x.png"), optimize=True)


if __name__ == "__main__":
    main()
