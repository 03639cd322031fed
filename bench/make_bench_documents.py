#!/usr/bin/python3
"""Writes the three benchmark documents into the folder given, deterministically:
japanese-500.pdf (500 pages of Japanese in an embedded TrueType font with /ToUnicode maps),
english-2000.pdf (2,000 pages of English in Helvetica) and forms-3000.pdf (3,000 pages, each
drawing several form XObjects that carry text of their own). All are PDF 1.4 with a classic
cross-reference table. Needs Debian's python3-reportlab and fonts-ipafont.

    bench/make_bench_documents.py OUT_DIR
"""

import os
import random
import sys

from reportlab.lib.pagesizes import A4
from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

IPA_GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
WORDS = ("the quick brown fox jumps over a lazy dog while seven wizards quietly judge "
         "boxing matches and extract text from portable documents").split()


def japanese_characters():
    """Hiragana, katakana and the first level of JIS kanji."""
    characters = [chr(c) for c in range(0x3041, 0x3094)] + [chr(c) for c in range(0x30A1, 0x30F7)]
    for lead in range(0x88, 0x99):
        for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
            try:
                characters.append(bytes([lead, trail]).decode("cp932"))
            except UnicodeDecodeError:
                pass
    return characters


def japanese(path, pages=500):
    pdfmetrics.registerFont(TTFont("IPAGothic", IPA_GOTHIC))
    rng = random.Random(1)
    characters = japanese_characters()
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    for _ in range(pages):
        c.setFont("IPAGothic", 10)
        for line in range(45):
            text = "".join(rng.choice(characters) for _ in range(40))
            c.drawString(40, 800 - 17 * line, text)
        c.showPage()
    c.save()


def english(path, pages=2000):
    rng = random.Random(2)
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    for _ in range(pages):
        c.setFont("Helvetica", 10)
        for line in range(55):
            c.drawString(40, 800 - 14 * line, " ".join(rng.choice(WORDS) for _ in range(14)))
        c.showPage()
    c.save()


def forms(path, pages=3000):
    rng = random.Random(3)
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    for name, y in [("header", 810), ("footer", 30), ("stamp", 400)]:
        c.beginForm(name)
        c.setFont("Times-Roman", 9)
        for line in range(3):
            c.drawString(40, y - 11 * line, "%s line %d of the shared %s form" % (name, line, name))
        c.endForm()
    for _ in range(pages):
        for name in ("header", "footer", "stamp"):
            c.doForm(name)
        c.setFont("Helvetica", 10)
        for line in range(30):
            c.drawString(40, 760 - 14 * line, " ".join(rng.choice(WORDS) for _ in range(12)))
        c.showPage()
    c.save()


def main():
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    japanese(os.path.join(out_dir, "japanese-500.pdf"))
    english(os.path.join(out_dir, "english-2000.pdf"))
    forms(os.path.join(out_dir, "forms-3000.pdf"))


if __name__ == "__main__":
    main()
