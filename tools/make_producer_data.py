#!/usr/bin/python3
"""Generates the PDF files of tests/data made by further outside producers (pycairo, pango-view,
Chromium, wkhtmltopdf, Qt's QPdfWriter, LibreOffice, groff, paps, enscript, ghostscript,
reportlab, pLaTeX with dvipdfmx, LuaLaTeX, OCRmyPDF), each from a short text (japanese(),
english(), latin(), beyond_cp932() or vertical()) and, for most, a source of tools/producers.
Beside each X.pdf it writes X.expected (the page list qpdf gives) and X.given (the UTF-8 text
the producer was given); X.txt, the reviewed Shift-JIS text, is the extractor's, checked
against X.given, and tools/make_utf8_expectations.py makes X.utf8 from them. Called by
tools/make_test_data.py; can run alone:

    tools/make_producer_data.py [tests/data] [name ...]

Every file is rewritten by qpdf as PDF 1.4 with a classic cross-reference table. Before that
the dates and UUIDs a producer stamps are replaced by fixed ones of the same length, so most
files are the same byte for byte from one run to the next; wkhtmltopdf's are not (it names
its font subsets in an order that changes from run to run). Other versions of the producers
or fonts give other files, and dvipdfmx embeds the Japanese fonts or not as the machine's
kanji-config-updmap says (Debian's default, used here: not embedded).

Installs through tools/ensure-packages.sh the Debian packages that the named files' producers
need (PACKAGES).
"""

import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCES = os.path.join(HERE, "producers")
EPOCH = "1767225600"  # 2026-01-01T00:00:00Z
ENV = dict(os.environ, SOURCE_DATE_EPOCH=EPOCH, FORCE_SOURCE_DATE="1", TZ="UTC",
           LANG="C.UTF-8", LC_ALL="C.UTF-8", OMP_THREAD_LIMIT="1")


def latin(producer):
    """Western text with the accented letters, typographic quotes and signs single-byte fonts
    carry; code page 932 has the quotes and signs but not the accented letters."""
    return ["Caf\u00e9 na\u00efve \u2013 \u201cquoted\u201d and \u2018single\u2019, by " + producer,
            "Signs: 25\u00b0C \u00b1 2, 3 \u00d7 4 \u00f7 2, \u00a7 7 \u00b6 3.",
            "The office\u2019s fine fluffy waffles."]


def japanese(producer):
    return [producer + " で作った日本語の文書",
            "ひらがな、カタカナ、漢字と ASCII の混じった短い本文です。",
            "東京都千代田区 2026年1月1日 (テスト 123)"]


def beyond_cp932(producer):
    """Characters code page 932 lacks: JIS X 0213 kanji beyond it (with 髙 and 﨑, which it
    holds), circled numbers past ⑳, emoji, accented Latin, Korean and simplified Chinese."""
    return [producer + " で作った文書",
            "JIS X 0213: 𠮟る 𩸽 㐂 𠀋、髙橋と山﨑。",
            "丸数字 ①⑳㉑㊿ 絵文字 😀",
            "Zoë Müller, café.",
            "한국어와 简体中文。"]


def vertical(producer):
    """A vertical page: its 、 and 。 are drawn as vertical forms (U+FE11, U+FE12)."""
    return [producer + " の縦書き",
            "縦書きの本文、句読点。",
            "𠮟る、①と㉑。"]


def english(producer):
    return ["A short English document made by " + producer + ".",
            "The quick brown fox jumps over the lazy dog.",
            "Numbers and signs: 0123456789, (a), b: c."]


def run(*command, **options):
    subprocess.run(command, check=True, **{"env": ENV, **options})


def source(name, lines_markup, **fields):
    """The source with its lines, and each @FIELD@ replaced by the field's value."""
    with open(os.path.join(SOURCES, name), encoding="utf-8") as f:
        text = f.read().replace("@LINES@", lines_markup)
    for field, value in fields.items():
        text = text.replace("@%s@" % field.upper(), value)
    return text


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def escape_xml(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


# Each producer: (lines, work folder, raw PDF path) -> writes the raw PDF.

def pycairo(font, title_size=15, leading=28):
    """pycairo's lines, the first in the title size. Lines of one size set by one font end in
    one text object: cairo sets the size in the matrix (12 0 0 -12 x y Tm) and moves by a
    fraction of it (0 -1.5 Td for 18 points), as GTK applications and Firefox write pages."""
    def make(lines, work, raw):
        import cairo
        surface = cairo.PDFSurface(raw, 420, 595)
        surface.set_metadata(cairo.PDF_METADATA_CREATE_DATE, "2026-01-01T00:00:00")
        context = cairo.Context(surface)
        context.select_font_face(font)
        for index, line in enumerate(lines):
            context.set_font_size(title_size if index == 0 else 12)
            context.move_to(36, 60 + leading * index)
            context.show_text(line)
        surface.show_page()
        surface.finish()
    return make


def pango_view(font):
    def make(lines, work, raw):
        text = os.path.join(work, "text.txt")
        write(text, "\n".join(lines) + "\n")
        run("pango-view", "--no-display", "--font=" + font, "--margin=36", "--width=380",
            "--wrap=word-char", "--output=" + raw, text)
    return make


def html_lines(lines):
    return "<h1>%s</h1>\n" % escape_xml(lines[0]) + "".join(
        "<p>%s</p>\n" % escape_xml(line) for line in lines[1:])


def chromium(lines, work, raw, style=""):
    page = os.path.join(work, "page.html")
    write(page, source("page.html", html_lines(lines), style=style))
    print_to_pdf(page, work, raw)


def print_to_pdf(page, work, raw):
    """Chromium's print of the HTML page."""
    run("chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync",
        "--user-data-dir=" + os.path.join(work, "chromium"), "--no-pdf-header-footer",
        "--print-to-pdf=" + raw, "file://" + page, stderr=subprocess.DEVNULL)


def wkhtmltopdf(lines, work, raw):
    page = os.path.join(work, "page.html")
    write(page, source("page.html", html_lines(lines), style=""))
    run("wkhtmltopdf", "--quiet", "--page-size", "A5", page, raw,
        env=dict(ENV, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=work))


def qpdfwriter(lines, work, raw):
    program = os.path.join(work, "qpdfwriter")
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Gui"], check=True,
                           capture_output=True, text=True).stdout.split()
    run("g++", "-std=c++17", "-O1", "-fPIC", os.path.join(SOURCES, "qpdfwriter.cpp"),
        "-o", program, *flags)
    text = os.path.join(work, "text.txt")
    write(text, "\n".join(lines) + "\n")
    run(program, raw, text, "IPAGothic",
        env=dict(ENV, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=work))


# IPAex fonts hold JIS X 0213 and the vertical forms; Noto CJK (which Chromium writes as Type 3
# fonts) Korean and simplified Chinese; the title not bold, which Chromium would draw as paths.
UNICODE_STYLE = """  html { writing-mode: %s; }
  body { font-family: "IPAexGothic", "Noto Sans CJK JP", "Noto Color Emoji", sans-serif; }
  h1 { font-family: "IPAexMincho", "Noto Serif CJK JP", "Noto Color Emoji", serif;
       font-size: 14pt; font-weight: normal; }"""


def chromium_unicode(writing_mode):
    """Chromium with fonts for characters beyond code page 932, in the writing mode given."""
    def make(lines, work, raw):
        chromium(lines, work, raw, UNICODE_STYLE % writing_mode)
    return make


def soffice(name, markup, **fields):
    def make(lines, work, raw):
        document = os.path.join(work, name)
        write(document, source(name, markup(lines), **fields))
        run("soffice", "-env:UserInstallation=file://" + os.path.join(work, "office"),
            "--headless", "--convert-to", "pdf", "--outdir", work, document,
            stdout=subprocess.DEVNULL)
        os.replace(os.path.splitext(document)[0] + ".pdf", raw)
    return make


def writer_markup(lines):
    return "".join("   <text:p>%s</text:p>\n" % escape_xml(line) for line in lines)


def writer(font="IPAMincho", writing_mode="lr-tb"):
    """LibreOffice Writer, the text in the font and the page in the writing mode given."""
    return soffice("writer.fodt", writer_markup, font=font, writing_mode=writing_mode)


def calc_markup(lines):
    return "".join("    <table:table-row><table:table-cell office:value-type=\"string\">"
                   "<text:p>%s</text:p></table:table-cell></table:table-row>\n"
                   % escape_xml(line) for line in lines)


def impress_markup(lines):
    """The first line alone on the first slide, the others on the second."""
    def slide(number, texts):
        return ("   <draw:page draw:name=\"page%d\" draw:master-page-name=\"Default\">\n"
                "    <draw:frame draw:style-name=\"gr1\" svg:x=\"20mm\" svg:y=\"20mm\" "
                "svg:width=\"214mm\" svg:height=\"100mm\"><draw:text-box>\n%s"
                "    </draw:text-box></draw:frame>\n   </draw:page>\n") % (
            number, "".join("     <text:p>%s</text:p>\n" % escape_xml(t) for t in texts))
    return slide(1, lines[:1]) + slide(2, lines[1:])


def groff(lines, work, raw):
    document = os.path.join(work, "groff.ms")
    write(document, source("groff.ms", ".LP\n" + "\n.LP\n".join(lines)))
    with open(raw, "wb") as out:
        run("groff", "-ms", "-Tpdf", document, stdout=out)


def postscript_to_pdf(postscript, raw):
    run("gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pdfwrite",
        "-dCompatibilityLevel=1.4", "-sOutputFile=" + raw, postscript)


def paps(lines, work, raw):
    """paps 0.6 draws every glyph as a path: the page has no text to extract."""
    text, postscript = os.path.join(work, "text.txt"), os.path.join(work, "text.ps")
    write(text, "\n".join(lines) + "\n")
    with open(postscript, "wb") as out:  # paps takes the file's name as the title
        run("paps", "--font=IPAMincho 12", "--paper=a4", "text.txt", stdout=out, cwd=work)
    postscript_to_pdf(postscript, raw)


def enscript(lines, work, raw):
    text, postscript = os.path.join(work, "text.txt"), os.path.join(work, "text.ps")
    write(text, "\n".join(lines) + "\n")
    run("enscript", "--quiet", "--no-header", "--media=A4", "--font=Times-Roman12",
        "--output=" + postscript, text)
    postscript_to_pdf(postscript, raw)


def glyphshow(lines, work, raw):
    """Each character shown by its glyph name: ghostscript then writes Times-Roman with
    /Differences that name the glyphs its standard encoding lacks (degree, eacute, ...)."""
    from make_glyph_tables import read_glyph_list
    names = {}
    for name, unit in read_glyph_list().items():  # the shortest name of each character
        if unit not in names or (len(name), name) < (len(names[unit]), names[unit]):
            names[unit] = name
    shows = []
    for index, line in enumerate(lines):
        glyphs = " ".join("/%s glyphshow" % names[ord(c)] for c in line)
        shows.append("72 %d moveto %s" % (760 - 24 * index, glyphs))
    postscript = os.path.join(work, "text.ps")
    write(postscript, "%!PS\n/Times-Roman findfont 14 scalefont setfont\n"
          + "\n".join(shows) + "\nshowpage\n")
    postscript_to_pdf(postscript, raw)


def reportlab(font, cid=False):
    """reportlab's lines, each placed by its own text matrix in points. Its standard fonts
    write their text in WinAnsiEncoding; a CID font (cid) is one of its Unicode CID fonts."""
    def make(lines, work, raw):
        from reportlab.pdfbase import pdfmetrics
        from reportlab.pdfbase.cidfonts import UnicodeCIDFont
        from reportlab.pdfgen import canvas
        if cid:
            pdfmetrics.registerFont(UnicodeCIDFont(font))
        pdf = canvas.Canvas(raw, invariant=1)
        pdf.setFont(font, 12)
        for index, line in enumerate(lines):
            pdf.drawString(72, 760 - 20 * index, line)
        pdf.showPage()
        pdf.save()
    return make


def tex_lines(lines):
    return "".join("%s\\par\n" % line for line in lines)


def platex(lines, work, raw):
    platex_dvipdfmx(source("platex.tex", tex_lines(lines)), work, raw)


def platex_dvipdfmx(document, work, raw):
    write(os.path.join(work, "doc.tex"), document)
    run("platex", "-interaction=batchmode", "-halt-on-error", "doc.tex", cwd=work,
        stdout=subprocess.DEVNULL)
    run("dvipdfmx", "-q", "-o", raw, "doc.dvi", cwd=work)


def lualatex(lines, work, raw):
    lualatex_pdf(source("lualatex.tex", tex_lines(lines)), work, raw)


def lualatex_pdf(document, work, raw):
    write(os.path.join(work, "doc.tex"), document)
    run("lualatex", "-interaction=batchmode", "-halt-on-error", "doc.tex", cwd=work,
        stdout=subprocess.DEVNULL)
    os.replace(os.path.join(work, "doc.pdf"), raw)


def ocrmypdf(lines, work, raw):
    """A page of large Japanese text made by pycairo, rendered to a one-bit image at 200 dpi:
    the "scan" that OCRmyPDF gives an invisible text layer."""
    printed = os.path.join(work, "printed.pdf")
    import cairo
    surface = cairo.PDFSurface(printed, 420, 298)
    context = cairo.Context(surface)
    context.select_font_face("IPAGothic")
    context.set_font_size(16)
    for index, line in enumerate(lines):
        context.move_to(24, 50 + 34 * index)
        context.show_text(line)
    surface.finish()
    run("pdftoppm", "-r", "200", "-mono", "-singlefile", printed, os.path.join(work, "scan"))
    scan = os.path.join(work, "scan.png")
    from PIL import Image
    Image.open(os.path.join(work, "scan.pbm")).save(scan, dpi=(200, 200))
    run("ocrmypdf", "--quiet", "-l", "jpn", "--jobs", "1", "--output-type", "pdf",
        "--optimize", "0", "--image-dpi", "200", scan, raw)


# name: (producer, lines given to it)
PRODUCERS = {
    "pycairo-japanese": (pycairo("IPAMincho"), japanese("pycairo")),
    "pycairo-english": (pycairo("DejaVu Serif"), english("pycairo")),
    "pango-japanese": (pango_view("IPAGothic 14"), japanese("pango")),
    "pango-english": (pango_view("DejaVu Sans 12"), english("pango")),
    "chromium-japanese": (chromium, japanese("Chromium")),
    "chromium-beyond-cp932": (chromium_unicode("horizontal-tb"), beyond_cp932("Chromium")),
    "chromium-vertical": (chromium_unicode("vertical-rl"), vertical("Chromium")),
    "wkhtmltopdf-japanese": (wkhtmltopdf, japanese("wkhtmltopdf")),
    "qt-qpdfwriter-japanese": (qpdfwriter, japanese("Qt QPdfWriter")),
    "libreoffice-writer-japanese": (writer(), japanese("LibreOffice Writer")),
    "libreoffice-writer-beyond-cp932": (writer("Noto Serif CJK JP"),
                                        beyond_cp932("LibreOffice Writer")),
    "libreoffice-writer-vertical": (writer("Noto Serif CJK JP", "tb-rl"),
                                    vertical("LibreOffice Writer")),
    "libreoffice-calc-japanese": (soffice("calc.fods", calc_markup),
                                  japanese("LibreOffice Calc")),
    "libreoffice-impress-japanese": (soffice("impress.fodp", impress_markup),
                                     japanese("LibreOffice Impress")),
    "groff-english": (groff, english("groff")),
    "paps-japanese": (paps, japanese("paps")),
    "enscript-english": (enscript, english("enscript")),
    "ghostscript-glyphshow-latin": (glyphshow, latin("ghostscript")),
    "reportlab-winansi-latin": (reportlab("Helvetica"), latin("reportlab")),
    "platex-dvipdfmx-japanese": (platex, japanese("pLaTeX")),
    "lualatex-japanese": (lualatex, japanese("LuaLaTeX")),
    "ocrmypdf-japanese": (ocrmypdf, japanese("OCRmyPDF")),
}

# The Debian packages each producer needs (by the first word of a file's name), besides those
# every file needs: qpdf and what tools/make_test_data.py imports.
EVERY_FILE = ["qpdf", "python3-cairo", "python3-reportlab", "python3-fonttools"]
PACKAGES = {
    "pycairo": ["fonts-ipafont", "fonts-dejavu-core"],
    "pango": ["pango1.0-tools", "fonts-ipafont", "fonts-dejavu-core"],
    "chromium": ["chromium", "fonts-ipafont", "fonts-ipaexfont", "fonts-noto-cjk",
                 "fonts-noto-color-emoji"],
    "wkhtmltopdf": ["wkhtmltopdf", "fonts-ipafont"],
    "qt": ["qt6-base-dev", "g++", "pkg-config", "fonts-ipafont"],
    "libreoffice": ["libreoffice-writer", "libreoffice-calc", "libreoffice-impress",
                    "fonts-ipafont", "fonts-noto-cjk", "fonts-noto-color-emoji"],
    "groff": ["groff"],
    "paps": ["paps", "ghostscript", "fonts-ipafont"],
    "enscript": ["enscript", "ghostscript"],
    "ghostscript": ["ghostscript", "texlive-base", "python3-pikepdf"],
    "reportlab": [],
    "platex": ["texlive-lang-japanese"],
    "lualatex": ["texlive-luatex", "texlive-latex-recommended", "texlive-lang-japanese"],
    "ocrmypdf": ["ocrmypdf", "tesseract-ocr-jpn", "poppler-utils", "python3-pil",
                 "fonts-ipafont"],
}


def ensure_packages(names):
    needed = EVERY_FILE + [p for name in names for p in PACKAGES[name.split("-")[0]]]
    subprocess.run([os.path.join(HERE, "ensure-packages.sh"), *dict.fromkeys(needed)],
                   check=True)


# The dates and identifiers producers stamp, each replaced by a fixed text of its length (the
# first half of the trailer's /ID too: qpdf --deterministic-id keeps it).
STAMPS = [(re.compile(rb"(/ID \[<)([0-9a-fA-F]+)"), lambda m: m[1] + b"0" * len(m[2])),
          (re.compile(rb"D:\d{14}"), b"D:20260101000000"),
          (re.compile(rb"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(\.\d+)?"),
           lambda m: b"2026-01-01T00:00:00" + re.sub(rb"\d", b"0", m[1] or b"")),
          (re.compile(rb"/OCR-[\w-]{22}"), b"/OCR-" + b"A" * 22),  # OCRmyPDF's random name
          (re.compile(rb"/DocChecksum /[0-9A-F]{32}"), b"/DocChecksum /" + b"0" * 32),
          (re.compile(rb"uuid:[0-9a-fA-F-]{36}"),
           b"uuid:00000000-0000-0000-0000-000000000000")]


def fixed_stamps(raw, work):
    """The file with its streams decompressed and its stamps replaced."""
    plain = os.path.join(work, "plain.pdf")
    run("qpdf", "--object-streams=disable", "--decode-level=generalized",
        "--compress-streams=n", raw, plain)
    with open(plain, "rb") as f:
        data = f.read()
    for pattern, replacement in STAMPS:
        data = pattern.sub(replacement, data)
    with open(plain, "wb") as f:
        f.write(data)
    return plain


def make_all(out_dir, names=None):
    names = names or list(PRODUCERS)
    ensure_packages(names)
    from make_test_data import normalise, qpdf_pages, write_expected
    for name in names:
        make, lines = PRODUCERS[name]
        with tempfile.TemporaryDirectory() as work:
            raw = os.path.join(work, "raw.pdf")
            make(lines, work, raw)
            target = os.path.join(out_dir, name + ".pdf")
            normalise(fixed_stamps(raw, work), target)
        write_expected(target, qpdf_pages(target))
        write(os.path.join(out_dir, name + ".given"), "\n".join(lines) + "\n")


if __name__ == "__main__":
    sys.path.insert(0, HERE)
    make_all(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "tests", "data"),
             sys.argv[2:])
