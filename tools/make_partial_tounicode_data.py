#!/usr/bin/python3
"""Generates the files of tests/data whose /ToUnicode maps give only a few codes, as some
producers write them, each from a producer's file of tests/data (SOURCES). Every map a file
keeps holds the first KEEP single mappings of the producer's map; the codes it no longer maps
must come back through what the font itself knows:

  chromium-japanese-partial-tounicode, chromium-beyond-cp932-partial-tounicode: Chromium's
      Type0 fonts (Adobe-Identity CIDs of an embedded TrueType program) keep KEEP codes each;
      the others come back through the program's cmap. The Type3 fonts keep their maps whole:
      their glyph names (g0, g1...) say nothing of the characters.
  platex-dvipdfmx-japanese-partial-tounicode: dvipdfmx's Type1 font keeps KEEP codes; the
      others come back through the font's encoding. Its Adobe-Japan1 font, to which dvipdfmx
      gives no map, gets one of the first KEEP CIDs it shows, their characters from poppler's
      Adobe-Japan1 table; the others come back through the Adobe-Japan1 table.

The text must not change: each file's .txt (and .utf8, where the source has one) is the
source's reviewed text, and its .given the text the producer was given. Beside the PDF the
script writes .expected (the page list qpdf gives). Needs Debian's python3-pikepdf,
poppler-data and qpdf. Called by tools/make_test_data.py; can run alone:

    tools/make_partial_tounicode_data.py [tests/data]
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
KEEP = 3
SOURCES = ["chromium-japanese", "chromium-beyond-cp932", "platex-dvipdfmx-japanese"]
SUFFIX = "-partial-tounicode"
CID_TO_UNICODE = "/usr/share/poppler/cidToUnicode/Adobe-Japan1"

SECTION = re.compile(rb"\d+\s+begin(bfchar|bfrange)(.*?)end\1", re.S)
HEX = re.compile(rb"<([0-9A-Fa-f]*)>")


def single_mappings(program):
    """The (code, character) pairs of the program's bfchar sections, as hexadecimal bytes."""
    pairs = []
    for section in SECTION.finditer(program):
        if section[1] == b"bfchar":
            codes = HEX.findall(section[2])
            pairs += list(zip(codes[0::2], codes[1::2]))
    return pairs


def with_mappings(program, pairs):
    """The program with its mapping sections replaced by one bfchar section of the pairs."""
    sections = list(SECTION.finditer(program))
    entries = b"".join(b"<%s> <%s>\n" % pair for pair in pairs)
    section = b"%d beginbfchar\n%sendbfchar" % (len(pairs), entries)
    return program[:sections[0].start()] + section + program[sections[-1].end():]


def new_program(pairs):
    """A ToUnicode program of two-byte codes holding only the pairs."""
    return with_mappings(
        b"/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        b"/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        b"/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        b"1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
        b"1 beginbfchar\nendbfchar\nendcmap\n"
        b"CMapName currentdict /CMap defineresource pop\nend\nend\n", pairs)


def shown_cids(pdf, page, font_name):
    """The two-byte codes the page's content shows in the named font, in order, each once."""
    import pikepdf
    cids = []
    current = None
    for operands, operator in pikepdf.parse_content_stream(page):
        if operator == pikepdf.Operator("Tf"):
            current = str(operands[0])
        elif current == font_name and operator in (pikepdf.Operator("Tj"),
                                                   pikepdf.Operator("TJ")):
            strings = operands[0] if operator == pikepdf.Operator("TJ") else operands
            for string in strings:
                if isinstance(string, pikepdf.String):
                    data = bytes(string)
                    for i in range(0, len(data) - 1, 2):
                        cid = data[i] << 8 | data[i + 1]
                        if cid not in cids:
                            cids.append(cid)
    return cids


def adobe_japan1_characters():
    with open(CID_TO_UNICODE) as table:
        return [line.strip() for line in table]


def cut_maps(pdf):
    """Cuts down the fonts' maps, or gives one to an Adobe-Japan1 font without."""
    import pikepdf
    japan1 = None
    for page in pdf.pages:
        for name, font in page.Resources.Font.items():
            if "/ToUnicode" in font:
                if font.Subtype == "/Type3":
                    continue
                program = font.ToUnicode.read_bytes()
                font.ToUnicode.write(with_mappings(program, single_mappings(program)[:KEEP]))
            elif font.Subtype == "/Type0" and \
                    font.DescendantFonts[0].CIDSystemInfo.Ordering == "Japan1":
                japan1 = japan1 or adobe_japan1_characters()
                cids = shown_cids(pdf, page, name)[:KEEP]
                pairs = [(b"%04X" % cid, japan1[cid].upper().encode()) for cid in cids]
                font.ToUnicode = pdf.make_stream(new_program(pairs))


def make(source, target, work):
    import pikepdf
    cut = os.path.join(work, "cut.pdf")
    with pikepdf.open(source) as pdf:
        cut_maps(pdf)
        pdf.save(cut)
    from make_test_data import normalise, qpdf_pages, write_expected
    normalise(cut, target)
    write_expected(target, qpdf_pages(target))


def make_all(out_dir):
    subprocess.run([os.path.join(HERE, "ensure-packages.sh"), "python3-pikepdf", "poppler-data",
                    "qpdf"], check=True)
    sys.path.insert(0, HERE)
    with tempfile.TemporaryDirectory() as work:
        for name in SOURCES:
            source = os.path.join(out_dir, name)
            target = os.path.join(out_dir, name + SUFFIX)
            make(source + ".pdf", target + ".pdf", work)
            for kept in (".given", ".txt", ".utf8"):
                if os.path.exists(source + kept):
                    shutil.copyfile(source + kept, target + kept)


if __name__ == "__main__":
    make_all(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "tests", "data"))
