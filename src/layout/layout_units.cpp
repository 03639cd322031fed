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

// Of a Unicode character (the marks of codes/extracted_text.h resolved).
bool IsUnicodeSpace(char32_t c) {
  if (c > 0x3000) return false;  // Japanese text, most of what comes here, at one test
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0xA0 || c == 0x3000 ||
         (c >= 0x2000 && c <= 0x200B);
}
bool IsUnicodeJapanese(char32_t c) {
  return (c >= 0x2E80 && c <= 0x2FDF) ||  // radicals
         (c >= 0x3000 && c <= 0x33FF) ||  // punctuation, kana, enclosed and squared forms
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
         (c >= 0xFE30 && c <= 0xFE4F) ||  // vertical forms
         (c >= 0xFF00 && c <= 0xFFEF) ||  // full-width and half-width forms
         (c >= 0x20000 && c <= 0x3FFFF);
}

// What the layout reads of an extracted-text character, its mark resolved once for both.
struct CharacterKind {
  bool white;
  bool japanese;
};
CharacterKind KindOf(char32_t c) {
  c = UnmarkedCharacter(c);
  return {IsUnicodeSpace(c), IsUnicodeJapanese(c)};
}

enum class Direction : uint8_t { kHorizontal, kVerticalFont, kRotatedDown, kStacked };

// What decides a glyph's direction: the glyph, its size and its Japanese ends.
struct Candidate {
  const PlacedGlyph* glyph;
  double size;
  Direction direction;
  bool japanese_first;
  bool japanese_last;
};

bool Finite(const PlacedGlyph& g) {
  // A finite number less itself is zero, an infinite one or NaN less itself NaN, which stays in
  // the sum: one test without a branch for each number.
  return (g.x - g.x) + (g.y - g.y) + (g.advance_x - g.advance_x) + (g.advance_y - g.advance_y) +
             (g.size - g.size) ==
         0;
}

// Sets the unit's extent, key and direction for its glyph read in the direction given; the
// unit's size is set.
void PlaceUnit(const PlacedGlyph& g, Direction direction, LayoutUnit& unit) {
  const double s = unit.size;
  const double x = g.x, y = g.y, ax = g.advance_x, ay = g.advance_y;
  switch (direction) {
    case Direction::kHorizontal:
      unit.along_begin = std::min(x, x + ax);
      unit.along_end = std::max(x, x + ax);
      unit.across_low = y - kDescent * s;
      unit.across_high = y + kAscent * s;
      unit.key = y;
      unit.vertical = false;
      return;
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
}

bool StackedUnder(const Candidate& above, const Candidate& below) {
  if (above.direction != Direction::kHorizontal && above.direction != Direction::kStacked)
    return false;
  if (below.direction != Direction::kHorizontal) return false;
  // Glyphs of one line, most pairs, fail at once: the step down below is no positive length.
  if (!(above.glyph->y > below.glyph->y)) return false;
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

// Marks the Japanese horizontal glyphs without a horizontal neighbour as stacked. units are
// the page's units in drawing order, directions theirs.
void StackLoneJapanese(const PlacedPage& page, const std::vector<LayoutUnit>& units,
                       std::vector<Direction>& directions) {
  const auto candidate = [&](size_t k) {
    const LayoutUnit& u = units[k];
    return Candidate{&page.glyphs[u.drawn], u.size, directions[k], u.japanese_first,
                     u.japanese_last};
  };
  std::vector<bool> lone(units.size(), false);
  for (size_t k = 0; k < units.size(); ++k) {
    const Candidate c = candidate(k);
    lone[k] = c.direction == Direction::kHorizontal && c.japanese_first &&
              (k == 0 || !HorizontalNeighbours(candidate(k - 1), c)) &&
              (k + 1 == units.size() || !HorizontalNeighbours(c, candidate(k + 1)));
  }
  for (size_t k = 0; k < units.size(); ++k) {
    if (lone[k]) directions[k] = Direction::kStacked;
  }
}

}  // namespace

bool IsJapaneseCharacter(char32_t c) { return IsUnicodeJapanese(UnmarkedCharacter(c)); }

void MakeLayoutUnits(const PlacedPage& page, PageUnits& units) {
  const std::string_view text = page.text;
  // Every unit is made horizontal first, in drawing order; those of the other directions move
  // out at the end. A page all horizontal, as most are, is done in one pass.
  std::vector<LayoutUnit>& all = units.horizontal;
  // Kept from page to page: a page allocates nothing once an as large one has been read.
  thread_local std::vector<Direction> directions;
  all.clear();
  directions.clear();
  units.vertical.clear();
  all.reserve(page.glyphs.size());
  directions.reserve(page.glyphs.size());
  Candidate previous{nullptr, 0, Direction::kHorizontal, false, false};
  for (size_t drawn = 0; drawn < page.glyphs.size(); ++drawn) {
    const PlacedGlyph& g = page.glyphs[drawn];
    if (!Finite(g) || g.text_begin >= g.text_end || g.text_end > text.size()) continue;
    const char* glyph_text = text.data() + g.text_begin;
    const size_t glyph_size = g.text_end - g.text_begin;
    bool japanese_first = false, japanese_last = false;
    const auto byte = static_cast<uint8_t>(glyph_text[0]);
    if (glyph_size == 1 && byte < 0x80) {
      // ASCII, most glyphs of most pages: not Japanese, and white only at the space or below.
      if (byte <= ' ' && IsUnicodeSpace(byte)) continue;
    } else {
      // One reading of the text: its first and last characters, and whether all are white.
      const std::string_view characters(glyph_text, glyph_size);
      size_t i = 0;
      const CharacterKind first = KindOf(NextExtracted(characters, i));
      CharacterKind last = first;
      bool white = first.white;
      while (i < characters.size()) {
        last = KindOf(NextExtracted(characters, i));
        white = white && last.white;
      }
      if (white) continue;
      japanese_first = first.japanese;
      japanese_last = last.japanese;
    }
    Candidate current{&g, std::max<double>(std::abs(g.size), kSmallestSize),
                      Direction::kHorizontal, japanese_first, japanese_last};
    if (g.vertical) {
      current.direction = Direction::kVerticalFont;
    } else if (g.advance_y < 0 && -g.advance_y > std::abs(g.advance_x)) {
      current.direction = Direction::kRotatedDown;
    }
    if (previous.glyph && StackedUnder(previous, current)) {
      directions.back() = Direction::kStacked;
      current.direction = Direction::kStacked;
    }
    // Filled in place: a unit built aside and copied in costs as much as the rest.
    LayoutUnit& unit = all.emplace_back();
    unit.size = current.size;
    unit.text_begin = g.text_begin;
    unit.text_end = g.text_end;
    unit.drawn = static_cast<uint32_t>(drawn);
    unit.japanese_first = japanese_first;
    unit.japanese_last = japanese_last;
    PlaceUnit(g, Direction::kHorizontal, unit);
    directions.push_back(current.direction);
    previous = current;
  }
  const auto horizontal = static_cast<size_t>(
      std::count(directions.begin(), directions.end(), Direction::kHorizontal));
  if (horizontal < all.size()) {
    if (2 * horizontal < all.size()) StackLoneJapanese(page, all, directions);
    size_t kept = 0;
    for (size_t k = 0; k < all.size(); ++k) {
      if (directions[k] == Direction::kHorizontal) {
        all[kept++] = all[k];
      } else {
        LayoutUnit& unit = units.vertical.emplace_back(all[k]);
        PlaceUnit(page.glyphs[unit.drawn], directions[k], unit);
      }
    }
    all.resize(kept);
  }
  ReleaseIfHuge(directions);
}

}  // namespace lumenquill
