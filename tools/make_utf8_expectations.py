#!/usr/bin/python3
"""Writes X.utf8 beside X.txt in tests/data: the text the UTF-8 output gives, for a file whose
text holds characters code page 932 lacks.

X.txt is the reviewed Shift-JIS text (what the extractor writes, decoded as code page 932), in
which each character code page 932 lacks is a space. Its characters are lined up, line ends and
page banners left out, with those of the text the producer was given (X.given, its line ends
left out) or, where there is none, with pdftotext's; they must agree but where X.txt has a
space. There the reference's character is put back into X.utf8 when it is one code page 932
lacks. When it is 、, 。 or another character that a vertical presentation form (U+FE10 to
U+FE19, U+FE30 to U+FE4F) stands for, the space was such a form, which both encodings write as
the character it presents: it is put back into X.txt too. Where X.txt has an ASCII sign for a
typographic one (` for ‘ from a font's standard encoding), the extractor chose that sign for
both encodings: it stays, with a note. Every other disagreement stops the script, which says
where. Everything else of X.txt (line ends, banners, ASCII) stays as it is,
so X.utf8 encoded to code page 932 gives X.txt again.

    tools/make_utf8_expectations.py [tests/data] NAME...
"""

import os
import re
import subprocess
import sys
import unicodedata

BANNER = re.compile(r"\r\n-{70} Page \d+\r\n")
LINE_END = re.compile(r"\r\n|\r|\n")
PRESENTED = {unicodedata.normalize("NFKC", chr(c))
             for c in list(range(0xFE10, 0xFE1A)) + list(range(0xFE30, 0xFE50))} - {" "}


def in_cp932(c):
    try:
        c.encode("cp932")
        return True
    except UnicodeEncodeError:
        return False


def reference(pdf):
    given = pdf[:-4] + ".given"
    if os.path.exists(given):
        with open(given, encoding="utf-8") as f:
            return f.read()
    return subprocess.run(["pdftotext", "-enc", "UTF-8", pdf, "-"], check=True,
                          capture_output=True, text=True).stdout


def text_positions(text):
    """The indices of the characters of text that are neither line ends nor page banners."""
    hidden = set()
    for pattern in (BANNER, LINE_END):
        for match in pattern.finditer(text):
            hidden.update(range(match.start(), match.end()))
    return [i for i in range(len(text)) if i not in hidden]


def restore(shift_jis, given):
    """X.utf8 and X.txt from X.txt's text and the reference; raises where they disagree."""
    utf8, txt = list(shift_jis), list(shift_jis)
    positions = text_positions(shift_jis)
    wanted = LINE_END.sub("", given.replace("\f", ""))
    if len(positions) != len(wanted):
        raise ValueError("%d characters, the reference %d" % (len(positions), len(wanted)))
    for i, want in zip(positions, wanted):
        have = shift_jis[i]
        if have == want:
            continue
        if have == " " and not in_cp932(want):
            utf8[i] = want
        elif have == " " and want in PRESENTED:
            utf8[i] = txt[i] = want
        elif " " < have < "\x7f" and not want.isascii():
            print("  kept %r where the reference has %r" % (have, want))
        else:
            raise ValueError("%r where the reference has %r, after %r"
                             % (have, want, shift_jis[max(0, i - 20):i]))
    return "".join(utf8), "".join(txt)


def main():
    args = sys.argv[1:]
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data")
    if args and os.path.isdir(args[0]):
        data = args.pop(0)
    for name in args:
        stem = os.path.join(data, name)
        with open(stem + ".txt", "rb") as f:
            shift_jis = f.read().decode("cp932")
        utf8, txt = restore(shift_jis, reference(stem + ".pdf"))
        if txt != shift_jis:
            with open(stem + ".txt", "wb") as f:
                f.write(txt.encode("cp932"))
            print("%s.txt: vertical forms written as the characters they present" % name)
        with open(stem + ".utf8", "wb") as f:
            f.write(utf8.encode("utf-8"))
        print("%s.utf8: %d characters put back" % (
            name, sum(a != b for a, b in zip(utf8, shift_jis))))


if __name__ == "__main__":
    main()
