#!/usr/bin/python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/ from the test data
and a few hand-made inputs. The seeds are committed; rerun this after changing it.

    fuzz/make_seeds.py
"""

import base64
import os
import shutil
import struct
import subprocess
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data")
PDFS = ["reportlab-latin.pdf", "incremental-update.pdf", "qpdf-nested-tree.pdf",
        "reportlab-cid-cmaps.pdf", "ghostscript-differences.pdf", "reportlab-winansi-ascii85.pdf",
        "qpdf-inherited-resources.pdf", "cairo-pages.pdf", "fonttools-cidfonttype2.pdf"]
# Made by tools/make_encrypted_test_data.sh: one for each revision of the standard handler.
ENCRYPTED_PDFS = ["rc4-40.pdf", "rc4-128.pdf", "aes-128.pdf", "aes-256-r5.pdf", "aes-256-r6.pdf"]


def qpdf_encrypted(name, cipher, *options):
    """The test file name encrypted by qpdf with a 128-bit key (cipher "aes" or "rc4") and an
    empty user password, with fixed /ID and AES initialisation vectors so that a rerun writes
    the same bytes."""
    return subprocess.run(
        ["qpdf", "--static-id", "--static-aes-iv", "--allow-weak-crypto", *options, "--encrypt",
         "", "owner", "128", "--use-aes=" + ("y" if cipher == "aes" else "n"), "--",
         os.path.join(DATA, name), "-"],
        check=True, stdout=subprocess.PIPE).stdout


def lzw_literals(data):
    """data as LZW codes of 9 bits, one a byte, between a clear code and an end code."""
    bits = "".join(format(code, "09b") for code in [256, *data, 257])
    bits += "0" * (-len(bits) % 8)
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))


def png_up_rows(data, columns):
    """data as PNG "up" rows of columns bytes, each after its type byte 2."""
    rows = b""
    for at in range(0, len(data), columns):
        row = data[at:at + columns]
        above = data[at - columns:at] if at else bytes(columns)
        rows += b"\x02" + bytes((b - a) & 0xFF for b, a in zip(row, above))
    return rows


def tiff_differences(data, colors, row_size):
    """data as rows of TIFF predictor 2 samples of 8 bits: each byte less the one colors before
    it in its row."""
    out = b""
    for at in range(0, len(data), row_size):
        row = data[at:at + row_size]
        out += bytes((b - (row[i - colors] if i >= colors else 0)) & 0xFF
                     for i, b in enumerate(row))
    return out


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def shortcut(base_path, relative_path=b""):
    """A Shell Link file with link information and, optionally, a UTF-16 relative path."""
    flags = 0x02 | 0x80 | (0x08 if relative_path else 0)
    header = struct.pack("<I16sI", 0x4C, bytes.fromhex("0114020000000000c000000000000046"),
                         flags)
    header += b"\0" * (0x4C - len(header))
    volume = struct.pack("<IIII", 0x11, 3, 0x1234, 0x10) + b"\0"
    base_offset = 0x1C + len(volume)
    suffix_offset = base_offset + len(base_path) + 1
    info = struct.pack("<IIIIIII", suffix_offset + 1, 0x1C, 1, 0x1C, base_offset, 0,
                       suffix_offset) + volume + base_path + b"\0\0"
    strings = b""
    if relative_path:
        strings = struct.pack("<H", len(relative_path)) + relative_path.decode().encode("utf-16-le")
    return header + info + strings


def small_pdf(objects):
    """A PDF 1.4 file of the given object bodies, numbered from 1, with its table."""
    out = b"%PDF-1.4\n"
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n%s\nendobj\n" % (number, body)
    table = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f\r\n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n\r\n" % offset for offset in offsets)
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, table)
    return out


def stream_object(number, entries, data):
    """Object number holding a stream of data with the given dictionary entries."""
    return b"%d 0 obj\n<< %s /Length %d >>\nstream\n%s\nendstream\nendobj\n" % (
        number, entries, len(data), data)


def object_stream(objects):
    """Object stream 5 holding the (number, body) objects, compressed when asked."""
    header = b"".join(b"%d %d " % (number, sum(len(b) + 1 for _, b in objects[:i]))
                      for i, (number, _) in enumerate(objects))
    return header, header + b"".join(body + b"\n" for _, body in objects)


def hybrid_pdf():
    """A classic section listing object 2 as free, completed by the cross-reference stream its
    trailer names with /XRefStm, which places object 2 in object stream 3."""
    out = b"%PDF-1.4\n"
    offsets = [len(out)]
    out += b"1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
    header, data = object_stream([(2, b"<< /Type /Pages /Kids [4 0 R] /Count 1 >>")])
    offsets.append(len(out))
    out += stream_object(3, b"/Type /ObjStm /N 1 /First %d" % len(header), data)
    offsets.append(len(out))
    out += b"4 0 obj\n<< /Type /Page /Parent 2 0 R >>\nendobj\n"
    offsets.append(len(out))
    out += stream_object(5, b"/Type /XRef /Size 6 /W [1 4 2] /Index [2 1]",
                         struct.pack(">BIH", 2, 3, 0))
    table = len(out)
    rows = [b"0000000000 65535 f", b"%010d 00000 n" % offsets[0], b"0000000000 65535 f"]
    rows += [b"%010d 00000 n" % offset for offset in offsets[1:]]
    out += b"xref\n0 6\n" + b"".join(row + b"\r\n" for row in rows)
    out += b"trailer\n<< /Size 6 /Root 1 0 R /XRefStm %d >>\nstartxref\n%d\n%%%%EOF\n" % (
        offsets[3], table)
    return out


def sfnt_with_cmap(subtables):
    """A TrueType program of one table, cmap, holding the (platform, encoding, bytes)
    subtables."""
    records = b""
    data = b""
    for platform, encoding, subtable in subtables:
        records += struct.pack(">HHI", platform, encoding, 4 + 8 * len(subtables) + len(data))
        data += subtable
    cmap = struct.pack(">HH", 0, len(subtables)) + records + data
    return struct.pack(">IHHHH4sIII", 0x00010000, 1, 16, 0, 0, b"cmap", 0, 28, len(cmap)) + cmap


def format4(segments, glyph_array=()):
    """A format 4 subtable of (start, end, delta, range offset) segments and the glyph array."""
    count = len(segments)
    body = struct.pack(">HHHH", 2 * count, 0, 0, 0)
    body += b"".join(struct.pack(">H", s[1]) for s in segments) + b"\0\0"
    for field in (0, 2, 3):
        body += b"".join(struct.pack(">H", s[field] & 0xFFFF) for s in segments)
    body += b"".join(struct.pack(">H", g) for g in glyph_array)
    return struct.pack(">HHH", 4, len(body) + 6, 0) + body


def format12(groups):
    body = b"".join(struct.pack(">III", *group) for group in groups)
    return struct.pack(">HHIII", 12, 0, 16 + len(body), 0, len(groups)) + body


def main():
    shutil.rmtree(os.path.join(HERE, "corpus"), ignore_errors=True)
    for name in PDFS:
        with open(os.path.join(DATA, name), "rb") as f:
            pdf = f.read()
        write("fuzz_document", name, pdf)
        write("fuzz_extract", name, pdf)
    for name in ENCRYPTED_PDFS:
        with open(os.path.join(DATA, "encrypted", name), "rb") as f:
            write("fuzz_decryption", name, f.read())
    # Fonts in encrypted streams: TrueType programs and a /CIDToGIDMap under AES, and Type0
    # fonts of predefined CMaps in object streams under RC4.
    write("fuzz_decryption", "aes-128-cidfonttype2.pdf",
          qpdf_encrypted("fonttools-cidfonttype2.pdf", "aes"))
    write("fuzz_decryption", "rc4-128-cid-cmaps-object-streams.pdf",
          qpdf_encrypted("reportlab-cid-cmaps.pdf", "rc4", "--object-streams=generate"))
    # The newer formats read by a conversion: object and cross-reference streams, encryption.
    for name in ["object-streams/reportlab-latin.pdf", "object-streams/incremental-update.pdf",
                 "encrypted/aes-128.pdf"]:
        with open(os.path.join(DATA, name), "rb") as f:
            write("fuzz_extract", name.replace("/", "-"), f.read())
    # Direct font dictionaries beside a nested resource value, and values by chains of references.
    content = b"BT /F1 12 Tf (latin) Tj /F2 12 Tf (more) Tj ET"
    write("fuzz_extract", "fonts-in-place.pdf", small_pdf([
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids 6 0 R >>",
        b"<< /Type /Page /Parent 2 0 R /Contents 4 0 R /Resources << /ExtGState << /a0 << /CA 1 "
        b">> >> /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding 5 0 R "
        b">> /F2 << /Subtype 7 0 R /BaseFont /Courier >> >> >> >>",
        b"<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content),
        b"/WinAnsiEncoding",
        b"[3 0 R]",
        b"8 0 R",
        b"/Type1"]))

    # Type0 fonts of other collections: /ToUnicode /Identity-H, and a CIDFontType2 whose
    # program cannot be read.
    content = b"BT /F1 12 Tf <65E5672C> Tj /F2 12 Tf <00010002> Tj ET"
    write("fuzz_extract", "foreign-cids.pdf", small_pdf([
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /Contents 4 0 R /Resources << /Font << /F1 5 0 R "
        b"/F2 6 0 R >> >> >>",
        b"<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content),
        b"<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /ToUnicode /Identity-H "
        b"/DescendantFonts [<< /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) >> >>] >>",
        b"<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< /Subtype "
        b"/CIDFontType2 /CIDSystemInfo << /Registry <41646F6265> /Ordering (GB1) >> "
        b"/CIDToGIDMap 8 0 R /FontDescriptor << /FontFile2 7 0 R >> >>] >>",
        b"<< /Length 4 >>\nstream\ntrue\nendstream",
        b"<< /Length 4 >>\nstream\n\0\1\0\2\nendstream"]))

    # Content in PNG rows under Flate, its parameters in an array by reference, and a
    # /ToUnicode map with its parameters in place.
    content = zlib.compress(png_up_rows(b"BT /F1 12 Tf <0001> Tj ET", 8))
    to_unicode = zlib.compress(png_up_rows(
        b"begincmap 1 beginbfchar <0001> <65E5> endbfchar endcmap", 5))
    write("fuzz_extract", "predicted-streams.pdf", small_pdf([
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /Contents 4 0 R /Resources << /Font << /F1 6 0 R >> >> >>",
        b"<< /Length %d /Filter [/FlateDecode] /DecodeParms [5 0 R] >>\nstream\n%s\nendstream"
        % (len(content), content),
        b"<< /Predictor 12 /Columns 8 >>",
        b"<< /Type /Font /Subtype /Type0 /Encoding /Identity-H /ToUnicode 7 0 R "
        b"/DescendantFonts [] >>",
        b"<< /Length %d /Filter /FlateDecode /DecodeParms << /Predictor 15 /Columns 5 >> >>\n"
        b"stream\n%s\nendstream" % (len(to_unicode), to_unicode)]))

    newer = os.path.join(DATA, "object-streams")
    for name in sorted(os.listdir(newer)):
        if name.endswith(".pdf"):
            with open(os.path.join(newer, name), "rb") as f:
                write("fuzz_xref_stream", name, f.read())
    write("fuzz_xref_stream", "hybrid.pdf", hybrid_pdf())
    header, data = object_stream([(2, b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>"),
                                  (3, b"<< /Type /Page /Parent 2 0 R >>"), (7, b"(text)")])
    entries = b"/Type /ObjStm /N 3 /First %d" % len(header)
    write("fuzz_object_stream", "plain", stream_object(5, entries, data))
    write("fuzz_object_stream", "flate",
          stream_object(5, entries + b" /Filter /FlateDecode", zlib.compress(data)))

    text = b"BT /F1 12 Tf 72 700 Td (Hello) Tj 0 -14 Td [(A) -120 (B)] TJ ET"
    write("fuzz_stream_filters", "plain", b"\0" + text)
    write("fuzz_stream_filters", "flate", b"\1" + zlib.compress(text))
    write("fuzz_stream_filters", "hex", b"\2" + text.hex().encode() + b">")
    write("fuzz_stream_filters", "a85", b"\3" + b"9jqo^BlbD-BleB1DJ+*+F(f,q~>")
    write("fuzz_stream_filters", "hex-flate", b"\4" + zlib.compress(text).hex().encode() + b">")
    write("fuzz_stream_filters", "lzw", b"\6" + lzw_literals(text))
    write("fuzz_stream_filters", "a85-lzw", b"\x09" + base64.a85encode(lzw_literals(text)) + b"~>")
    write("fuzz_stream_filters", "run-length",
          b"\x08" + bytes([len(text) - 1]) + text + b"\xfd-\x80")
    write("fuzz_stream_filters", "flate-png", b"\x0b" + zlib.compress(png_up_rows(text, 4)))
    write("fuzz_stream_filters", "lzw-tiff",
          b"\x0c" + lzw_literals(tiff_differences(text, 3, 15)))

    write("fuzz_cmap", "tounicode",
          b"/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
          b"1 begincodespacerange <0000> <FFFF> endcodespacerange\n"
          b"2 beginbfchar <0003> <0020> <0011> <00660069> endbfchar\n"
          b"2 beginbfrange <0024> <0026> <0041> <0030> <0032> [<3042> <3044> <3046>] "
          b"endbfrange\nendcmap CMapName currentdict /CMap defineresource pop end end\n")
    write("fuzz_cmap", "cidrange",
          b"begincmap 1 begincidrange <20> <7E> 1 <8140> <817E> 633 endcidrange endcmap")
    write("fuzz_cmap", "ranges-past-int32-max",
          b"begincmap 1 begincidrange <0000> <0002> 2147483647 endcidrange "
          b"1 beginbfrange <0010> <0011> 2147483647 endbfrange endcmap")

    latin = format4([(0x41, 0x5A, 1 - 0x41, 0), (0x61, 0x63, 10, 4), (0xFFFF, 0xFFFF, 1, 0)],
                    [5, 0, 7])
    write("fuzz_truetype_cmap", "format4", sfnt_with_cmap([(3, 1, latin)]))
    write("fuzz_truetype_cmap", "format12-and-format4", sfnt_with_cmap(
        [(3, 1, latin), (3, 10, format12([(0x3042, 0x3093, 2), (0x20B9F, 0x20B9F, 90)]))]))
    write("fuzz_truetype_cmap", "overlapping-groups", sfnt_with_cmap(
        [(3, 10, format12([(0, 0x10FFFF, 1), (0x41, 0x42, 7)]))]))

    write("fuzz_content", "text", text + b" T* (x) ' 1 2 (y) \"")
    write("fuzz_content", "fonts",
          b"q BT /F2 1 Tf <02790022> Tj /F3 1 Tf <82A0> Tj ET Q BT /T1 1 Tf <00410042> Tj "
          b"/F5 1 Tf 1 0 0 1 70 700 Tm <0279> Tj ET")
    write("fuzz_content", "operands",
          b"q /F2 1 Tf q /CS0 cs 0 0 0 scn BT /P <</MCID 3 /A <</B (x>>)>> >> BDC <0279> Tj EMC "
          b"/T2 1 Tf (ABC) Tj ET Q Q")
    write("fuzz_content", "inline-image",
          b"BI /W 4 /H 2 /BPC 8 /CS /G ID \x01\x02\x03\x04\x05\x06\x07\x08 EI "
          b"BI /W 2 /H 2 /F /AHx ID 00ff> EI BT (after) Tj ET")

    write("fuzz_layout", "placement",
          b"q 2 0 0 2 10 20 cm BT /F1 12 Tf 1 0 0 1 72 700 Tm 50 Tz 1 Tc 2 Tw 3 Ts (A B) Tj "
          b"0 -14 Td [(C) -500 (D)] TJ 14 TL (E) ' 1 2 (F) \" ET Q /Fm1 Do")
    write("fuzz_layout", "vertical",
          b"BT /F3 10 Tf 1 0 0 1 500 700 Tm <00010002> Tj [<00C8> 300 <0003>] TJ ET "
          b"BT /F2 5 Tf 510 705 Td <0001> Tj ET /Fm2 Do")
    write("fuzz_layout", "hostile",
          b"q q q 1e30 0 0 1e30 0 0 cm 0 0 0 0 0 0 cm BT /F1 0 Tf (zero) Tj ET Q Q Q "
          b"BT /F1 1.2.3 Tf (nan) Tj 99999999999 0 0 1 0 0 Tm (huge) Tj ET /Fm1 Do /Fm1 Do")

    write("fuzz_ini", "settings",
          b"[frmMain]\r\nLeft=50\r\nheight=180\r\n[GroupBox2]\r\nComboBox1=1\r\n; note\r\n")
    write("fuzz_shell_link", "local", shortcut(b"C:\\Docs\\report.pdf"))
    write("fuzz_shell_link", "relative", shortcut(b"C:\\Docs\\report.pdf", b".\\report.pdf"))


if __name__ == "__main__":
    main()
