#!/usr/bin/python3
"""Generates the PDF files of tests/data that exercise the document reader, and for each the
expected page list taken from qpdf.

Needs Debian's python3-reportlab, python3-cairo, qpdf and fonts-ipafont. The output is
committed; the build and the tests never run this script.

    tools/make_reader_test_data.py [tests/data]
"""

import os
import subprocess
import sys
import tempfile

import cairo
from reportlab.lib.pagesizes import A4, letter
from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.cidfonts import UnicodeCIDFont
from reportlab.pdfgen import canvas


def normalise(source, target, *extra):
    """Rewrites a file as PDF 1.4 with a classic cross-reference table."""
    subprocess.run(["qpdf", "--object-streams=disable", "--force-version=1.4",
                    "--deterministic-id", *extra, source, target], check=True)


def qpdf_pages(path):
    """The object number of each page, in order, as qpdf lists them."""
    out = subprocess.run(["qpdf", "--show-pages", path], check=True,
                         capture_output=True, text=True).stdout
    return [int(line.split()[2]) for line in out.splitlines() if line.startswith("page ")]


def write_expected(path, pages=None, error=None):
    with open(path[:-4] + ".expected", "w", encoding="utf-8") as out:
        if error is not None:
            out.write("error: %s\n" % error)
            return
        out.write("PageCount: %d\n" % len(pages))
        for index, number in enumerate(pages, 1):
            out.write("page %d %d\n" % (index, number))


def reportlab_latin(path):
    c = canvas.Canvas(path, pagesize=letter, invariant=1)
    for page in range(3):
        c.setFont("Helvetica", 12)
        c.drawString(72, 700, "Latin text on page %d" % (page + 1))
        c.showPage()
    c.save()


def reportlab_japanese(path):
    pdfmetrics.registerFont(UnicodeCIDFont("HeiseiMin-W3"))
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    for page in range(2):
        c.setFont("HeiseiMin-W3", 14)
        c.drawString(72, 760, "日本語のページ %d" % (page + 1))
        c.showPage()
    c.save()


def cairo_document(path):
    surface = cairo.PDFSurface(path, 595, 842)
    surface.restrict_to_version(cairo.PDF_VERSION_1_4)
    surface.set_metadata(cairo.PDF_METADATA_CREATE_DATE, "2026-01-01T00:00:00")
    context = cairo.Context(surface)
    context.select_font_face("IPAGothic")
    context.set_font_size(16)
    for page in range(4):
        context.move_to(60, 100)
        context.show_text("Cairo ページ %d" % (page + 1))
        context.show_page()
    surface.finish()


def nested_tree(path):
    """A page tree two levels deep, written by hand; qpdf rewrites it in its own way."""
    objects = {1: "<< /Type /Catalog /Pages 2 0 R >>",
               2: "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 5 /MediaBox [0 0 300 300] >>",
               3: "<< /Type /Pages /Parent 2 0 R /Kids [5 0 R 6 0 R 7 0 R] /Count 3 >>",
               4: "<< /Type /Pages /Parent 2 0 R /Kids [8 0 R 9 0 R] /Count 2 >>",
               10: "<< /Length 0 >>\nstream\n\nendstream"}
    for n in range(5, 10):
        objects[n] = "<< /Type /Page /Parent %d 0 R /Contents 10 0 R >>" % (3 if n < 8 else 4)
    data = b"%PDF-1.4\n"
    offsets = {}
    for n in sorted(objects):
        offsets[n] = len(data)
        data += b"%d 0 obj\n%s\nendobj\n" % (n, objects[n].encode())
    xref = len(data)
    data += b"xref\n0 11\n0000000000 65535 f \n"
    data += b"".join(b"%010d 00000 n \n" % offsets[n] for n in range(1, 11))
    data += b"trailer\n<< /Size 11 /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % xref
    with open(path, "wb") as f:
        f.write(data)


def append_update(path):
    """Appends an incremental update that replaces the document information dictionary."""
    with open(path, "rb") as f:
        data = f.read()
    start = data.rindex(b"startxref")
    prev = int(data[start + 9:].split()[0])
    trailer = data[data.rindex(b"trailer"):start]
    size = int(trailer.split(b"/Size")[1].split()[0])
    root = trailer.split(b"/Root")[1].split()[0]
    if not data.endswith(b"\n"):
        data += b"\n"
    offset = len(data)
    data += b"%d 0 obj\n<< /Title (Updated) >>\nendobj\n" % size
    xref = len(data)
    data += b"xref\n%d 1\n%010d 00000 n\r\n" % (size, offset)
    data += b"trailer\n<< /Size %d /Root %s 0 R /Info %d 0 R /Prev %d >>\n" % (
        size + 1, root, size, prev)
    data += b"startxref\n%d\n%%%%EOF\n" % xref
    with open(path, "wb") as f:
        f.write(data)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "tests", "data")
    os.makedirs(out_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        raw = os.path.join(work, "raw.pdf")
        for name, make in [("reportlab-latin", reportlab_latin),
                           ("reportlab-japanese", reportlab_japanese),
                           ("cairo-pages", cairo_document),
                           ("qpdf-nested-tree", nested_tree)]:
            make(raw)
            target = os.path.join(out_dir, name + ".pdf")
            normalise(raw, target)
            write_expected(target, qpdf_pages(target))

        reportlab_latin(raw)
        updated = os.path.join(out_dir, "incremental-update.pdf")
        normalise(raw, updated)
        append_update(updated)
        write_expected(updated, qpdf_pages(updated))

        modern = os.path.join(out_dir, "object-streams-1.5.pdf")
        subprocess.run(["qpdf", "--object-streams=generate", "--deterministic-id",
                        raw, modern], check=True)
        write_expected(modern, error="このファイルは未対応の形式です。")

        truncated = os.path.join(out_dir, "truncated.pdf")
        with open(os.path.join(out_dir, "reportlab-latin.pdf"), "rb") as f:
            data = f.read()
        with open(truncated, "wb") as f:
            f.write(data[:len(data) * 2 // 3])
        write_expected(truncated, error="%%EOFがありません。")


if __name__ == "__main__":
    main()
