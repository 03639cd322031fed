#!/usr/bin/python3
"""Measures how far our texts of the PDF files agree with pdftotext's, one line per file.

Our text of X.pdf is X.txt beside it (Shift-JIS, as the extractor writes it, decoded as code
page 932, page banners dropped); with --outputs FOLDER it is FOLDER/X.txt instead (to measure
an extractor before and after a change), with --given it is X.given (the UTF-8 text the
producer was given). Both texts are NFKC-normalised and their white space dropped; then,
regardless of order:

  common     characters both have (the multiset intersection)
  agree      common / pdftotext's characters
  found      common / our characters

    tools/compare_text_with_pdftotext.py [--outputs FOLDER | --given] [tests/data]
"""

import argparse
import collections
import glob
import os
import re
import subprocess
import unicodedata

BANNER = re.compile(r"-{70} Page \d+")


def characters(text):
    return collections.Counter(re.sub(r"\s+", "", unicodedata.normalize("NFKC", text)))


def ours(pdf, args):
    stem = os.path.splitext(os.path.basename(pdf))[0]
    if args.given:
        path = pdf[:-4] + ".given"
        return path, open(path, encoding="utf-8").read() if os.path.exists(path) else None
    path = os.path.join(args.outputs, stem + ".txt") if args.outputs else pdf[:-4] + ".txt"
    if not os.path.exists(path):
        return path, None
    with open(path, "rb") as f:
        return path, BANNER.sub("", f.read().decode("cp932", errors="replace"))


def share(part, whole):
    return "%5.1f%%" % (100.0 * part / whole) if whole else "    -"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    source = parser.add_mutually_exclusive_group()
    source.add_argument("--outputs", help="folder of the extractor's X.txt to compare")
    source.add_argument("--given", action="store_true", help="compare X.given instead")
    parser.add_argument("data", nargs="?",
                        default=os.path.join(os.path.dirname(__file__), "..", "tests", "data"))
    args = parser.parse_args()

    print("%-36s %6s %9s %6s %6s %6s" % ("file", "ours", "pdftotext", "common", "agree",
                                         "found"))
    for pdf in sorted(glob.glob(os.path.join(args.data, "*.pdf"))):
        path, text = ours(pdf, args)
        name = os.path.basename(pdf)
        if text is None:
            print("%-36s (no %s)" % (name, os.path.basename(path)))
            continue
        run = subprocess.run(["pdftotext", "-enc", "UTF-8", pdf, "-"], capture_output=True,
                             text=True)
        mine, theirs = characters(text), characters(run.stdout)
        common = sum((mine & theirs).values())
        total_mine, total_theirs = sum(mine.values()), sum(theirs.values())
        print("%-36s %6d %9d %6d %6s %6s" % (name, total_mine, total_theirs, common,
                                             share(common, total_theirs),
                                             share(common, total_mine)))


if __name__ == "__main__":
    main()
