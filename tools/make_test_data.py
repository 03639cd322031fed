#!/usr/bin/python3
"""Generates the PDF files of tests/data, made by outside producers, and for each the expected
page list taken from qpdf (and for ghostscript-differences, the characters it shows as .given);
then those of tools/make_producer_data.py, tools/make_embedded_cmap_data.py and
tools/make_partial_tounicode_data.py.

Needs Debian's python3-reportlab, python3-cairo, qpdf, ghostscript, fonts-ipafont and
python3-fonttools, and for the further producers those that tools/make_producer_data.py
names. The output is committed; the build and the tests never run this script.

    tools/make_test_data.py [tests/data]
"""

import os
import subprocess
import sys
import tempfile

import cairo
import make_code_tables
import make_embedded_cmap_data
import make_partial_tounicode_data
import make_producer_data
from reportlab.lib.pagesizes import A4, letter
from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.cidfonts import CIDFont, UnicodeCIDFont
from reportlab.pdfbase.ttfonts import TTFont
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


IPA_GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
JAPANESE = "日本語のテキスト"


def jis_bytes(text):
    """The two-byte JIS X 0208 codes of the text, without escape sequences."""
    return text.encode("iso2022_jp").replace(b"\x1b$B", b"").replace(b"\x1b(B", b"")


# reportlab's CID fonts take text already encoded for their CMap.
CID_CMAPS = [("90ms-RKSJ-H", lambda t: t.encode("cp932")),
             ("EUC-H", lambda t: t.encode("euc_jp")),
             ("H", jis_bytes),
             ("UniJIS-UCS2-V", lambda t: t.encode("utf-16-be")),
             ("90pv-RKSJ-H", lambda t: t.encode("cp932"))]


def reportlab_cid_cmaps(path):
    """One page per predefined CMap, each with a line of Japanese (and the CMap's name where
    its codes can hold ASCII)."""
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    for cmap, encode in CID_CMAPS:
        font = CIDFont("HeiseiMin-W3", cmap)
        pdfmetrics.registerFont(font)
        c.setFont(font.fontName, 14)
        text = JAPANESE if cmap == "H" else JAPANESE + " " + cmap
        c.drawString(72, 760, encode(text).decode("latin1"))
        c.showPage()
    c.save()


def adobe_japan1_cids(text):
    """The two-byte CIDs of JIS X 0208 text: for each character the smallest Adobe-Japan1 CID
    of its Shift-JIS code."""
    cid_to_sjis = make_code_tables.parse_cid_to_sjis()
    smallest = {}
    for cid in sorted(cid_to_sjis):
        smallest.setdefault(cid_to_sjis[cid], cid)
    return b"".join(smallest[int.from_bytes(ch.encode("cp932"), "big")].to_bytes(2, "big")
                    for ch in text)


def reportlab_identity_h(path):
    """An Identity-H font without /ToUnicode, its codes Adobe-Japan1 CIDs, on two pages."""
    font = CIDFont("HeiseiMin-W3", "Identity-H")
    pdfmetrics.registerFont(font)
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    for line in ["識別子による日本語", "二ページ目の本文"]:
        c.setFont(font.fontName, 14)
        c.drawString(72, 760, adobe_japan1_cids(line).decode("latin1"))
        c.showPage()
    c.save()


def reportlab_winansi(path):
    """WinAnsi text with bytes outside ASCII, an inline image before it, lines moved by T*,
    on two pages; reportlab writes the content streams with ASCII85 and Flate."""
    from PIL import Image
    c = canvas.Canvas(path, pagesize=letter, invariant=1)
    c.drawInlineImage(Image.new("RGB", (4, 4), (200, 30, 30)), 72, 600, 20, 20)
    c.setFont("Helvetica", 12)
    c.drawString(72, 700, "Caf\u00e9 na\u00efve \u2013 \u201cquoted\u201d")
    text = c.beginText(72, 680)
    text.textLine("line one")
    text.textLine("line two")
    c.drawText(text)
    c.showPage()
    c.setFont("Times-Roman", 12)
    c.drawString(72, 700, "Second page")
    c.showPage()
    c.save()


def reportlab_forms(path):
    """An embedded TrueType subset on the page, and a form XObject that draws another form."""
    pdfmetrics.registerFont(TTFont("IPAGothic", IPA_GOTHIC))
    c = canvas.Canvas(path, pagesize=A4, invariant=1)
    c.setFont("IPAGothic", 12)
    c.drawString(72, 760, "TrueType text on the page")
    c.beginForm("inner")
    c.setFont("Times-Roman", 10)
    c.drawString(72, 700, "Text of the inner form")
    c.endForm()
    c.beginForm("outer")
    c.setFont("Courier", 10)
    c.drawString(72, 720, "Text of the outer form")
    c.doForm("inner")
    c.endForm()
    c.doForm("outer")
    c.showPage()
    c.save()


def ghostscript(source, target):
    subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pdfwrite",
                    "-dCompatibilityLevel=1.4", "-dEmbedAllFonts=true",
                    "-sOutputFile=" + target, source], check=True,
                   env=dict(os.environ, SOURCE_DATE_EPOCH="1767225600"))


def ghostscript_identity_h(path, work):
    """Japanese text that ghostscript writes as an Identity-H font with a /ToUnicode map."""
    source = os.path.join(work, "japanese.pdf")
    cairo_document(source)
    ghostscript(source, path)


# What ghostscript_differences shows, as characters: its codes B, C and D name é, • and ß.
DIFFERENCES_TEXT = "A \u00e9 \u2022 \u00df\nStandard Helvetica\n"


def ghostscript_differences(path, work):
    """An embedded Type 1 font whose encoding dictionary has /Differences."""
    source = os.path.join(work, "differences.ps")
    with open(source, "w") as ps:
        ps.write("""%!PS
/Times-Roman findfont dup length dict begin
  {1 index /FID ne {def} {pop pop} ifelse} forall
  /Encoding 256 array def 0 1 255 {Encoding exch /.notdef put} for
  Encoding 32 /space put Encoding 65 /A put Encoding 66 /eacute put
  Encoding 67 /bullet put Encoding 68 /germandbls put
currentdict end /CustomTimes exch definefont pop
/CustomTimes findfont 14 scalefont setfont 72 700 moveto (A B C D) show
/Helvetica findfont 12 scalefont setfont 72 680 moveto (Standard Helvetica) show
showpage
""")
    ghostscript(source, path)


def inherited_resources(path):
    """Resources on the page-tree node, inherited by the first page; the second has its own."""
    content = b"BT /F1 12 Tf 20 200 Td (Inherited resources) Tj ET"
    objects = {1: b"<< /Type /Catalog /Pages 2 0 R >>",
               2: b"<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 /MediaBox [0 0 300 300] "
                  b"/Resources << /Font << /F1 6 0 R >> /ProcSet [/PDF /Text] >> >>",
               3: b"<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>",
               4: b"<< /Type /Page /Parent 2 0 R /Contents 5 0 R "
                  b"/Resources << /Font << /F1 7 0 R >> >> >>",
               5: b"<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content),
               6: b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
                  b"/Encoding /WinAnsiEncoding >>",
               7: b"<< /Type /Font /Subtype /Type1 /BaseFont /Courier "
                  b"/Encoding /WinAnsiEncoding >>"}
    write_objects(path, objects)


def write_objects(path, objects):
    """A PDF 1.4 file of the numbered object bodies, with its cross-reference table."""
    data = b"%PDF-1.4\n"
    offsets = {}
    for n in sorted(objects):
        offsets[n] = len(data)
        data += b"%d 0 obj\n%s\nendobj\n" % (n, objects[n])
    xref = len(data)
    size = max(objects) + 1
    data += b"xref\n0 %d\n0000000000 65535 f \n" % size
    data += b"".join(b"%010d 00000 n \n" % offsets[n] for n in range(1, size))
    data += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (size, xref)
    with open(path, "wb") as f:
        f.write(data)


def nested_tree(path):
    """A page tree two levels deep, written by hand; qpdf rewrites it in its own way."""
    objects = {1: b"<< /Type /Catalog /Pages 2 0 R >>",
               2: b"<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 5 /MediaBox [0 0 300 300] >>",
               3: b"<< /Type /Pages /Parent 2 0 R /Kids [5 0 R 6 0 R 7 0 R] /Count 3 >>",
               4: b"<< /Type /Pages /Parent 2 0 R /Kids [8 0 R 9 0 R] /Count 2 >>",
               10: b"<< /Length 0 >>\nstream\n\nendstream"}
    for n in range(5, 10):
        objects[n] = b"<< /Type /Page /Parent %d 0 R /Contents 10 0 R >>" % (3 if n < 8 else 4)
    write_objects(path, objects)


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
                           ("qpdf-nested-tree", nested_tree),
                           ("reportlab-cid-cmaps", reportlab_cid_cmaps),
                           ("reportlab-forms", reportlab_forms),
                           ("reportlab-identity-h", reportlab_identity_h),
                           ("qpdf-inherited-resources", inherited_resources),
                           ("ghostscript-identity-h", lambda p: ghostscript_identity_h(p, work)),
                           ("ghostscript-differences",
                            lambda p: ghostscript_differences(p, work))]:
            make(raw)
            target = os.path.join(out_dir, name + ".pdf")
            normalise(raw, target)
            write_expected(target, qpdf_pages(target))
        with open(os.path.join(out_dir, "ghostscript-differences.given"), "w",
                  encoding="utf-8") as given:
            given.write(DIFFERENCES_TEXT)

        reportlab_winansi(raw)
        normalise(raw, os.path.join(out_dir, "reportlab-winansi-ascii85.pdf"),
                  "--stream-data=preserve")
        write_expected(os.path.join(out_dir, "reportlab-winansi-ascii85.pdf"),
                       qpdf_pages(os.path.join(out_dir, "reportlab-winansi-ascii85.pdf")))

        # qpdf turns the overlay page into a form XObject and appends a content stream that
        # draws it, so each page's /Contents becomes an array.
        stamp = os.path.join(work, "stamp.pdf")
        c = canvas.Canvas(stamp, pagesize=letter, invariant=1)
        c.setFont("Courier", 10)
        c.drawString(72, 40, "Overlay stamp")
        c.showPage()
        c.save()
        reportlab_latin(raw)
        overlay = os.path.join(out_dir, "qpdf-overlay.pdf")
        subprocess.run(["qpdf", "--object-streams=disable", "--force-version=1.4",
                        "--deterministic-id", raw, "--overlay", stamp, "--repeat=1", "--",
                        overlay], check=True)
        write_expected(overlay, qpdf_pages(overlay))

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

    make_producer_data.make_all(out_dir)
    make_embedded_cmap_data.make(out_dir)
    make_partial_tounicode_data.make_all(out_dir)


if __name__ == "__main__":
    main()
