#!/usr/bin/env python3
"""Writes a one-page PDF whose content streams together inflate to 512 MiB: a line of text,
then eight streams of zeros of 64 MiB less a byte each (just under the bound of one stream)."""
import sys
import zlib

STREAMS = 8
text = b"BT /F1 12 Tf 72 700 Td (before the streams) Tj ET"
zeros = zlib.compress(bytes((64 << 20) - 1), 9)
objects = [
    b"<< /Type /Catalog /Pages 2 0 R >>",
    b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
    b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 4 0 R "
    b">> >> /Contents [5 0 R" + b"".join(b" %d 0 R" % (6 + i) for i in range(STREAMS)) + b"] >>",
    b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    b"<< /Length %d >>\nstream\n" % len(text) + text + b"\nendstream",
] + [b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(zeros) + zeros + b"\nendstream"] * STREAMS
pdf = bytearray(b"%PDF-1.4\n")
offsets = []
for number, body in enumerate(objects, 1):
    offsets.append(len(pdf))
    pdf += b"%d 0 obj\n" % number + body + b"\nendobj\n"
xref = len(pdf)
pdf += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
pdf += b"".join(b"%010d 00000 n \n" % offset for offset in offsets)
pdf += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
with open(sys.argv[1], "wb") as out:
    out.write(pdf)
