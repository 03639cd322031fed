#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "codes/single_byte_codes.h"
#include "reader/object_resolver.h"
#include "reader/pdf_value.h"

namespace lumenquill {

// CIDs from first to last share one value.
struct CIDRange {
  uint32_t first;
  uint32_t last;
  float value;
};

// The advances of a font's glyphs, in text-space units (the font size is one unit): for a
// simple font by code, for a CID font by CID, across (width) and, for vertical writing, down
// (the vertical displacement, negative as it moves the pen down).
struct FontWidths {
  // A simple font's width of each code.
  std::array<float, 256> by_code{};
  // A CID font's /DW and /W.
  float default_width = 1.0F;
  std::vector<CIDRange> widths;  // sorted by first CID
  // A CID font's vertical displacement: /DW2's and /W2's w1y.
  float default_vertical = -1.0F;
  std::vector<CIDRange> verticals;  // sorted by first CID

  float Width(uint32_t cid) const { return Find(widths, cid, default_width); }
  float Vertical(uint32_t cid) const { return Find(verticals, cid, default_vertical); }

  // The most ranges kept from one /W or /W2 array: a CID collection has at most 65,536 CIDs,
  // and an array of millions of entries must not make a table of millions.
  static constexpr size_t kMaxRanges = size_t{1} << 16;

 private:
  static float Find(const std::vector<CIDRange>& ranges, uint32_t cid, float fallback);
};

// What a font dictionary says of its widths, gathered as the font decoder meets the entries
// (unresolved: references are followed when the widths are made).
struct WidthEntries {
  std::optional<PdfValue> first_char;     // simple font
  std::optional<PdfValue> widths;         // simple font
  std::optional<PdfValue> font_matrix;    // Type3
  std::optional<PdfValue> missing_width;  // the descriptor's
  std::optional<PdfValue> dw;             // the descendant CIDFont's
  std::optional<PdfValue> w;
  std::optional<PdfValue> dw2;
  std::optional<PdfValue> w2;
};

// The widths of a finished font (subtype and cleaned name set; codes set for a simple font).
// A simple font without /Widths takes the standard widths of its name: 600 for Courier, the
// Helvetica and Times tables for ASCII (their average for other characters), and half the size
// for any other name.
std::shared_ptr<const FontWidths> MakeFontWidths(const WidthEntries& entries, bool composite,
                                                 bool type3, std::string_view font_name,
                                                 const CodeToUnicode* codes,
                                                 ObjectResolver& objects);

}  // namespace lumenquill
