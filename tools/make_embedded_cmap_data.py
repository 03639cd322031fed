#!/usr/bin/python3
"""Generates tests/data/fonttools-cidfonttype2.pdf: Japanese text in CIDFontType2 fonts of the
Adobe-Identity collection without /ToUnicode, whose characters only the embedded TrueType
programs' cmap tables give. The programs are subsets of IPA Gothic made by fontTools, which
keeps their Unicode cmap subtables (cairo's and LibreOffice's subsets keep none).

Page 1: a subset that keeps its glyph numbers and both Unicode subtables (platform 3,
encodings 10 and 1); the codes are glyph numbers, /CIDToGIDMap /Identity.
Page 2: a subset with new glyph numbers and only the BMP subtable (3, 1, format 4); the codes
are CIDs 1, 2, 3... in the order the characters first appear, and a /CIDToGIDMap stream gives
their glyphs.

Beside the PDF it writes .given (the UTF-8 text) and .expected (the page list qpdf gives).
Needs Debian's python3-fonttools, fonts-ipafont-gothic and qpdf. Called by
tools/make_test_data.py; can run alone:

    tools/make_embedded_cmap_data.py [tests/data]
"""

import io
import os
import sys
import tempfile
import zlib

from fontTools import subset
from fontTools.ttLib import TTFont

IPA_GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
NAME = "fonttools-cidfonttype2"
# 𠮟 (U+20B9F), beyond the BMP, makes fontTools keep the full-repertoire subtable; code page
# 932 lacks it.
PAGES = [["埋め込みフォントの cmap から読む日本語",
          "ToUnicode のない CIDFontType2 (Identity) 𠮟る"],
         ["漢字・ひらがな・カタカナ 123 ABC",
          "東京都千代田区 2026年1月1日"]]


def subset_font(text, retain_gids, keep_full_repertoire):
    """The IPA Gothic subset of the text's characters, as bytes, and its cmap."""
    options = subset.Options()
    options.retain_gids = retain_gids
    options.name_IDs = ["*"]
    options.notdef_outline = True
    font = TTFont(IPA_GOTHIC, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted({ord(c) for c in text}))
    subsetter.subset(font)
    cmap = font["cmap"]
    if not keep_full_repertoire:
        cmap.tables = [t for t in cmap.tables if (t.platformID, t.platEncID) == (3, 1)]
    kept = {(t.platformID, t.platEncID, t.format) for t in cmap.tables}
    assert (3, 1, 4) in kept, kept
    assert ((3, 10, 12) in kept) == keep_full_repertoire, kept
    out = io.BytesIO()
    font.save(out)
    saved = TTFont(io.BytesIO(out.getvalue()))
    best = saved.getBestCmap()
    glyph_ids = {c: saved.getGlyphID(best[ord(c)]) for c in set(text)}
    return out.getvalue(), glyph_ids


def stream(data, entries=b""):
    packed = zlib.compress(data, 9)
    return b"<< %s /Filter /FlateDecode /Length %d >>\nstream\n%s\nendstream" % (
        entries, len(packed), packed)


def content(lines, code_of):
    out = b"BT /F1 14 Tf 60 780 Td 20 TL\n"
    for line in lines:
        codes = b"".join(code_of[c].to_bytes(2, "big") for c in line)
        out += b"<%s> Tj T*\n" % codes.hex().upper().encode()
    return out + b"ET"


def type0_font(first, program, cid_to_gid):
    """The objects of a Type0 font from object number first on: the font, its CIDFont, its
    descriptor, its program, and a /CIDToGIDMap stream when one is given."""
    n = first
    cid_font = (b"<< /Type /Font /Subtype /CIDFontType2 /BaseFont /IPAGothic "
                b"/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> "
                b"/FontDescriptor %d 0 R /DW 1000 /CIDToGIDMap %s >>") % (
        n + 2, b"%d 0 R" % (n + 4) if cid_to_gid else b"/Identity")
    objects = {n: b"<< /Type /Font /Subtype /Type0 /BaseFont /IPAGothic /Encoding /Identity-H "
                  b"/DescendantFonts [%d 0 R] >>" % (n + 1),
               n + 1: cid_font,
               n + 2: b"<< /Type /FontDescriptor /FontName /IPAGothic /Flags 4 "
                      b"/FontBBox [0 -141 1000 859] /ItalicAngle 0 /Ascent 859 /Descent -141 "
                      b"/CapHeight 859 /StemV 80 /FontFile2 %d 0 R >>" % (n + 3),
               n + 3: stream(program, b"/Length1 %d" % len(program))}
    if cid_to_gid:
        objects[n + 4] = stream(cid_to_gid)
    return objects


def make(out_dir):
    first, second = ("".join(lines) for lines in PAGES)
    kept_program, kept_glyphs = subset_font(first, True, True)
    new_program, new_glyphs = subset_font(second, False, False)
    cids = {}
    for c in second:
        cids.setdefault(c, len(cids) + 1)
    cid_to_gid = bytearray(2 * (len(cids) + 1))
    for c, cid in cids.items():
        cid_to_gid[2 * cid:2 * cid + 2] = new_glyphs[c].to_bytes(2, "big")

    objects = {1: b"<< /Type /Catalog /Pages 2 0 R >>",
               2: b"<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 /MediaBox [0 0 595 842] >>",
               3: b"<< /Type /Page /Parent 2 0 R /Contents 5 0 R "
                  b"/Resources << /Font << /F1 7 0 R >> >> >>",
               4: b"<< /Type /Page /Parent 2 0 R /Contents 6 0 R "
                  b"/Resources << /Font << /F1 11 0 R >> >> >>",
               5: stream(content(PAGES[0], kept_glyphs)),
               6: stream(content(PAGES[1], cids))}
    objects.update(type0_font(7, kept_program, None))
    objects.update(type0_font(11, new_program, bytes(cid_to_gid)))

    from make_test_data import normalise, qpdf_pages, write_expected, write_objects
    target = os.path.join(out_dir, NAME + ".pdf")
    with tempfile.TemporaryDirectory() as work:
        raw = os.path.join(work, "raw.pdf")
        write_objects(raw, objects)
        normalise(raw, target)
    write_expected(target, qpdf_pages(target))
    with open(target[:-4] + ".given", "w", encoding="utf-8") as out:
        out.write("\n".join(line for lines in PAGES for line in lines) + "\n")


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    make(sys.argv[1] if len(sys.argv) > 1 else
         os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data"))
