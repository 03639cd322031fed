#!/usr/bin/python3
"""Generates the PDF files of tests/data/newer: documents as producers write them when left to
their defaults or told to write PDF 1.5 and later. Unlike tools/make_producer_data.py, the files
are not rewritten by qpdf; only the dates and identifiers a producer stamps outside compressed
streams are replaced by fixed texts of the same length, which moves no byte. What each writes
(LibreOffice 7.4, cairo 1.16, ghostscript 10.0, LuaTeX and dvipdfmx of TeX Live 2022):

  libreoffice-writer-japanese  PDF 1.6, classic cross-reference table
  pycairo-japanese             PDF 1.5, classic cross-reference table
  ghostscript-japanese-1.5     PDF 1.5 and 1.7 (-dCompatibilityLevel) of a pycairo PDF;
  ghostscript-japanese-1.7     ghostscript 10.0 writes no object streams (-dWriteObjStms is
                               not known to it): classic table
  lualatex-japanese            PDF 1.5, object streams and a cross-reference stream
  platex-dvipdfmx-japanese     PDF 1.5, object streams and a cross-reference stream

Beside each X.pdf it writes X.given (the UTF-8 text the producer was given) and X.txt, the
text that LUMENQUILL_INFO --extract gives of the file's PDF 1.4 form (qpdf, decrypted, object
streams written out), and prints how far each X.txt agrees with X.given. The output is
committed; the tests (tests/newer) never run this script.

    tools/make_newer_data.py LUMENQUILL_INFO [tests/data/newer] [name ...]

Installs what tools/make_producer_data.py installs for these producers.
"""

import collections
import os
import re
import sys
import tempfile
import unicodedata

import make_producer_data
from make_producer_data import japanese, lualatex, platex, pycairo, run, writer

BANNER = re.compile(r"-{70} Page \d+")


def ghostscript(level):
    """ghostscript's pdfwrite at the given compatibility level, given a PDF made by pycairo."""
    def make(lines, work, raw):
        source = os.path.join(work, "source.pdf")
        pycairo("IPAMincho")(lines, work, source)
        run("gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pdfwrite",
            "-dCompatibilityLevel=" + level, "-sOutputFile=" + raw, source)
    return make


# name: (producer, lines given to it)
PRODUCERS = {
    "libreoffice-writer-japanese": (writer(), japanese("LibreOffice Writer")),
    "pycairo-japanese": (pycairo("IPAMincho"), japanese("pycairo")),
    "ghostscript-japanese-1.5": (ghostscript("1.5"), japanese("ghostscript")),
    "ghostscript-japanese-1.7": (ghostscript("1.7"), japanese("ghostscript")),
    "lualatex-japanese": (lualatex, japanese("LuaLaTeX")),
    "platex-dvipdfmx-japanese": (platex, japanese("pLaTeX")),
}


# Both halves of the trailer's /ID, however spaced (the one cross-reference stream dictionary of
# LuaTeX and dvipdfmx holds it too); then the stamps tools/make_producer_data.py replaces.
STAMPS = [(re.compile(rb"/ID\s*\[\s*<[0-9a-fA-F]+>\s*<[0-9a-fA-F]+>"),
           lambda m: re.sub(rb"[0-9a-fA-F](?=[0-9a-fA-F]*>)", b"0", m[0]))]
STAMPS += make_producer_data.STAMPS


def fix_stamps(path):
    with open(path, "rb") as f:
        data = f.read()
    fixed = data
    for pattern, replacement in STAMPS:
        fixed = pattern.sub(replacement, fixed)
    assert len(fixed) == len(data), path
    with open(path, "wb") as f:
        f.write(fixed)


def extract_older_form(pdf, text, info, work):
    older = os.path.join(work, "older.pdf")
    run("qpdf", "--object-streams=disable", "--force-version=1.4", "--decrypt", pdf, older)
    run(info, "--extract", text, older)


def characters(text):
    return collections.Counter(re.sub(r"\s+", "", unicodedata.normalize("NFKC", text)))


def agreement(text_path, given_lines):
    """Characters of the given text that the extracted text lacks, and those it adds."""
    with open(text_path, "rb") as f:
        extracted = characters(BANNER.sub("", f.read().decode("cp932", errors="replace")))
    given = characters("".join(given_lines))
    return sum((given - extracted).values()), sum((extracted - given).values())


def make_all(info, out_dir, names=None):
    names = names or list(PRODUCERS)
    make_producer_data.ensure_packages(names)
    os.makedirs(out_dir, exist_ok=True)
    for name in names:
        make, lines = PRODUCERS[name]
        target = os.path.join(out_dir, name + ".pdf")
        with tempfile.TemporaryDirectory() as work:
            make(lines, work, target)
            fix_stamps(target)
            extract_older_form(target, target[:-4] + ".txt", info, work)
        with open(target[:-4] + ".given", "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        with open(target, "rb") as f:
            header = f.read(8).decode("latin1")
        missing, added = agreement(target[:-4] + ".txt", lines)
        print("%-30s %s  given characters missing: %d, extra: %d" % (name, header, missing,
                                                                     added))


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: tools/make_newer_data.py LUMENQUILL_INFO [tests/data/newer] [name ...]")
    here = os.path.dirname(os.path.abspath(__file__))
    make_all(os.path.abspath(sys.argv[1]),
             sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "tests", "data",
                                                                "newer"),
             sys.argv[3:])
