#!/usr/bin/python3
"""Generates tests/data/layout: pages from real producers whose lines, columns (縦中横 within
them), tables and ruby test the reading order (and ReportLab's, whose lines every extractor
reads, as the control), each with the text its producer was given. Beside each X.pdf it writes
X.known (the lines in reading order, UTF-8, ruby readings left out; a table row is one line,
its cells joined by a space) and, where there is ruby, X.ruby.known (each reading in 《》 after
its base, 青空文庫 style). Both come from the same lines the producer is given, written here
with ruby in that style: ｜base《reading》, or base《reading》 when the base is the run of kanji
before 《. tools/line_f1.py and tools/order_score.py measure extractions against them.

    tools/make_layout_data.py [tests/data/layout] [name ...]

Files are rewritten by qpdf as PDF 1.4 with fixed stamps, as tools/make_producer_data.py does;
other versions of the producers or fonts give other files. Installs through
tools/ensure-packages.sh the Debian packages the producers need.
"""

import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_producer_data as producers  # noqa: E402
from make_producer_data import escape_xml, run, source, write  # noqa: E402

RUBY = re.compile(r"｜([^｜《》]+)《([^》]+)》|([々〆\u3400-\u9fff]+)《([^》]+)》")


def with_ruby(line, form, plain=lambda text: text):
    """The line with each ruby written as form(base, reading) and the other text as plain."""
    parts, end = [], 0
    for match in RUBY.finditer(line):
        base, reading = (match[1], match[2]) if match[1] else (match[3], match[4])
        parts += [plain(line[end:match.start()]), form(plain(base), plain(reading))]
        end = match.end()
    return "".join(parts) + plain(line[end:])


def known(line):
    return with_ruby(line, lambda base, reading: base)


def ruby_known(line):
    return with_ruby(line, lambda base, reading: base + "《" + reading + "》")


# The texts. A table is its title and then rows of cells; the other texts are lines, each short
# enough to stay one line (or one column) on the page.

def horizontal(producer):
    return [producer + " の横書き",
            "一行目は短い日本語の文です。",
            "Second line, in English words.",
            "三行目は漢字とかなと数字 2026 です。",
            "The last line ends here."]


def vertical(producer):
    return [producer + " の縦書き",
            "一列目の本文です。",
            "二列目には第十二回とあります。",
            "三列目で終わります。"]


def columns(producer):
    """A title across the page, then three lines in the left column and three in the right."""
    return [producer + " の二段組み",
            "左の段の一行目です。", "Left column, line two.", "左の段の三行目です。",
            "右の段の一行目です。", "Right column, line two.", "右の段の三行目です。"]


def table(producer):
    return [producer + " の表",
            ["品名", "数量", "価格"],
            ["りんご", "3", "450円"],
            ["みかん", "10", "800円"],
            ["Green tea", "2", "300円"]]


def ruby(producer):
    return [producer + " のルビ",
            "｜権利《けんり》と｜条約《じょうやく》を読む。",
            "漢《かん》字《じ》に振《ふ》り仮名《がな》を付ける。",
            "東京《とうきょう》は日本の首都です。"]


def vertical_ruby(producer):
    return [producer + " の縦書きのルビ",
            "｜権利《けんり》と｜条約《じょうやく》。",
            "漢《かん》字《じ》の振《ふ》り仮名《がな》。"]


def vertical_upright(producer):
    """A vertical page whose numbers of one or two digits are set upright across the column
    (縦中横)."""
    return [producer + " の縦中横",
            "第12回の会議は",
            "10月3日に開きます。"]


def known_lines(lines):
    return [" ".join(line) if isinstance(line, list) else known(line) for line in lines]


# Each producer: (lines, work folder, raw PDF path) -> writes the raw PDF.

def pango_vertical(lines, work, raw):
    """pango-view's vertical layout: west gravity, the page turned a quarter so that the
    columns read top to bottom, right to left."""
    text = os.path.join(work, "text.txt")
    write(text, "\n".join(lines) + "\n")
    run("pango-view", "--no-display", "--font=IPAGothic 14", "--margin=36", "--gravity=west",
        "--gravity-hint=strong", "--rotate=90", "--output=" + raw, text)


def odf_ruby(base, reading):
    return ("<text:ruby text:style-name=\"Ruby\"><text:ruby-base>%s</text:ruby-base>"
            "<text:ruby-text>%s</text:ruby-text></text:ruby>" % (base, reading))


def odf_paragraph(line, style=""):
    style = " text:style-name=\"%s\"" % style if style else ""
    return "   <text:p%s>%s</text:p>\n" % (style, with_ruby(line, odf_ruby, escape_xml))


def odf_lines(lines):
    return "".join(map(odf_paragraph, lines))


def upright_numbers(markup, form):
    """The markup with each number of one or two digits written by form (縦中横)."""
    return re.sub(r"(?<![0-9])[0-9]{1,2}(?![0-9])", lambda match: form % match[0], markup)


def odf_upright_lines(lines):
    return upright_numbers(odf_lines(lines),
                           "<text:span text:style-name=\"Upright\">%s</text:span>")


def odf_columns(lines):
    half = 1 + (len(lines) - 1) // 2
    return (odf_paragraph(lines[0]) + "   <text:section text:name=\"Columns\" "
            "text:style-name=\"Columns\">\n" + odf_lines(lines[1:half])
            + odf_paragraph(lines[half], "ColumnBreak") + odf_lines(lines[half + 1:])
            + "   </text:section>\n")


def odf_table(lines):
    rows = "".join("    <table:table-row>%s</table:table-row>\n" % "".join(
        "<table:table-cell office:value-type=\"string\"><text:p>%s</text:p></table:table-cell>"
        % escape_xml(cell) for cell in row) for row in lines[1:])
    return (odf_paragraph(lines[0]) + "   <table:table table:name=\"Table\">\n"
            "    <table:table-column table:number-columns-repeated=\"%d\"/>\n%s"
            "   </table:table>\n" % (len(lines[1]), rows))


def writer(markup, writing_mode="lr-tb"):
    return producers.soffice("writer-layout.fodt", markup, writing_mode=writing_mode)


def ghostscript_rewrite(make):
    """The producer's PDF as ghostscript's pdfwrite writes it again."""
    def rewrite(lines, work, raw):
        first = os.path.join(work, "first.pdf")
        make(lines, work, first)
        producers.postscript_to_pdf(first, raw)
    return rewrite


def html_ruby(base, reading):
    return "<ruby>%s<rt>%s</rt></ruby>" % (base, reading)


def html_paragraph(line):
    return "<p>%s</p>\n" % with_ruby(line, html_ruby, escape_xml)


def html_lines(lines):
    return "".join(map(html_paragraph, lines))


def html_upright_lines(lines):
    return upright_numbers(html_lines(lines), "<span class=\"upright\">%s</span>")


def html_columns(lines):
    half = 1 + (len(lines) - 1) // 2
    return (html_paragraph(lines[0]) + "<div class=\"columns\">\n<div>\n"
            + html_lines(lines[1:half]) + "</div>\n<div>\n" + html_lines(lines[half:])
            + "</div>\n</div>\n")


def html_table(lines):
    return html_paragraph(lines[0]) + "<table>\n%s</table>\n" % "".join(
        "<tr>%s</tr>\n" % "".join("<td>%s</td>" % escape_xml(cell) for cell in row)
        for row in lines[1:])


def chromium(markup, writing_mode="horizontal-tb"):
    def make(lines, work, raw):
        page = os.path.join(work, "page.html")
        write(page, source("page-layout.html", markup(lines), writing_mode=writing_mode))
        producers.print_to_pdf(page, work, raw)
    return make


def tex_lines(lines, ruby):
    return "".join("%s\\par\n" % with_ruby(line, ruby) for line in lines)


def lualatex(document_class):
    """LuaLaTeX with luatexja: ltjsarticle is horizontal, ltjtarticle vertical."""
    def make(lines, work, raw):
        text = tex_lines(lines, lambda base, reading: "\\ruby{%s}{%s}" % (base, reading))
        producers.lualatex_pdf(source("lualatex-layout.tex", text, **{"class": document_class}),
                               work, raw)
    return make


def platex_pxrubrica(lines, work, raw):
    """pLaTeX with pxrubrica, each ruby as group ruby ([g]) over its base."""
    text = tex_lines(lines, lambda base, reading: "\\ruby[g]{%s}{%s}" % (base, reading))
    producers.platex_dvipdfmx(source("platex-ruby.tex", text), work, raw)


# name: (producer, lines given to it)
DOCUMENTS = {
    "reportlab-lines": (producers.reportlab("HeiseiMin-W3", cid=True),
                        horizontal("ReportLab")),
    "cairo-lines": (producers.pycairo("IPAMincho", 12, 18), horizontal("cairo")),
    "pango-horizontal": (producers.pango_view("IPAGothic 12"), horizontal("pango")),
    "pango-vertical": (pango_vertical, vertical("pango")),
    "libreoffice-horizontal": (writer(odf_lines), horizontal("LibreOffice")),
    "libreoffice-vertical": (writer(odf_lines, "tb-rl"), vertical("LibreOffice")),
    "libreoffice-vertical-upright": (writer(odf_upright_lines, "tb-rl"),
                                     vertical_upright("LibreOffice")),
    "libreoffice-columns": (writer(odf_columns), columns("LibreOffice")),
    "libreoffice-table": (writer(odf_table), table("LibreOffice")),
    "libreoffice-ruby": (writer(odf_lines), ruby("LibreOffice")),
    "ghostscript-libreoffice-horizontal": (ghostscript_rewrite(writer(odf_lines)),
                                           horizontal("LibreOffice")),
    "ghostscript-libreoffice-vertical": (ghostscript_rewrite(writer(odf_lines, "tb-rl")),
                                         vertical("LibreOffice")),
    "chromium-ruby": (chromium(html_lines), ruby("Chromium")),
    "chromium-vertical": (chromium(html_lines, "vertical-rl"), vertical("Chromium")),
    "chromium-vertical-upright": (chromium(html_upright_lines, "vertical-rl"),
                                  vertical_upright("Chromium")),
    "chromium-columns": (chromium(html_columns), columns("Chromium")),
    "chromium-table": (chromium(html_table), table("Chromium")),
    "lualatex-vertical": (lualatex("ltjtarticle"), vertical("LuaLaTeX")),
    "lualatex-ruby": (lualatex("ltjsarticle"), ruby("LuaLaTeX")),
    "lualatex-vertical-ruby": (lualatex("ltjtarticle"), vertical_ruby("LuaLaTeX")),
    "platex-ruby": (platex_pxrubrica, ruby("pLaTeX")),
}

PACKAGES = ["qpdf", "python3-cairo", "python3-reportlab", "pango1.0-tools", "fonts-ipafont",
            "fonts-ipaexfont", "libreoffice-writer", "ghostscript", "chromium",
            "texlive-luatex", "texlive-latex-recommended", "texlive-lang-japanese"]


def make_all(out_dir, names=None):
    subprocess.run([os.path.join(HERE, "ensure-packages.sh"), *PACKAGES], check=True)
    from make_test_data import normalise
    os.makedirs(out_dir, exist_ok=True)
    for name in names or DOCUMENTS:
        make, lines = DOCUMENTS[name]
        given = [line for line in lines if isinstance(line, str)]
        with tempfile.TemporaryDirectory() as work:
            raw = os.path.join(work, "raw.pdf")
            make(lines, work, raw)
            normalise(producers.fixed_stamps(raw, work), os.path.join(out_dir, name + ".pdf"))
        write(os.path.join(out_dir, name + ".known"), "\n".join(known_lines(lines)) + "\n")
        if any(RUBY.search(line) for line in given):
            write(os.path.join(out_dir, name + ".ruby.known"),
                  "\n".join(map(ruby_known, given)) + "\n")


if __name__ == "__main__":
    make_all(sys.argv[1] if len(sys.argv) > 1
             else os.path.join(HERE, "..", "tests", "data", "layout"), sys.argv[2:])
