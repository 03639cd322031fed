#pragma once

#include <cstdint>
#include <vector>

#include "layout/layout_units.h"

namespace lumenquill {

// A line of horizontal text or a column of vertical text: units on one baseline (or centre
// line) with no wide gap between them, in the frame of layout_units.h.
struct TextLine {
  uint32_t units_begin = 0;  // its units in TextLines::units, in reading order
  uint32_t units_end = 0;
  double along_begin = 0;
  double along_end = 0;
  double across_low = 0;
  double across_high = 0;
  double key = 0;          // of its largest glyphs: superscripts and subscripts do not move it
  double size = 0;         // of its largest glyphs
  bool reordered = false;  // its units came out of along order and were sorted
};

// The lines of one writing direction, in bands of one baseline each: the bands from the first
// line read (top, or right) to the last, the lines of a band in reading order.
struct TextLines {
  std::vector<uint32_t> units;  // indices of the units, line after line
  std::vector<TextLine> lines;
  std::vector<uint32_t> band_starts;  // the first line of each band, then lines.size()
  std::vector<double> band_keys;      // the key of each band's first run: decreasing
};

inline constexpr uint32_t kNoLine = UINT32_MAX;

// The first band whose key is at most key (band_keys.size() when none is).
size_t FirstBandAtOrBelow(const TextLines& lines, double key);
// The line of the band whose along range, widened at each end by slack times the line's size,
// holds the point; kNoLine when none does.
uint32_t LineOfBandAt(const TextLines& lines, size_t band, double along, double slack = 0);

// Groups units (one writing direction, in drawing order) into lines, replacing what lines held
// (their buffers are reused). O(n log n).
void BuildTextLines(const std::vector<LayoutUnit>& units, TextLines& lines);

// A glyph drawn right after another continues its run when it starts no further than this
// share of the larger size past the other's end (word spaces are up to about half a size,
// letter spacing less) and overlaps it by no more than this (kerning; an overprinted copy
// starts a run of its own).
inline constexpr double kRunMaxGap = 1.0;
inline constexpr double kRunMaxOverlap = 0.5;

// The distance test of a run: whether a unit that starts at next_begin may continue a run whose
// last unit ends at last_end, for the larger size of the run and the unit. For a unit of the
// size and key of the unit before it, tested at that size, it holds for whatever run that unit
// is in: a run of larger glyphs allows more, and the key test passes as it passed before.
inline bool ContinuesEveryRun(double last_end, double next_begin, double size) {
  return !(next_begin > last_end + kRunMaxGap * size ||
           next_begin < last_end - kRunMaxOverlap * size);
}

}  // namespace lumenquill
