#include "layout/tate_chu_yoko.h"

#include <algorithm>
#include <cmath>

namespace lumenquill {
namespace {

// A run across a column: at most this many glyphs, no wider than this share of the column's
// size (two or three half-width digits, condensed to fit).
constexpr size_t kMaxGlyphs = 4;
constexpr double kMaxWidth = 1.3;
// Glyphs drawn one after the other make a run when their baselines agree within this share of
// the size and each starts within this share past the last's end (a run that goes on past the
// column is a horizontal line crossing it, and stays).
constexpr double kRunBaseline = 0.15;
constexpr double kRunGap = 0.5;
// The run fills a gap in its column, which may have split the column's line there, or stands
// at its top: the column's line within this many sizes of it holds it.
constexpr double kGapInColumn = 1.5;

// The vertical line holding the point (x, down = -y), or kNoLine.
uint32_t ColumnAt(const TextLines& vertical, double x, double down) {
  const size_t left = FirstBandAtOrBelow(vertical, x);
  // The column's centre is at the point or to either side of it.
  for (size_t band = left == 0 ? 0 : left - 1; band < vertical.band_keys.size() && band <= left + 1;
       ++band) {
    const uint32_t column = LineOfBandAt(vertical, band, down, kGapInColumn);
    if (column == kNoLine) continue;
    const TextLine& line = vertical.lines[column];
    if (line.across_low <= x && x <= line.across_high) return column;
  }
  return kNoLine;
}

bool ContinuesRun(const LayoutUnit& last, const LayoutUnit& next) {
  const double s = std::max(last.size, next.size);
  return std::abs(next.key - last.key) <= kRunBaseline * s &&
         next.along_begin >= last.along_end - kRunGap * s &&
         next.along_begin <= last.along_end + kRunGap * s;
}

}  // namespace

bool MoveTateChuYoko(PageUnits& units, const TextLines& vertical) {
  if (vertical.lines.empty()) return false;
  std::vector<LayoutUnit>& horizontal = units.horizontal;
  std::vector<bool> moved(horizontal.size(), false);
  std::vector<LayoutUnit> added;
  for (size_t begin = 0, end = 0; begin < horizontal.size(); begin = end) {
    end = begin + 1;
    while (end < horizontal.size() && ContinuesRun(horizontal[end - 1], horizontal[end])) ++end;
    if (end - begin > kMaxGlyphs) continue;
    double left = horizontal[begin].along_begin, right = horizontal[begin].along_end;
    double low = horizontal[begin].across_low, high = horizontal[begin].across_high;
    for (size_t k = begin + 1; k < end; ++k) {
      left = std::min(left, horizontal[k].along_begin);
      right = std::max(right, horizontal[k].along_end);
      low = std::min(low, horizontal[k].across_low);
      high = std::max(high, horizontal[k].across_high);
    }
    const uint32_t column_index = ColumnAt(vertical, (left + right) / 2, -(low + high) / 2);
    if (column_index == kNoLine) continue;
    const TextLine& column = vertical.lines[column_index];
    if (right - left > kMaxWidth * column.size) continue;
    // The run's height in the column, shared out among its glyphs in reading order.
    const double step = (high - low) / static_cast<double>(end - begin);
    for (size_t k = begin; k < end; ++k) {
      LayoutUnit unit = horizontal[k];
      unit.vertical = true;
      unit.along_begin = -high + static_cast<double>(k - begin) * step;
      unit.along_end = unit.along_begin + step;
      unit.across_low = column.across_low;
      unit.across_high = column.across_high;
      unit.key = column.key;
      unit.size = column.size;
      added.push_back(unit);
      moved[k] = true;
    }
  }
  if (added.empty()) return false;
  const auto by_drawing = [](const LayoutUnit& a, const LayoutUnit& b) {
    return a.drawn < b.drawn;
  };
  std::vector<LayoutUnit> merged;
  merged.reserve(units.vertical.size() + added.size());
  std::merge(units.vertical.begin(), units.vertical.end(), added.begin(), added.end(),
             std::back_inserter(merged), by_drawing);
  units.vertical = std::move(merged);
  size_t kept = 0;
  for (size_t i = 0; i < horizontal.size(); ++i) {
    if (!moved[i]) horizontal[kept++] = horizontal[i];
  }
  horizontal.resize(kept);
  return true;
}

}  // namespace lumenquill
