#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/placed_page.h"

namespace lumenquill {

// One glyph (or a short horizontal run set inside a vertical column) in the frame of its
// writing direction, so that one set of rules reads horizontal lines and vertical columns:
// "along" runs in reading order (x for lines, downward for columns), "across" grows toward the
// line read before (up for lines, right for columns).
struct LayoutUnit {
  double along_begin = 0;
  double along_end = 0;
  double across_low = 0;
  double across_high = 0;
  // Where the unit's line stands across: the baseline of a horizontal glyph, the centre of a
  // vertical one.
  double key = 0;
  double size = 0;
  uint32_t text_begin = 0;  // into the page's text
  uint32_t text_end = 0;
  uint32_t drawn = 0;  // the glyph's index in the page: the drawing order
  bool vertical = false;
  bool japanese_first = false;  // the first and last characters are Japanese
  bool japanese_last = false;
};

// The units of a page, split by writing direction, each list in drawing order. Glyphs with a
// coordinate or size that is not finite, text outside the page's text, or only white space
// (which counts as a gap between its neighbours) make no unit.
struct PageUnits {
  std::vector<LayoutUnit> horizontal;
  std::vector<LayoutUnit> vertical;
};
void MakeLayoutUnits(const PlacedPage& page, PageUnits& units);

// Buffers kept from page to page for speed give their memory back after a page of more glyphs
// than this, so that one hostile page does not hold it for the rest of the run.
inline constexpr size_t kKeptBufferSize = size_t{1} << 16;
template <typename T>
void ReleaseIfHuge(std::vector<T>& buffer) {
  if (buffer.capacity() > kKeptBufferSize) std::vector<T>().swap(buffer);
}

// Whether an extracted-text character is Japanese: kana, ideographs, full-width forms and CJK
// punctuation, including the code page 932 and Adobe-Japan1 marks that stand for them.
bool IsJapaneseCharacter(char32_t c);

}  // namespace lumenquill
