#!/usr/bin/python3
"""Generates src/codes/tables/adobe_japan1_cmaps.h, the code to CID mappings of the predefined
CMaps of the Adobe-Japan1 collection that src/codes/predefined_cmaps.cpp converts, and
tests/data/adobe_japan1_cmaps.list, the name of every CMap of that collection that maps codes
to CIDs, which the label tests check for a converter.

Source: Debian's poppler-data, /usr/share/poppler/cMap/Adobe-Japan1. A CMap whose usecmap
names another generated CMap keeps its own mappings over that one's; any other usecmap is
resolved here. The output is committed; the build never runs this script. Rerunning it
reproduces the committed files byte for byte.

    tools/make_predefined_cmaps.py
"""

import os
import re
import sys

from make_code_tables import ranges

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
CMAP_DIR = "/usr/share/poppler/cMap/Adobe-Japan1"

# The CMaps converted through the generated tables. The other Japan1 CMaps have their own
# conversions: Identity, the JIS X 0208 ones (H, V, EUC), the Shift-JIS copies, 83pv and 90pv
# (horizontal) and the Unicode families.
CMAPS = ["78-H", "78-V", "78-EUC-H", "78-EUC-V", "78-RKSJ-H", "78-RKSJ-V", "Add-H", "Add-V",
         "Ext-H", "Ext-V", "NWP-H", "NWP-V", "RKSJ-H", "RKSJ-V", "90pv-RKSJ-V", "Hankaku",
         "Hiragana", "Katakana", "Roman", "WP-Symbol"] + ["Adobe-Japan1-%d" % supplement
                                                          for supplement in range(8)]


def ordering(text):
    """The character collection a CMap maps its codes to: its CIDSystemInfo's Ordering."""
    found = re.search(r"/Ordering\s+\((\w+)\)", text)
    return found.group(1) if found else None


class CMap:
    def __init__(self, name):
        with open(os.path.join(CMAP_DIR, name), encoding="latin1") as source:
            text = re.sub(r"%[^\n]*", "", source.read())
        used = re.search(r"/([\w-]+)\s+usecmap", text)
        self.base = used.group(1) if used else None
        self.ordering = ordering(text)
        self.lead_bytes = set()
        for low, high in self.entries(text, "codespacerange", r"<(\w+)>\s*<(\w+)>"):
            if len(low) == 4:
                self.lead_bytes.update(range(int(low[:2], 16), int(high[:2], 16) + 1))
        # Mappings by code length in bytes: code to CID.
        self.codes = {1: {}, 2: {}}
        self.notdef = {}
        for low, high, cid in self.entries(text, "cidrange", r"<(\w+)>\s*<(\w+)>\s*(\d+)"):
            for offset in range(int(high, 16) - int(low, 16) + 1):
                self.codes[len(low) // 2][int(low, 16) + offset] = int(cid) + offset
        for code, cid in self.entries(text, "cidchar", r"<(\w+)>\s*(\d+)"):
            self.codes[len(code) // 2][int(code, 16)] = int(cid)
        for low, high, cid in self.entries(text, "notdefrange", r"<(\w+)>\s*<(\w+)>\s*(\d+)"):
            assert len(low) == 2, "%s: a two-byte notdef range" % name
            for code in range(int(low, 16), int(high, 16) + 1):
                self.notdef[code] = int(cid)

    @staticmethod
    def entries(text, kind, pattern):
        for section in re.findall(r"begin%s(.*?)end%s" % (kind, kind), text, re.S):
            yield from re.findall(pattern, section)

    def resolved_over(self, base):
        """This CMap's mappings over those of its base, whose code space it takes if it has
        none of its own."""
        self.lead_bytes = self.lead_bytes or base.lead_bytes
        for length in (1, 2):
            self.codes[length] = {**base.codes[length], **self.codes[length]}
        self.notdef = {**base.notdef, **self.notdef}


def read_cmap(name, generated):
    """The CMap. A usecmap that names one of generated stays a reference, whose mappings the
    converter lays down first; any other is resolved here."""
    cmap = CMap(name)
    if cmap.base:
        base = read_cmap(cmap.base, ())
        if cmap.base in generated:
            assert not cmap.notdef, "%s: notdef ranges over a base" % name
            cmap.lead_bytes = cmap.lead_bytes or base.lead_bytes
        else:
            cmap.resolved_over(base)
            cmap.base = None
    return cmap


def constant_ranges(table):
    """The table as (first, last, result) runs of consecutive inputs with one result."""
    runs = []
    for key in sorted(table):
        if runs and runs[-1][1] == key - 1 and runs[-1][2] == table[key]:
            runs[-1][1] = key
        else:
            runs.append([key, key, table[key]])
    return runs


def identifier(name):
    return "k" + "".join(part.capitalize() for part in re.split(r"[-_]", name))


def array_lines(name, runs):
    """A constexpr CodeRange array laid out as clang-format does: three entries a line, but one
    a line when there are two."""
    lines = ["inline constexpr CodeRange %s[] = {" % name]
    per_line = 1 if len(runs) == 2 else 3
    row = []
    for first, last, result in runs:
        row.append("{0x%04X, 0x%04X, 0x%04X}," % (first, last, result))
        if len(row) == per_line:
            lines.append("    " + " ".join(row))
            row = []
    if row:
        lines.append("    " + " ".join(row))
    return lines + ["};", ""]


def write_tables(cmaps):
    lines = ["// Generated by tools/make_predefined_cmaps.py; do not edit.",
             "// The predefined CMaps of Adobe-Japan1 that map codes to CIDs, from poppler-data.",
             "// Included by src/codes/predefined_cmaps.cpp alone.", "",
             "#pragma once", "",
             '#include "codes/cmap_table.h"', '#include "codes/code_range.h"', "",
             "namespace lumenquill {", ""]
    code_spaces = {}  # lead bytes to the name of their array
    entries = []
    for name, cmap in cmaps.items():
        leads = tuple(sorted(cmap.lead_bytes))
        if leads and leads not in code_spaces:
            code_spaces[leads] = identifier(name) + "Leads"
            lines += array_lines(code_spaces[leads],
                                 constant_ranges({lead: 2 for lead in leads}))
        fields = ['"%s"' % name, str(list(cmaps).index(cmap.base)) if cmap.base else "-1",
                  code_spaces.get(leads, "{}")]
        for suffix, table, make_runs in (("Notdef", cmap.notdef, constant_ranges),
                                         ("OneByte", cmap.codes[1], ranges),
                                         ("TwoByte", cmap.codes[2], ranges)):
            if table:
                lines += array_lines(identifier(name) + suffix, make_runs(table))
                fields.append(identifier(name) + suffix)
            else:
                fields.append("{}")
        entries.append("    {%s}," % ", ".join(fields))
    lines += ["inline constexpr CMapTable kAdobeJapan1CMaps[] = {"] + entries + ["};", "",
              "}  // namespace lumenquill", ""]
    with open(os.path.join(ROOT, "src", "codes", "tables", "adobe_japan1_cmaps.h"), "w") as out:
        out.write("\n".join(lines))


def write_label_list():
    names = []
    for name in sorted(os.listdir(CMAP_DIR)):
        with open(os.path.join(CMAP_DIR, name), encoding="latin1") as source:
            if ordering(source.read()) == "Japan1":
                names.append(name)
    with open(os.path.join(ROOT, "tests", "data", "adobe_japan1_cmaps.list"), "w") as out:
        out.write("# Every CMap of poppler-data's Adobe-Japan1 folder that maps codes to "
                  "Adobe-Japan1 CIDs\n")
        out.write("".join(name + "\n" for name in names))


def main():
    cmaps = {name: read_cmap(name, CMAPS[:CMAPS.index(name)]) for name in CMAPS}
    for name, cmap in cmaps.items():
        assert cmap.ordering == "Japan1", name
        print("%s: %d one-byte, %d two-byte codes%s" % (
            name, len(cmap.codes[1]), len(cmap.codes[2]),
            " over " + cmap.base if cmap.base else ""))
    write_tables(cmaps)
    write_label_list()


if __name__ == "__main__":
    sys.exit(main())
