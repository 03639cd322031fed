#!/usr/bin/env python3
"""Writes a one-page PDF whose content streams together inflate to 512 MiB: a line of text,
then eight streams of zeros of 64 MiB less a byte each (just under the bound of one stream)."""
import os
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "fuzz"))
from make_seeds import small_pdf  # noqa: E402

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
with open(sys.argv[1], "wb") as out:
    out.write(small_pdf(objects))
