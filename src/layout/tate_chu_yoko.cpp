#include "layout/tate_chu_yoko.h"

#include <algorithm>

namespace lumenquill {
namespace {

// A run across a column: at most this many glyphs, no wider than this share of the column's
// size (two or three half-width digits, condensed to fit).
constexpr uint32_t kMaxGlyphs = 4;
constexpr double kMaxWidth = 1.3;
// It fills a gap in its column, which may have split the column's line there: the line ending
// up to this many sizes before it still holds it.
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

}  // namespace

bool MoveTateChuYoko(PageUnits& units, const TextLines& horizontal, const TextLines& vertical) {
  if (vertical.lines.empty()) return false;
  std::vector<bool> moved(units.horizontal.size(), false);
  std::vector<LayoutUnit> added;
  for (const TextLine& line : horizontal.lines) {
    const uint32_t count = line.units_end - line.units_begin;
    if (count > kMaxGlyphs) continue;
    const double x = (line.along_begin + line.along_end) / 2;
    const double down = -(line.across_low + line.across_high) / 2;
    const uint32_t column_index = ColumnAt(vertical, x, down);
    if (column_index == kNoLine) continue;
    const TextLine& column = vertical.lines[column_index];
    if (line.along_end - line.along_begin > kMaxWidth * column.size) continue;
    // The run's height in the column, shared out among its glyphs in reading order.
    const double top = -line.across_high;
    const double step = (line.across_high - line.across_low) / count;
    for (uint32_t k = 0; k < count; ++k) {
      const uint32_t index = horizontal.units[line.units_begin + k];
      LayoutUnit unit = units.horizontal[index];
      unit.vertical = true;
      unit.along_begin = top + k * step;
      unit.along_end = unit.along_begin + step;
      unit.across_low = column.across_low;
      unit.across_high = column.across_high;
      unit.key = column.key;
      unit.size = column.size;
      added.push_back(unit);
      moved[index] = true;
    }
  }
  if (added.empty()) return false;
  const auto by_drawing = [](const LayoutUnit& a, const LayoutUnit& b) {
    return a.drawn < b.drawn;
  };
  std::sort(added.begin(), added.end(), by_drawing);
  std::vector<LayoutUnit> merged;
  merged.reserve(units.vertical.size() + added.size());
  std::merge(units.vertical.begin(), units.vertical.end(), added.begin(), added.end(),
             std::back_inserter(merged), by_drawing);
  units.vertical = std::move(merged);
  size_t kept = 0;
  for (size_t i = 0; i < units.horizontal.size(); ++i) {
    if (!moved[i]) units.horizontal[kept++] = units.horizontal[i];
  }
  units.horizontal.resize(kept);
  return true;
}

}  // namespace lumenquill
