#!/usr/bin/python3
"""Generates the code tables of src/codes as C++ sources, and tests/data/jis0208.table, the
reference list the table tests check against.

Sources: the CID to Shift-JIS entries below; the JIS X 0208 character set and code page 932
as Python's shift_jis and cp932 codecs define them; Unicode's decompositions as Python's
unicodedata gives them; from Debian's poppler-data, the predefined CMaps 83pv-RKSJ-H and
90pv-RKSJ-H of the Adobe-Japan1 collection and its two CID to Unicode mappings, the CMap
Adobe-Japan1-UCS2 and the list cidToUnicode/Adobe-Japan1. The output is committed; the build
never runs this script. Rerunning it reproduces the committed files byte for byte.

    tools/make_code_tables.py
"""

import os
import re
import sys
import unicodedata

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
CMAP_DIR = "/usr/share/poppler/cMap/Adobe-Japan1"
CID_TO_UNICODE_LIST = "/usr/share/poppler/cidToUnicode/Adobe-Japan1"
ADOBE_JAPAN1_CIDS = 23060

# CID to Shift-JIS: "first-last:result" gives consecutive results from the first; a single
# CID has no range. These entries also choose the CID of each JIS X 0208 code. Every other CID
# gets the code page 932 code of its Unicode value, or 0x3F.
CID_TO_SJIS = (
    "0:20 1-95:20 231-324:20 326-389:A0 631:7E 633-695:8140 696-740:8180 741-748:81B8 "
    "749-755:81C8 756-770:81DA 771-778:81F0 779:81FC 780-789:824F 790-815:8260 816-841:8281 "
    "842-924:829F 925-987:8340 988-1010:8380 1011-1034:839F 1035-1058:83BF 1059-1091:8440 "
    "1092-1106:8470 1107-1124:8480 1125-1218:889F 1219-1281:8940 1282-1406:8980 1407-1469:8A40 "
    "1470-1594:8A80 1595-1657:8B40 1658-1782:8B80 1783-1845:8C40 1846-1970:8C80 1971-2033:8D40 "
    "2034-2158:8D80 2159-2221:8E40 2222-2346:8E80 2347-2409:8F40 2410-2534:8F80 2535-2597:9040 "
    "2598-2722:9080 2723-2785:9140 2786-2910:9180 2911-2973:9240 2974-3098:9280 3099-3161:9340 "
    "3162-3286:9380 3287-3349:9440 3350-3474:9480 3475-3537:9540 3538-3662:9580 3663-3725:9640 "
    "3726-3850:9680 3851-3913:9740 3914-4038:9780 4039-4089:9840 4090-4183:989F 4184-4246:9940 "
    "4247-4371:9980 4372-4434:9A40 4435-4559:9A80 4560-4622:9B40 4623-4747:9B80 4748-4810:9C40 "
    "4811-4935:9C80 4936-4998:9D40 4999-5123:9D80 5124-5186:9E40 5187-5311:9E80 5312-5374:9F40 "
    "5375-5499:9F80 5500-5562:E040 5563-5687:E080 5688-5750:E140 5751-5875:E180 5876-5938:E240 "
    "5939-6063:E280 6064-6126:E340 6127-6251:E380 6252-6314:E440 6315-6439:E480 6440-6502:E540 "
    "6503-6627:E580 6628-6690:E640 6691-6815:E680 6816-6878:E740 6879-7003:E780 7004-7066:E840 "
    "7067-7191:E880 7192-7254:E940 7255-7379:E980 7380-7442:EA40 7443-7477:EA80 7479:849F "
    "7480:84AA 7481:84A0 7482:84AB 7491:84A1 7494:84AC 7495:84A2 7498:84AD 7499:84A4 7502:84AF "
    "7503:84A3 7506:84AE 7507:84A5 7508:84BA 7511:84B5 7514:84B0 7515:84A7 7516:84BC 7519:84B7 "
    "7522:84B2 7523:84A6 7526:84B6 7527:84BB 7530:84B1 7531:84A8 7534:84B8 7535:84BD 7538:84B3 "
    "7539:84A9 7542:84B9 7545:84BE 7554:84B4 7555-7584:8740 7585-7586:875F 7588:8762 7590:8764 "
    "7592-7593:8766 7595-7596:8769 7598-7599:876C 7601-7607:876F 7608-7611:8780 7613-7623:8785 "
    "7624-7630:8793 7631-7632:879B 7887-7888:8141 7889-7890:8150 7891-7893:815B 7894-7898:8160 "
    "7899-7916:8169 7917:8181 7918:829F 7919:82A1 7920:82A3 7921:82A5 7922:82A7 7923:82C1 "
    "7924:82E1 7925:82E3 7926:82E5 7927:82EC 7928:8340 7929:8342 7930:8344 7931:8346 7932:8348 "
    "7933:8362 7934:8383 7935:8385 7936:8387 7937:838E 7938-7939:8395 7940-7941:875F 7943:8762 "
    "7945:8764 7947-7948:8766 7950-7951:8769 7953-7954:876C 7956-7957:8780 8005-8007:EEFA "
    "8038:8761 8040:8763 8042:8765 8043:876B 8044:8768 8047:876E 8055:8784 8092-8101:EEEF "
    "8268:8143 8270:81AC 8274:8144 8284-8285:EAA3 8323:877E 8329:8761 8338:8765 8339:8763 "
    "8344:8768 8348:876B 8349:876E 8359-8421:ED40 8422-8473:ED80 8474-8545:EDB5 8546-8608:EE40 "
    "8609-8717:EE80 ")

# One-byte rows shared by the 83pv and 90pv tables; the two-byte rows come from the CMaps.
RKSJ_ONE_BYTE_ROWS = [(0x00, 0x1F, 1), (0x20, 0x7E, 1), (0x80, 0x80, 97), (0xA0, 0xDF, 326),
                      (0xFD, 0xFD, 152), (0xFE, 0xFE, 228), (0xFF, 0xFF, 124)]

# One-byte rows of the EUC table besides its two-byte codes.
EUC_ONE_BYTE_ROWS = [(0x00, 0x1F, 231), (0x20, 0x7E, 231), (0x8EA0, 0x8EDF, 326)]

JIS_X_0208_CHARACTERS = 6879


def parse_cid_to_sjis():
    table = {}
    for entry in "".join(CID_TO_SJIS).split():
        cids, result = entry.split(":")
        first, _, last = cids.partition("-")
        first, last = int(first), int(last or first)
        for offset in range(last - first + 1):
            table[first + offset] = int(result, 16) + offset
    return table


def jis_to_sjis(code):
    row, cell = code >> 8, code & 0xFF
    lead = (row + 1) // 2 + (0x70 if row <= 0x5E else 0xB0)
    if row % 2:
        trail = cell + (0x1F if cell <= 0x5F else 0x20)
    else:
        trail = cell + 0x7E
    return lead << 8 | trail


def jis_x_0208_codes():
    """The JIS X 0208 codes, rows 1-8 and 16-84, that the shift_jis codec knows."""
    codes = []
    for row in list(range(0x21, 0x29)) + list(range(0x30, 0x75)):
        for cell in range(0x21, 0x7F):
            code = row << 8 | cell
            try:
                jis_to_sjis(code).to_bytes(2, "big").decode("shift_jis")
            except UnicodeDecodeError:
                continue
            codes.append(code)
    assert len(codes) == JIS_X_0208_CHARACTERS, len(codes)
    return codes


def make_jis_to_cid(cid_to_sjis):
    smallest_cid = {}
    for cid in sorted(cid_to_sjis):
        smallest_cid.setdefault(cid_to_sjis[cid], cid)
    return {code: smallest_cid[jis_to_sjis(code)] for code in jis_x_0208_codes()}


def make_euc_to_cid(jis_to_cid):
    table = {code + 0x8080: cid for code, cid in jis_to_cid.items()}
    for first, last, cid in EUC_ONE_BYTE_ROWS:
        for offset in range(last - first + 1):
            table[first + offset] = cid + offset
    return table


def read_cmap(name):
    """The two-byte code-to-CID mappings of a predefined CMap."""
    table = {}
    with open(os.path.join(CMAP_DIR, name), encoding="latin1") as cmap:
        text = cmap.read()
    for section in re.findall(r"begincidrange(.*?)endcidrange", text, re.S):
        for low, high, cid in re.findall(r"<(\w+)>\s*<(\w+)>\s*(\d+)", section):
            if len(low) == 4:
                for offset in range(int(high, 16) - int(low, 16) + 1):
                    table[int(low, 16) + offset] = int(cid) + offset
    for section in re.findall(r"begincidchar(.*?)endcidchar", text, re.S):
        for code, cid in re.findall(r"<(\w+)>\s*(\d+)", section):
            if len(code) == 4:
                table[int(code, 16)] = int(cid)
    return table


def make_rksj_to_cid(name):
    table = read_cmap(name)
    for first, last, cid in RKSJ_ONE_BYTE_ROWS:
        for offset in range(last - first + 1):
            table[first + offset] = cid + offset
    return table


# Characters of JIS X 0208 that mappings other than code page 932's give other code points,
# with their Shift-JIS code: Windows' best fit converts them.
JIS_X_0208_VARIANTS = {0x2014: 0x815C}  # EM DASH, as JIS X 0213 and Apple map 0x213D


def cp932_exact(unit):
    """The code page 932 code that converts back to the same unit, or None."""
    try:
        encoded = chr(unit).encode("cp932")
    except UnicodeEncodeError:
        return None
    if encoded.decode("cp932") != chr(unit):
        return None
    return int.from_bytes(encoded, "big")


def cp932_decode(code):
    """The character code page 932 decodes the code to (one byte when below 0x100), or None."""
    try:
        text = code.to_bytes(1 if code < 0x100 else 2, "big").decode("cp932")
    except UnicodeDecodeError:
        return None
    return ord(text) if len(text) == 1 else None


def make_cp932_to_unicode():
    """Every code of code page 932, one byte or lead x 256 + trail, to its character."""
    table = {}
    for code in range(0x10000):
        character = cp932_decode(code)
        if character is not None:
            table[code] = character
    return table


def vertical_forms():
    """The vertical presentation forms to the character each presents: its decomposition,
    which is NFKC's first step (NFKC goes on to turn the ellipses into full stops)."""
    table = {}
    for unit in list(range(0xFE10, 0xFE1A)) + list(range(0xFE30, 0xFE50)):
        decomposition = unicodedata.decomposition(chr(unit)).split()
        if len(decomposition) == 2:  # a tag and one character
            table[unit] = int(decomposition[1], 16)
    return table


def nfkc_character(code_point):
    """The one character NFKC folds the code point to, if it is another one."""
    folded = unicodedata.normalize("NFKC", chr(code_point))
    return ord(folded) if len(folded) == 1 and folded != chr(code_point) else None


def make_compatibility_forms():
    """The folds of fold_compatibility_forms, each as NFKC folds it: radicals and compatibility
    ideographs to the unified ideograph, full-width ASCII to ASCII, half-width katakana and
    their sound marks to the full-width forms (the combining marks U+3099 and U+309A)."""
    code_points = (list(range(0x2E80, 0x2F00)) + list(range(0x2F00, 0x2FE0)) +
                   list(range(0xF900, 0xFB00)) + list(range(0x2F800, 0x2FA20)) +
                   list(range(0xFF01, 0xFF5F)) + list(range(0xFF61, 0xFFA0)))
    table = {}
    for code_point in code_points:
        folded = nfkc_character(code_point)
        if folded is not None:
            table[code_point] = folded
    return table


def make_sound_mark_compositions(mark):
    """The kana that take the combining sound mark, to the kana with the mark, as NFC
    composes them."""
    table = {}
    for base in range(0x3040, 0x3100):
        composed = unicodedata.normalize("NFC", chr(base) + chr(mark))
        if len(composed) == 1:
            table[base] = ord(composed)
    return table


def unicode_value(hex_digits):
    """A CMap destination as one code point: a character, or a character and the variation
    selector that picks its glyph, which the character stands for; None for several."""
    text = bytes.fromhex(hex_digits).decode("utf-16-be")
    if len(text) == 2 and unicodedata.name(text[1], "").startswith("VARIATION SELECTOR"):
        text = text[0]
    return ord(text) if len(text) == 1 else None


def read_adobe_japan1_ucs2():
    """CID to code point by the CMap Adobe-Japan1-UCS2."""
    with open(os.path.join(CMAP_DIR, "Adobe-Japan1-UCS2"), encoding="latin1") as cmap:
        text = cmap.read()
    table = {}
    for section in re.findall(r"beginbfchar(.*?)endbfchar", text, re.S):
        for cid, value in re.findall(r"<(\w+)>\s*<(\w+)>", section):
            table[int(cid, 16)] = unicode_value(value)
    for section in re.findall(r"beginbfrange(.*?)endbfrange", text, re.S):
        for low, high, value in re.findall(r"<(\w+)>\s*<(\w+)>\s*<(\w+)>", section):
            for offset in range(int(high, 16) - int(low, 16) + 1):
                table[int(low, 16) + offset] = unicode_value(value) + offset
    return table


def read_cid_to_unicode_list():
    """CID to code point by poppler's list, one hexadecimal value a line from CID 0; where the
    CMap gives a glyph variant a code point outside code page 932 (a compatibility ideograph
    of plane 2, a radical), the list often gives the unified ideograph."""
    with open(CID_TO_UNICODE_LIST) as values:
        return dict(enumerate(int(line, 16) for line in values.read().split()))


def make_cid_to_sjis(fixed, unicode_to_cp932):
    """The fixed entries, and for every other CID of Adobe-Japan1 the code page 932 code of its
    Unicode value by the CMap, else by the list; a vertical form's value is its horizontal
    character, so it gets the horizontal code. Prints how many CIDs the values add."""
    sources = (read_adobe_japan1_ucs2(), read_cid_to_unicode_list())
    table = dict(fixed)
    for cid in range(ADOBE_JAPAN1_CIDS):
        for source in sources:
            code = unicode_to_cp932.get(source.get(cid))
            if code:  # 0 converts to nothing
                table.setdefault(cid, code)
                break
    by_unicode = len(table) - len(fixed)
    add_older_glyph_forms(table)
    assert table.items() >= fixed.items()
    print("CID to Shift-JIS: %d CIDs by their Unicode value, %d as older glyph forms"
          % (by_unicode, len(table) - len(fixed) - by_unicode))
    return table


def make_cid_to_unicode(cid_to_sjis, cp932_to_unicode):
    """Every CID of Adobe-Japan1 to its character: for a CID that CIDToSJIS gives a code, the
    character code page 932 decodes that code to, so that Shift-JIS and Unicode output of the
    same text agree; for every other CID the character of the list, else of the CMap, a
    vertical form taken as the character it presents. Prints how many CIDs each source gives."""
    listed, by_cmap = read_cid_to_unicode_list(), read_adobe_japan1_ucs2()
    presented = vertical_forms()
    table, counts = {}, {"code page 932": 0, "the list": 0, "the CMap": 0}
    for cid in range(ADOBE_JAPAN1_CIDS):
        value = cp932_to_unicode.get(cid_to_sjis.get(cid))
        for source, candidate in (("code page 932", value), ("the list", listed.get(cid)),
                                  ("the CMap", by_cmap.get(cid))):
            if candidate:  # the list gives 0 for a CID it does not know
                table[cid] = presented.get(candidate, candidate)
                counts[source] += 1
                break
    print("CID to Unicode: " + ", ".join("%d CIDs by %s" % (count, source)
                                         for source, count in counts.items()))
    return table


def add_older_glyph_forms(table):
    """The CIDs that the JIS78 and vendor CMaps give a JIS X 0208 code for, whose Unicode value
    is a form code page 932 lacks (the JIS78 glyph of 唖 is U+555E 啞): the code of the
    character H gives the same JIS code, the character that code stood for."""
    jis_to_cid = read_cmap("H")
    codes = set(jis_x_0208_codes())
    for name in ("78-H", "Add-H", "Ext-H", "NWP-H"):
        for code, cid in sorted(read_cmap(name).items()):
            if code in codes and cid not in table and jis_to_cid.get(code) in table:
                table[cid] = table[jis_to_cid[code]]


def make_unicode_to_cp932():
    """Every UCS-2 unit that code page 932 converts exactly, with Windows' default best fit for
    the JIS X 0208 characters it maps elsewhere, Kangxi radicals and compatibility ideographs
    through the unified ideograph they stand for, vertical presentation forms through the
    character they present; U+0000 and the variation selectors convert
    to nothing (value 0). Prints each pair it adds to the exact mapping."""
    table = {}
    for unit in range(0x10000):
        if not 0xD800 <= unit <= 0xDFFF:
            code = cp932_exact(unit)
            if code is not None:
                table[unit] = code
    added = []
    for code in jis_x_0208_codes():
        sjis = jis_to_sjis(code)
        character = sjis.to_bytes(2, "big").decode("shift_jis")
        if ord(character) not in table:
            added.append((ord(character), sjis, "JIS X 0208 character"))
    for unit, sjis in JIS_X_0208_VARIANTS.items():
        added.append((unit, sjis, "JIS X 0208 character"))
    for unit in list(range(0x2F00, 0x2FD6)) + list(range(0xF900, 0xFB00)):
        if unit in table:
            continue
        unified = unicodedata.normalize("NFKC", chr(unit))
        if len(unified) == 1 and ord(unified) in table:
            added.append((unit, table[ord(unified)], "U+%04X" % ord(unified)))
    for unit, code, reason in added:
        table[unit] = code
        print("best fit U+%04X -> %04X (%s)" % (unit, code, reason))
    for unit, presented in vertical_forms().items():
        if presented in table:
            table[unit] = table[presented]
            print("best fit U+%04X -> %04X (vertical form of U+%04X)"
                  % (unit, table[unit], presented))
    for unit in range(0xFE00, 0xFE10):
        table[unit] = 0
        print("best fit U+%04X -> nothing (variation selector)" % unit)
    table[0] = 0
    return table


def ranges(table):
    """The table as (first, last, result) runs of consecutive inputs and results."""
    runs = []
    for key in sorted(table):
        value = table[key]
        if runs and runs[-1][1] == key - 1 and runs[-1][2] + key - runs[-1][0] == value:
            runs[-1][1] = key
        else:
            runs.append([key, key, value])
    return runs


def array_lines(name, table):
    """The table as a generated array of CodeRange, or of WideCodeRange when an input or a
    result is beyond 16 bits, with its count."""
    runs = ranges(table)
    wide = any(last > 0xFFFF or result + last - first > 0xFFFF for first, last, result in runs)
    identifier = "k" + "".join(part.capitalize() for part in name.split("_"))
    lines = ["extern const %s %s[] = {" % ("WideCodeRange" if wide else "CodeRange", identifier)]
    entry = "{0x%05X, 0x%05X, 0x%05X}," if wide else "{0x%04X, 0x%04X, 0x%04X},"
    row = []
    for first, last, result in runs:
        row.append(entry % (first, last, result))
        if len(row) == 3:  # as clang-format lays them out, one width for all
            lines.append("    " + " ".join(row))
            row = []
    if row:
        lines.append("    " + " ".join(row))
    return lines + ["};", "extern const int %sCount = %d;" % (identifier, len(runs))]


def write_tables(name, description, tables):
    """Writes src/codes/tables/<name>.cpp with the tables, (array name, table) pairs."""
    path = os.path.join(ROOT, "src", "codes", "tables", name + ".cpp")
    lines = ["// Generated by tools/make_code_tables.py; do not edit.",
             "// " + description, "",
             '#include "codes/code_range.h"', "",
             "namespace lumenquill {", ""]
    for array_name, table in tables:
        lines += array_lines(array_name, table) + [""]
    lines += ["}  // namespace lumenquill", ""]
    with open(path, "w") as out:
        out.write("\n".join(lines))


def write_table(name, description, table):
    write_tables(name, description, [(name, table)])


def write_jis_reference(jis_to_cid):
    path = os.path.join(ROOT, "tests", "data", "jis0208.table")
    with open(path, "w") as out:
        out.write("# JIS X 0208 code, Shift-JIS code, Unicode from code page 932, CID\n")
        for code in jis_x_0208_codes():
            sjis = jis_to_sjis(code)
            unicode = ord(sjis.to_bytes(2, "big").decode("cp932"))
            out.write("%04X %04X %04X %d\n" % (code, sjis, unicode, jis_to_cid[code]))


def main():
    os.makedirs(os.path.join(ROOT, "src", "codes", "tables"), exist_ok=True)
    fixed_cid_to_sjis = parse_cid_to_sjis()
    jis_to_cid = make_jis_to_cid(fixed_cid_to_sjis)
    unicode_to_cp932 = make_unicode_to_cp932()
    cid_to_sjis = make_cid_to_sjis(fixed_cid_to_sjis, unicode_to_cp932)
    write_table("cid_to_sjis", "CID to Shift-JIS code.", cid_to_sjis)
    cp932_to_unicode = make_cp932_to_unicode()
    write_table("cp932_to_unicode",
                "Code page 932 code (one byte, or lead x 256 + trail) to Unicode, as Windows "
                "decodes it.", cp932_to_unicode)
    cid_to_unicode = make_cid_to_unicode(cid_to_sjis, cp932_to_unicode)
    write_tables("cid_to_unicode", "CID to Unicode, in and beyond the Basic Multilingual Plane.",
                 [("cid_to_unicode", {cid: value for cid, value in cid_to_unicode.items()
                                      if value <= 0xFFFF}),
                  ("cid_to_unicode_beyond_bmp",
                   {cid: value for cid, value in cid_to_unicode.items() if value > 0xFFFF})])
    write_table("vertical_forms", "Vertical presentation form to the character it presents.",
                vertical_forms())
    write_table("compatibility_forms",
                "Compatibility form to the character NFKC folds it to.",
                make_compatibility_forms())
    write_tables("sound_mark_compositions",
                 "Kana followed by a combining voiced or semi-voiced sound mark, to the kana "
                 "with the mark.",
                 [("voiced_kana", make_sound_mark_compositions(0x3099)),
                  ("semi_voiced_kana", make_sound_mark_compositions(0x309A))])
    write_table("jis_to_cid", "JIS X 0208 code to the smallest CID of its Shift-JIS code.",
                jis_to_cid)
    write_table("euc_to_cid", "EUC-JP code to CID.", make_euc_to_cid(jis_to_cid))
    write_table("rksj83pv_to_cid", "83pv-RKSJ code to CID (Adobe-Japan1 83pv-RKSJ-H).",
                make_rksj_to_cid("83pv-RKSJ-H"))
    write_table("rksj90pv_to_cid", "90pv-RKSJ code to CID (Adobe-Japan1 90pv-RKSJ-H).",
                make_rksj_to_cid("90pv-RKSJ-H"))
    write_table("unicode_to_cp932",
                "UCS-2 unit to code page 932 (0: converts to nothing), with best fit.",
                unicode_to_cp932)
    write_jis_reference(jis_to_cid)


if __name__ == "__main__":
    sys.exit(main())
