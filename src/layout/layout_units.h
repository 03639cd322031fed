#pragma once

#include <algorithm>
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
// A unit may also be several horizontal glyphs joined (see MakeLayoutUnits): glyphs of one size
// on one baseline, drawn one after the other, each starting and ending no earlier than the one
// before and continuing its run, their text in one piece where no word space stands between
// two and with one space character where one does. The lines read them as they would read the
// glyphs one by one, and they cost the lines one unit.
struct LayoutUnit {
  double along_begin = 0;  // of its first glyph, the least
  double along_end = 0;    // of its last glyph, the greatest
  double last_begin = 0;   // along_begin of its last glyph
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
// With join_glyphs, glyphs that always read together become one unit; false when the page has
// glyphs of another direction than horizontal, which are read one by one (units are then to be
// made again without joining).
bool MakeLayoutUnits(const PlacedPage& page, PageUnits& units, bool join_glyphs);

// Replaces each horizontal unit marked in split (by its index in units) with a unit of each
// glyph it joined: for the lines that must place their glyphs one by one.
void SplitUnits(const PlacedPage& page, const std::vector<bool>& split,
                std::vector<LayoutUnit>& units);

// Two glyphs of a line further apart than this share of the larger one's size have a word
// space between them. Latin word spaces are a quarter to a third of the size and justification
// squeezes them to a fifth; kerning and letter spacing stay below a tenth.
inline constexpr double kWordSpace = 0.15;
// Between a Japanese character and a Latin one: wider, as producers set a fifth of the size
// there where the source has no space (LibreOffice's spacing of Asian and other text), and a
// space glyph is at least a quarter. Between two Japanese characters never.
inline constexpr double kMixedSpace = 0.25;

// Whether a word space stands between two glyphs read one after the other in a line, from the
// end of the one before and whether its text ends Japanese, the start of the one after and
// whether its text starts Japanese, and the larger size of the two.
inline bool NeedsWordSpace(double before_end, bool before_japanese, double after_begin,
                           bool after_japanese, double size) {
  if (before_japanese && after_japanese) return false;
  const double share = before_japanese || after_japanese ? kMixedSpace : kWordSpace;
  return after_begin - before_end > share * size;
}
inline bool NeedsWordSpace(const LayoutUnit& before, const LayoutUnit& after) {
  return NeedsWordSpace(before.along_end, before.japanese_last, after.along_begin,
                        after.japanese_first, std::max(before.size, after.size));
}

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
