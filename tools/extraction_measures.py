"""What tools/line_f1.py and tools/order_score.py share: the files with a known text, the
extractors run on them, and the edit-distance alignment of an extraction with the known text.

An extractor is a command template: {pdf} is replaced by the PDF's path and {out} by a
temporary file the command writes (without {out} the text is the command's standard output).
The text is read as UTF-8, or as code page 932 when it is not UTF-8 (lumenquill-info's default
Shift-JIS). Both sides are NFKC-normalised, so vertical forms (︑) and full-width letters
compare with the characters they stand for; whitespace is left out of the comparison.
"""

import argparse
import glob
import os
import shlex
import subprocess
import sys
import tempfile
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

# The producer group of a file, by the first word of its name.
GROUPS = {"cairo": "cairo", "pango": "pango", "libreoffice": "LibreOffice",
          "ghostscript": "ghostscript from LibreOffice", "chromium": "Chromium",
          "lualatex": "TeX", "platex": "TeX", "reportlab": "ReportLab"}

PEERS = {"pdftotext": "pdftotext -q -enc UTF-8 {pdf} -",
         "pdftotext -raw": "pdftotext -q -raw -enc UTF-8 {pdf} -",
         "mutool": "mutool draw -q -F txt -o {out} {pdf}"}


def group(pdf):
    return GROUPS.get(os.path.basename(pdf).split("-")[0], "other")


def argument_parser(description, peers):
    """Arguments: the PDFs or folders (default tests/data/layout), the lumenquill-info binary
    and its extra option lists, and further extractors as LABEL=TEMPLATE."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("paths", nargs="*", default=[os.path.join(ROOT, "tests/data/layout")])
    parser.add_argument("--lumenquill-info", help="the binary measured as 'ours'",
                        default=os.path.join(ROOT, "build/release/bin/lumenquill-info"))
    parser.add_argument("--ours", action="append", metavar="OPTIONS",
                        help="extra options of lumenquill-info --extract, one column each "
                             "(repeatable; default: none); e.g. --ours= --ours=--layout")
    parser.add_argument("--extractor", action="append", default=[], metavar="LABEL=TEMPLATE",
                        help="another extractor")
    parser.add_argument("--no-peers", action="store_true", help="leave out " + ", ".join(peers))
    parser.set_defaults(peers=peers)
    return parser


def extractors(args):
    """(label, template) of each extractor the arguments ask for."""
    chosen = []
    for options in args.ours or [""]:
        chosen.append(("ours " + options if options else "ours",
                       "%s --extract {out} --no-banner --encoding utf-8 %s {pdf}"
                       % (shlex.quote(args.lumenquill_info), options)))
    if not args.no_peers:
        chosen += [(label, PEERS[label]) for label in args.peers]
    chosen += [tuple(item.split("=", 1)) for item in args.extractor]
    return chosen


def pdfs_with_known_text(paths):
    found = []
    for path in paths:
        found += sorted(glob.glob(os.path.join(path, "*.pdf"))) if os.path.isdir(path) else [path]
    return [pdf for pdf in found if os.path.exists(pdf[:-4] + ".known")]


def extract(template, pdf):
    """The extractor's text of the PDF, or None when it fails (told on standard error)."""
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "out.txt")
        command = template.replace("{pdf}", shlex.quote(pdf)).replace("{out}", out)
        result = subprocess.run(command, shell=True, capture_output=True, timeout=120)
        if result.returncode:
            print("%s: exit status %d" % (command, result.returncode), file=sys.stderr)
            return None
        data = result.stdout
        if "{out}" in template:
            data = open(out, "rb").read() if os.path.exists(out) else b""
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp932", errors="replace")


def known_text(pdf):
    with open(pdf[:-4] + ".known", encoding="utf-8") as f:
        return f.read()


def characters(text):
    """The non-whitespace characters of the text, each with the number of its line."""
    text = unicodedata.normalize("NFKC", text).replace("\r\n", "\n").replace("\r", "\n")
    return [(c, line) for line, part in enumerate(text.replace("\f", "\n").split("\n"))
            for c in part if not c.isspace()]


def alignment(a, b):
    """The edit distance between the sequences and the index pairs (i, j) where a[i] == b[j]
    are matched by one alignment of least cost."""
    rows = [list(range(len(b) + 1))]
    for i, x in enumerate(a, 1):
        above, row = rows[-1], [i]
        for j, y in enumerate(b, 1):
            row.append(min(above[j] + 1, row[j - 1] + 1, above[j - 1] + (x != y)))
        rows.append(row)
    pairs, i, j = [], len(a), len(b)
    while i and j:
        if rows[i][j] == rows[i - 1][j - 1] + (a[i - 1] != b[j - 1]):
            if a[i - 1] == b[j - 1]:
                pairs.append((i - 1, j - 1))
            i, j = i - 1, j - 1
        elif rows[i][j] == rows[i - 1][j] + 1:
            i -= 1
        else:
            j -= 1
    return rows[-1][-1], pairs[::-1]


def markdown_table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    return "\n".join(lines + ["| " + " | ".join(map(str, row)) + " |" for row in rows])
