#!/usr/bin/python3
"""Checks expected text files (Shift-JIS, as the extractor writes them) against pdftotext:
decodes each as code page 932, drops the page banners and all white space, and compares what
is left with pdftotext's text of the same PDF, also without white space. Prints one line per
file: "same", or the two texts where they differ.

    tools/compare_text_with_pdftotext.py tests/data/*.txt
"""

import re
import subprocess
import sys

BANNER = re.compile(r"-{70} Page \d+")


def squeezed(text):
    return re.sub(r"\s+", "", text)


def main():
    status = 0
    for expected in sys.argv[1:]:
        pdf = expected[:-4] + ".pdf"
        with open(expected, "rb") as f:
            ours = squeezed(BANNER.sub("", f.read().decode("cp932")))
        theirs = squeezed(subprocess.run(["pdftotext", pdf, "-"], capture_output=True,
                                         text=True).stdout)
        if ours == theirs:
            print("%s: same" % expected)
        else:
            status = 1
            print("%s: differs\n  ours:      %s\n  pdftotext: %s" % (expected, ours, theirs))
    return status


if __name__ == "__main__":
    sys.exit(main())
