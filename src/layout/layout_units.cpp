#include "layout/layout_units.h"

#include <algorithm>
#include <cmath>

#include "codes/code_tables.h"
#include "codes/extracted_text.h"

namespace lumenquill {
namespace {

// A glyph of no size still has a place; its size is taken as this, so that every threshold,
// a fraction of the size, stays a positive length.
constexpr double kSmallestSize = 1e-3;
// A horizontal glyph's body across its baseline, in units of its size: descenders below, the
// ascent above. Two glyphs' bodies touch when they share a line.
constexpr double kDescent = 0.2;
constexpr double kAscent = 0.8;
// An upright horizontal-font glyph stacked under the one drawn before it (as some producers
// set vertical text: one glyph at a time, each its size below the last) is vertical text.
// Steps in units of the size: Japanese ruby spreads over its base up to this ...
constexpr double kStackedStepMin = 0.75;
constexpr double kStackedJapaneseStepMax = 1.8;
// ... Latin letters stand upright in a column set solid; further apart they are horizontal
// lines of a letter each.
constexpr double kStackedStepMax = 1.3;
constexpr double kStackedShiftMax = 0.25;
// Stacked glyphs are of one size (ruby drawn right above its base character is not stacked).
constexpr double kStackedSizeRatio = 0.85;
// On a page mostly vertical, a Japanese glyph of a horizontal font with no horizontal
// neighbour in the drawing order (the next glyph on its baseline, starting within this share
// of the size after its end) is vertical too: a producer that stacks glyphs one by one also
// sets single ruby kana and the glyph between two ruby that way.
constexpr double kNeighbourGap = 0.5;
constexpr double kNeighbourBaseline = 0.15;

bool IsSpace(char32_t c) {
  c = UnmarkedCharacter(c);
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0xA0 || c == 0x3000 ||
         (c >= 0x2000 && c <= 0x200B);
}

bool OnlySpace(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (!IsSpace(NextExtracted(text, i))) return false;
  }
  return true;
}

enum class Direction { kHorizontal, kVerticalFont, kRotatedDown, kStacked };

struct Candidate {
  const PlacedGlyph* glyph;
  uint32_t drawn;
  double size;
  Direction direction;
  bool japanese_first;
  bool japanese_last;
};

bool Finite(const PlacedGlyph& g) {
  return std::isfinite(g.x) && std::isfinite(g.y) && std::isfinite(g.advance_x) &&
         std::isfinite(g.advance_y) && std::isfinite(g.size);
}

LayoutUnit MakeUnit(const Candidate& candidate) {
  const PlacedGlyph& g = *candidate.glyph;
  const double s = candidate.size;
  const double x = g.x, y = g.y, ax = g.advance_x, ay = g.advance_y;
  LayoutUnit unit;
  unit.size = s;
  unit.text_begin = g.text_begin;
  unit.text_end = g.text_end;
  unit.drawn = candidate.drawn;
  unit.japanese_first = candidate.japanese_first;
  unit.japanese_last = candidate.japanese_last;
  switch (candidate.direction) {
    case Direction::kHorizontal:
      unit.along_begin = std::min(x, x + ax);
      unit.along_end = std::max(x, x + ax);
      unit.across_low = y - kDescent * s;
      unit.across_high = y + kAscent * s;
      unit.key = y;
      return unit;
    case Direction::kVerticalFont:
      // The origin is the glyph's top centre; a font without vertical metrics advances by
      // its size.
      unit.along_begin = -y;
      unit.along_end = -y + (ay < 0 ? -ay : s);
      unit.across_low = x - s / 2;
      unit.across_high = x + s / 2;
      break;
    case Direction::kRotatedDown:
      // Turned clockwise: the glyph's up points right, its baseline runs down from the origin.
      unit.along_begin = -y;
      unit.along_end = -y - ay;
      unit.across_low = x - kDescent * s;
      unit.across_high = x + kAscent * s;
      break;
    case Direction::kStacked: {
      const double width = ax > 0 ? ax : s;
      unit.along_begin = -(y + kAscent * s);
      unit.along_end = -(y - kDescent * s);
      unit.across_low = x;
      unit.across_high = x + width;
      break;
    }
  }
  unit.vertical = true;
  unit.key = (unit.across_low + unit.across_high) / 2;
  return unit;
}

bool StackedUnder(const Candidate& above, const Candidate& below) {
  if (above.direction != Direction::kHorizontal && above.direction != Direction::kStacked)
    return false;
  if (below.direction != Direction::kHorizontal) return false;
  const bool japanese = above.japanese_last && below.japanese_first;
  const double s = std::max(above.size, below.size);
  if (std::min(above.size, below.size) < kStackedSizeRatio * s) return false;
  const double step = static_cast<double>(above.glyph->y) - below.glyph->y;
  const double shift = std::abs(static_cast<double>(below.glyph->x) - above.glyph->x);
  return shift <= kStackedShiftMax * s && step >= kStackedStepMin * s &&
         step <= (japanese ? kStackedJapaneseStepMax : kStackedStepMax) * s;
}

bool HorizontalNeighbours(const Candidate& before, const Candidate& after) {
  if (before.direction != Direction::kHorizontal || after.direction != Direction::kHorizontal)
    return false;
  const double s = std::max(before.size, after.size);
  const double end = static_cast<double>(before.glyph->x) + before.glyph->advance_x;
  return std::abs(static_cast<double>(after.glyph->y) - before.glyph->y) <=
             kNeighbourBaseline * s &&
         std::abs(after.glyph->x - end) <= kNeighbourGap * s;
}

// Marks the Japanese horizontal glyphs without a horizontal neighbour as stacked.
void StackLoneJapanese(std::vector<Candidate>& candidates) {
  std::vector<bool> lone(candidates.size(), false);
  for (size_t k = 0; k < candidates.size(); ++k) {
    const Candidate& c = candidates[k];
    lone[k] = c.direction == Direction::kHorizontal && c.japanese_first &&
              (k == 0 || !HorizontalNeighbours(candidates[k - 1], c)) &&
              (k + 1 == candidates.size() || !HorizontalNeighbours(c, candidates[k + 1]));
  }
  for (size_t k = 0; k < candidates.size(); ++k) {
    if (lone[k]) candidates[k].direction = Direction::kStacked;
  }
}

}  // namespace

bool IsJapaneseCharacter(char32_t c) {
  c = UnmarkedCharacter(c);
  return (c >= 0x2E80 && c <= 0x2FDF) ||  // radicals
         (c >= 0x3000 && c <= 0x33FF) ||  // punctuation, kana, enclosed and squared forms
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
         (c >= 0xFE30 && c <= 0xFE4F) ||  // vertical forms
         (c >= 0xFF00 && c <= 0xFFEF) ||  // full-width and half-width forms
         (c >= 0x20000 && c <= 0x3FFFF);
}

void MakeLayoutUnits(const PlacedPage& page, PageUnits& units) {
  const std::string_view text = page.text;
  // Kept from page to page: a page allocates nothing once an as large one has been read.
  thread_local std::vector<Candidate> candidates;
  candidates.clear();
  candidates.reserve(page.glyphs.size());
  for (size_t drawn = 0; drawn < page.glyphs.size(); ++drawn) {
    const PlacedGlyph& g = page.glyphs[drawn];
    if (!Finite(g) || g.text_begin > g.text_end || g.text_end > text.size()) continue;
    const std::string_view glyph_text = text.substr(g.text_begin, g.text_end - g.text_begin);
    bool japanese_first = false, japanese_last = false;
    if (glyph_text.size() == 1 && static_cast<uint8_t>(glyph_text[0]) < 0x80) {
      // ASCII, most glyphs of most pages: neither Japanese nor (but for the space) white.
      if (IsSpace(static_cast<uint8_t>(glyph_text[0]))) continue;
    } else {
      if (OnlySpace(glyph_text)) continue;
      size_t i = 0;
      char32_t c = NextExtracted(glyph_text, i);
      japanese_first = IsJapaneseCharacter(c);
      while (i < glyph_text.size()) c = NextExtracted(glyph_text, i);
      japanese_last = IsJapaneseCharacter(c);
    }
    // Filled in place: a candidate built aside and copied in costs more than all the rest.
    Candidate& candidate = candidates.emplace_back();
    candidate.glyph = &g;
    candidate.drawn = static_cast<uint32_t>(drawn);
    candidate.size = std::max<double>(std::abs(g.size), kSmallestSize);
    candidate.direction = Direction::kHorizontal;
    candidate.japanese_first = japanese_first;
    candidate.japanese_last = japanese_last;
    if (g.vertical) {
      candidate.direction = Direction::kVerticalFont;
    } else if (g.advance_y < 0 && -g.advance_y > std::abs(g.advance_x)) {
      candidate.direction = Direction::kRotatedDown;
    }
  }
  for (size_t k = 1; k < candidates.size(); ++k) {
    if (StackedUnder(candidates[k - 1], candidates[k])) {
      candidates[k - 1].direction = Direction::kStacked;
      candidates[k].direction = Direction::kStacked;
    }
  }
  const auto horizontal =
      std::count_if(candidates.begin(), candidates.end(),
                    [](const Candidate& c) { return c.direction == Direction::kHorizontal; });
  if (2 * static_cast<size_t>(horizontal) < candidates.size()) StackLoneJapanese(candidates);
  units.horizontal.clear();
  units.vertical.clear();
  for (const Candidate& candidate : candidates) {
    LayoutUnit unit = MakeUnit(candidate);
    (unit.vertical ? units.vertical : units.horizontal).push_back(unit);
  }
  ReleaseIfHuge(candidates);
}

}  // namespace lumenquill
