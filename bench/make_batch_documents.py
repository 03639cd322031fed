#!/usr/bin/python3
"""Writes a folder of small benchmark documents for timing batch conversion, deterministically:
COUNT files (1,000 by default) named doc-0000.pdf ..., each of one to three A4 pages with a
different text: lines of Japanese (kana and a hundred kanji of the file's own) in an embedded TrueType font (IPA Gothic, with /ToUnicode
maps) and lines of English in Helvetica, in a mix that changes from file to file. All are
PDF 1.4 with a classic cross-reference table. Needs Debian's python3-reportlab and
fonts-ipafont.

    bench/make_batch_documents.py OUT_DIR [COUNT]
"""

import os
import random
import sys

from reportlab.lib.pagesizes import A4
from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

from make_bench_documents import IPA_GOTHIC, WORDS, japanese_characters


def small_document(path, rng, kana, kanji):
    # Kana and a hundred kanji of its own per file, as running text has: this keeps the
    # embedded font subset, and so the file, small.
    characters = kana + rng.sample(kanji, 100)
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    japanese_share = rng.random()
    for _ in range(rng.randint(1, 3)):
        for line in range(rng.randint(10, 40)):
            if rng.random() < japanese_share:
                c.setFont("IPAGothic", 10)
                text = "".join(rng.choice(characters) for _ in range(rng.randint(10, 40)))
            else:
                c.setFont("Helvetica", 10)
                text = " ".join(rng.choice(WORDS) for _ in range(rng.randint(4, 14)))
            c.drawString(40, 800 - 17 * line, text)
        c.showPage()
    c.save()


def main():
    out_dir = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    os.makedirs(out_dir, exist_ok=True)
    pdfmetrics.registerFont(TTFont("IPAGothic", IPA_GOTHIC))
    rng = random.Random(4)
    characters = japanese_characters()
    kana = [c for c in characters if c <= "\u30ff"]
    kanji = [c for c in characters if c > "\u30ff"]
    for index in range(count):
        small_document(os.path.join(out_dir, "doc-%04d.pdf" % index), rng, kana, kanji)


if __name__ == "__main__":
    main()
