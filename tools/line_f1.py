#!/usr/bin/python3
"""The line-break F1 of extractions against the known lines of tools/make_layout_data.py's
files, per file and per producer group (micro-averaged over the group's breaks).

The non-whitespace characters of an extraction are aligned with the known text's by edit
distance; between two successive matched characters the known text has a break when they are
on different lines, and so has the extraction: F1 of the extraction's breaks against the known
ones. "-" where neither has a break.

    tools/line_f1.py [--lumenquill-info BIN] [--ours=OPTIONS ...] [--no-peers]
                     [--extractor LABEL=TEMPLATE ...] [PDF or folder ...]

e.g. tools/line_f1.py --ours= --ours=--layout \\
        --extractor 'mutool=mutool draw -q -F txt -o {out} {pdf}'
"""

import os

import extraction_measures as measures


def break_counts(known, extracted):
    """[true, false, missed] breaks of the extraction against the known text (None when the
    extractor failed)."""
    if extracted is None:
        return None
    a, b = measures.characters(known), measures.characters(extracted)
    _, pairs = measures.alignment([c for c, _ in a], [c for c, _ in b])
    true = false = missed = 0
    for (i1, j1), (i2, j2) in zip(pairs, pairs[1:]):
        known_break, found_break = a[i1][1] != a[i2][1], b[j1][1] != b[j2][1]
        true += known_break and found_break
        false += found_break and not known_break
        missed += known_break and not found_break
    return [true, false, missed]


def f1(counts):
    if counts is None:
        return "failed"
    true, false, missed = counts
    return "%.2f" % (2 * true / (2 * true + false + missed)) if any(counts) else "-"


def main():
    args = measures.argument_parser(__doc__.split("\n\n")[0], ["pdftotext"]).parse_args()
    chosen = measures.extractors(args)
    files, groups = [], {}
    for pdf in measures.pdfs_with_known_text(args.paths):
        known = measures.known_text(pdf)
        counts = [break_counts(known, measures.extract(t, pdf)) for _, t in chosen]
        files.append([os.path.basename(pdf), measures.group(pdf)] + [f1(c) for c in counts])
        totals = groups.setdefault(measures.group(pdf), [[0, 0, 0] for _ in chosen])
        for index, c in enumerate(counts):
            if totals[index] is not None:
                totals[index] = c and [x + y for x, y in zip(totals[index], c)]
    labels = [label for label, _ in chosen]
    print(measures.markdown_table(["file", "group"] + labels, files) + "\n")
    print(measures.markdown_table(["group"] + labels,
                                  [[g] + [f1(t) for t in totals] for g, totals in groups.items()]))


if __name__ == "__main__":
    main()
