#!/usr/bin/python3
"""Per file, the share of characters extractions give in the right order: 1 - edit distance /
length of the known text (tools/make_layout_data.py's X.known, ruby readings left out), both
without whitespace, at least 0. Prints a markdown table: file, group, each extractor (ours,
pdftotext, pdftotext -raw, mutool draw -F txt, and those added).

    tools/order_score.py [--lumenquill-info BIN] [--ours=OPTIONS ...] [--no-peers]
                         [--extractor LABEL=TEMPLATE ...] [PDF or folder ...]

e.g. tools/order_score.py --ours= --ours=--layout
"""

import os

import extraction_measures as measures


def order_score(known, extracted):
    if extracted is None:
        return "failed"
    a = [c for c, _ in measures.characters(known)]
    b = [c for c, _ in measures.characters(extracted)]
    distance, _ = measures.alignment(a, b)
    return "%.2f" % max(0.0, 1 - distance / len(a))


def main():
    args = measures.argument_parser(__doc__.split("\n\n")[0], list(measures.PEERS)).parse_args()
    chosen = measures.extractors(args)
    rows = []
    for pdf in measures.pdfs_with_known_text(args.paths):
        known = measures.known_text(pdf)
        rows.append([os.path.basename(pdf), measures.group(pdf)]
                    + [order_score(known, measures.extract(t, pdf)) for _, t in chosen])
    print(measures.markdown_table(["file", "group"] + [label for label, _ in chosen], rows))


if __name__ == "__main__":
    main()
