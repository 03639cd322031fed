#!/usr/bin/python3
"""Compares, page by page, the fonts that `lumenquill-info --fonts` finds (on the page and in
its form XObjects) with those pdffonts lists, by object number and encoding label. Prints one
line per page that differs and a summary line per file; exits 1 when anything differs.

    tools/compare_fonts_with_pdffonts.py LUMENQUILL_INFO FILE...
"""

import re
import subprocess
import sys

# pdffonts' encoding column in our labels.
LABELS = {"WinAnsi": "WinAnsiEncoding", "MacRoman": "MacRomanEncoding",
          "MacExpert": "MacExpertEncoding", "Custom": "カスタム", "Builtin": "ビルドイン",
          "Standard": "標準"}


def pdffonts_page(path, page):
    out = subprocess.run(["pdffonts", "-f", str(page), "-l", str(page), path],
                         capture_output=True, text=True).stdout
    fonts = set()
    for line in out.splitlines()[2:]:
        fields = line.split()
        if len(fields) >= 7:
            encoding = fields[-6]
            fonts.add((int(fields[-2]), LABELS.get(encoding, encoding)))
    return fonts


def our_pages(info, path):
    out = subprocess.run([info, "--fonts", path], capture_output=True, text=True).stdout
    pages = []
    for line in out.splitlines():
        if line.startswith("page "):
            pages.append(set())
        match = re.search(r"font \S+ obj=(\d+) .* Encoding=(\S+) ", line)
        if match and pages:
            pages[-1].add((int(match.group(1)), match.group(2)))
    return pages


def main():
    info, files = sys.argv[1], sys.argv[2:]
    status = 0
    for path in files:
        differences = 0
        pages = our_pages(info, path)
        for number, ours in enumerate(pages, 1):
            theirs = pdffonts_page(path, number)
            if ours != theirs:
                differences += 1
                print("%s page %d: ours %s, pdffonts %s" % (path, number, sorted(ours),
                                                            sorted(theirs)))
        print("%s: %d pages, %d differ" % (path, len(pages), differences))
        status |= differences > 0
    return status


if __name__ == "__main__":
    sys.exit(main())
