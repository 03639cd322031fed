#include "layout/layout_units.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <span>

#include "codes/code_tables.h"
#include "codes/extracted_text.h"
#include "layout/text_lines.h"

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
      unit.last_begin = unit.along_begin;
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
  unit.last_begin = unit.along_begin;
  unit.vertical = true;
  unit.key = (unit.across_low + unit.across_high) / 2;
}

// What a glyph gives the layout: no unit (a coordinate or size not finite, text outside the
// page's, or only white space), or a unit whose text has these Japanese ends.
struct GlyphText {
  bool unit;
  bool japanese_first;
  bool japanese_last;
};
// ReadGlyphText past ASCII: one reading of the text, its first and last characters, and
// whether all are white.
GlyphText ReadCharacters(std::string_view characters) {
  size_t i = 0;
  const CharacterKind first = KindOf(NextExtracted(characters, i));
  CharacterKind last = first;
  bool white = first.white;
  while (i < characters.size()) {
    last = KindOf(NextExtracted(characters, i));
    white = white && last.white;
  }
  return {!white, first.japanese, last.japanese};
}
// ReadGlyphText of a glyph whose text is one ASCII byte, most glyphs of most pages: not
// Japanese, and white only at the space or below.
inline GlyphText AsciiGlyphText(uint8_t byte) {
  return {!(byte <= ' ' && IsUnicodeSpace(byte)), false, false};
}
// ReadGlyphText of a glyph known to be finite.
inline GlyphText ReadFiniteGlyphText(std::string_view text, const PlacedGlyph& g) {
  if (g.text_begin >= g.text_end || g.text_end > text.size()) return {};
  const char* glyph_text = text.data() + g.text_begin;
  const size_t glyph_size = g.text_end - g.text_begin;
  const auto byte = [glyph_text](size_t at) { return static_cast<uint8_t>(glyph_text[at]); };
  if (glyph_size == 1 && byte(0) < 0x80) return AsciiGlyphText(byte(0));
  if (glyph_size == 3 && byte(0) >= 0xE3 && byte(0) <= 0xE9 && (byte(1) & 0xC0) == 0x80 &&
      (byte(2) & 0xC0) == 0x80) {
    // One character of U+3000 to U+9FFF, most glyphs of Japanese pages: white only at U+3000.
    const char32_t c = char32_t{byte(0) & 0x0Fu} << 12 | char32_t{byte(1) & 0x3Fu} << 6 |
                       char32_t{byte(2) & 0x3Fu};
    const bool japanese = IsUnicodeJapanese(c);
    return {c != 0x3000, japanese, japanese};
  }
  return ReadCharacters(std::string_view(glyph_text, glyph_size));
}
inline GlyphText ReadGlyphText(std::string_view text, const PlacedGlyph& g) {
  if (!Finite(g)) return {};
  return ReadFiniteGlyphText(text, g);
}
// ReadGlyphText, shorter for a glyph the placer marks as continuing a line: finite, its text
// one ASCII byte. For the loops where most glyphs are marked.
inline GlyphText ReadMarkedGlyphText(std::string_view text, const PlacedGlyph& g) {
  if (g.continues_line) return AsciiGlyphText(static_cast<uint8_t>(text[g.text_begin]));
  return ReadGlyphText(text, g);
}

// The glyph's direction before its neighbours are looked at.
Direction DirectionOf(const PlacedGlyph& g) {
  if (g.vertical) return Direction::kVerticalFont;
  if (g.advance_y < 0 && -g.advance_y > std::abs(g.advance_x)) return Direction::kRotatedDown;
  return Direction::kHorizontal;
}

double SizeOf(const PlacedGlyph& g) { return std::max<double>(std::abs(g.size), kSmallestSize); }

// Fills the unit of a glyph that makes one, read in the direction given.
void MakeUnit(const PlacedGlyph& g, uint32_t drawn, double size, const GlyphText& kind,
              Direction direction, LayoutUnit& unit) {
  unit.size = size;
  unit.text_begin = g.text_begin;
  unit.text_end = g.text_end;
  unit.drawn = drawn;
  unit.japanese_first = kind.japanese_first;
  unit.japanese_last = kind.japanese_last;
  PlaceUnit(g, direction, unit);
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

// Whether a glyph has the baseline and size of a horizontal glyph drawn before it, and no
// vertical advance. The numbers are compared as bits, the four bytes of y and the eight of the
// vertical advance and size at once: equal bits are equal numbers, and the numbers of the
// glyph before are finite.
bool SameLineAndSize(const PlacedGlyph& g, const PlacedGlyph& before) {
  static_assert(offsetof(PlacedGlyph, size) == offsetof(PlacedGlyph, advance_y) + sizeof(float));
  const auto bits = [](const PlacedGlyph& glyph, size_t offset, auto value) {
    std::memcpy(&value, reinterpret_cast<const char*>(&glyph) + offset, sizeof value);
    return value;
  };
  constexpr size_t kY = offsetof(PlacedGlyph, y);
  constexpr size_t kAdvanceYAndSize = offsetof(PlacedGlyph, advance_y);
  return bits(g, kY, uint32_t{}) == bits(before, kY, uint32_t{}) &&
         bits(g, kAdvanceYAndSize, uint64_t{}) == bits(before, kAdvanceYAndSize, uint64_t{}) &&
         before.advance_y == 0 && !g.vertical;
}

// Whether a glyph's x and horizontal advance are finite, the rest of it being known finite.
bool FiniteAlong(const PlacedGlyph& g) { return (g.x - g.x) + (g.advance_x - g.advance_x) == 0; }

// Where a horizontal glyph begins and ends along its line, as PlaceUnit sets them.
struct Extent {
  double begin;
  double end;
};
Extent AlongOf(const PlacedGlyph& g) {
  const double x = g.x, ax = g.advance_x;
  return {std::min(x, x + ax), std::max(x, x + ax)};
}

// Joins glyphs into units; false at the first glyph that is not horizontal. The loop runs
// once for each glyph of most pages: what it reads of the unit being built is kept in locals.
bool MakeJoinedUnits(const PlacedPage& page, std::vector<LayoutUnit>& units) {
  const std::string_view text = page.text;
  const PlacedGlyph* previous = nullptr;  // the last glyph of the unit being built
  // The unit being built, once previous is set: what its first glyph set in open, what its last
  // glyph sets in locals.
  LayoutUnit open;
  double end = 0;
  double last_begin = 0;
  uint32_t text_end = 0;
  bool japanese_last = false;
  const auto close = [&] {
    open.along_end = end;
    open.last_begin = last_begin;
    open.text_end = text_end;
    open.japanese_last = japanese_last;
    units.push_back(open);
  };
  const auto start = [&](const PlacedGlyph& g, size_t drawn, double size, const GlyphText& kind) {
    if (previous) close();
    MakeUnit(g, static_cast<uint32_t>(drawn), size, kind, Direction::kHorizontal, open);
    end = open.along_end;
    last_begin = open.last_begin;
    text_end = open.text_end;
    japanese_last = open.japanese_last;
    previous = &g;
  };
  // Whether a glyph of the unit's size and baseline, from begin to glyph_end, reads as part of
  // the unit wherever the lines put it: starting and ending no earlier than its last glyph, in
  // the run of that glyph whatever run it is in, and with its text right after the unit's where
  // no word space stands between the two, after one space where one does (the line writes
  // that space).
  const auto joins = [&](const PlacedGlyph& g, double begin, double glyph_end,
                         bool japanese_first) {
    const double size = open.size;
    if (!(begin >= last_begin && glyph_end >= end && ContinuesEveryRun(end, begin, size)))
      return false;
    const bool space = NeedsWordSpace(end, japanese_last, begin, japanese_first, size);
    if (g.text_begin == text_end) return !space;
    return space && g.text_begin - text_end == 1 && text[text_end] == ' ';
  };
  const auto extend = [&](const PlacedGlyph& g, double begin, double glyph_end,
                          bool glyph_japanese_last) {
    end = glyph_end;
    last_begin = begin;
    text_end = g.text_end;
    japanese_last = glyph_japanese_last;
    previous = &g;
  };
  // Extends the unit with a glyph that joins it, where the glyph may (on its line, of its size);
  // else starts a unit of the glyph.
  const auto take = [&](const PlacedGlyph& g, size_t drawn, double size, const GlyphText& kind,
                        bool may_join) {
    const Extent along = AlongOf(g);
    if (may_join && joins(g, along.begin, along.end, kind.japanese_first)) {
      extend(g, along.begin, along.end, kind.japanese_last);
    } else {
      start(g, drawn, size, kind);
    }
  };
  // Read through a span: the units written cannot move the glyphs.
  const std::span<const PlacedGlyph> glyphs = page.glyphs;
  // The first glyph of the glyphs marked as continuing the line of the one before that the
  // glyph read ends: those from it on share its line and size, and are finite.
  const PlacedGlyph* line_start = glyphs.data();
  for (size_t drawn = 0; drawn < glyphs.size(); ++drawn) {
    const PlacedGlyph& g = glyphs[drawn];
    if (!g.continues_line) line_start = &g;
    // Most glyphs: on the baseline of the glyph before, of its size, not turned: finite but
    // for x and its advance, horizontal and not stacked. Those the placer marks, from the
    // unit's last glyph on, are known to be so, with a text of one ASCII byte.
    const bool marked = previous != nullptr && previous >= line_start;
    if (marked || (previous && SameLineAndSize(g, *previous))) {
      const GlyphText kind = marked ? AsciiGlyphText(static_cast<uint8_t>(text[g.text_begin]))
                                    : ReadFiniteGlyphText(text, g);
      if (!kind.unit) continue;  // its text makes none, finite or not
      if (marked || FiniteAlong(g)) {
        take(g, drawn, open.size, kind, true);
        continue;
      }
    }
    const GlyphText kind = ReadGlyphText(text, g);
    if (!kind.unit) continue;
    if (DirectionOf(g) != Direction::kHorizontal) return false;
    const double size = SizeOf(g);
    // Stacked glyphs step down: a glyph on the baseline of the one before is never stacked.
    if (previous && previous->y > g.y &&
        StackedUnder({previous, SizeOf(*previous), Direction::kHorizontal, false, japanese_last},
                     {&g, size, Direction::kHorizontal, kind.japanese_first, false})) {
      return false;
    }
    take(g, drawn, size, kind,
         previous && size == open.size && static_cast<double>(g.y) == open.key);
  }
  if (previous) close();
  return true;
}

// Makes a unit of each glyph, of its direction.
void MakeGlyphUnits(const PlacedPage& page, PageUnits& units) {
  const std::string_view text = page.text;
  // Every unit is made horizontal first, in drawing order; those of the other directions move
  // out at the end. A page all horizontal, as most are, is done in one pass.
  std::vector<LayoutUnit>& all = units.horizontal;
  // Kept from page to page: a page allocates nothing once an as large one has been read.
  thread_local std::vector<Direction> directions;
  directions.clear();
  directions.reserve(page.glyphs.size());
  Candidate previous{nullptr, 0, Direction::kHorizontal, false, false};
  for (size_t drawn = 0; drawn < page.glyphs.size(); ++drawn) {
    const PlacedGlyph& g = page.glyphs[drawn];
    const GlyphText kind = ReadGlyphText(text, g);
    if (!kind.unit) continue;
    Candidate current{&g, SizeOf(g), DirectionOf(g), kind.japanese_first, kind.japanese_last};
    if (previous.glyph && StackedUnder(previous, current)) {
      directions.back() = Direction::kStacked;
      current.direction = Direction::kStacked;
    }
    // Filled in place: a unit built aside and copied in costs as much as the rest.
    MakeUnit(g, static_cast<uint32_t>(drawn), current.size, kind, Direction::kHorizontal,
             all.emplace_back());
    directions.push_back(current.direction);
    previous = current;
  }
  const auto horizontal =
      static_cast<size_t>(std::count(directions.begin(), directions.end(), Direction::kHorizontal));
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

}  // namespace

bool IsJapaneseCharacter(char32_t c) { return IsUnicodeJapanese(UnmarkedCharacter(c)); }

bool MakeLayoutUnits(const PlacedPage& page, PageUnits& units, bool join_glyphs) {
  units.horizontal.clear();
  units.vertical.clear();
  units.horizontal.reserve(page.glyphs.size());
  if (join_glyphs) return MakeJoinedUnits(page, units.horizontal);
  MakeGlyphUnits(page, units);
  return true;
}

void SplitUnits(const PlacedPage& page, const std::vector<bool>& split,
                std::vector<LayoutUnit>& units) {
  // A unit's glyphs are those drawn from its first to the next unit's: its own and those that
  // make no unit.
  const auto glyphs_end = [&](size_t k) -> size_t {
    return k + 1 < units.size() ? units[k + 1].drawn : page.glyphs.size();
  };
  size_t count = 0;
  for (size_t k = 0; k < units.size(); ++k) {
    if (!split[k]) {
      ++count;
      continue;
    }
    for (size_t drawn = units[k].drawn; drawn < glyphs_end(k); ++drawn) {
      count += ReadMarkedGlyphText(page.text, page.glyphs[drawn]).unit ? 1 : 0;
    }
  }
  // Filled from the end, in place: the units still to be read stay ahead of those written, and
  // the buffer holds no more than the glyphs' units, as without joining.
  size_t write = count;
  size_t next_drawn = page.glyphs.size();
  const size_t joined = units.size();
  units.resize(count);  // each unit split gives one unit or more
  for (size_t k = joined; k-- > 0;) {
    const LayoutUnit unit = units[k];
    if (!split[k]) {
      units[--write] = unit;
    } else {
      for (size_t drawn = next_drawn; drawn-- > unit.drawn;) {
        const PlacedGlyph& g = page.glyphs[drawn];
        const GlyphText kind = ReadMarkedGlyphText(page.text, g);
        if (!kind.unit) continue;
        MakeUnit(g, static_cast<uint32_t>(drawn), SizeOf(g), kind, Direction::kHorizontal,
                 units[--write]);
      }
    }
    next_drawn = unit.drawn;
  }
  units.resize(count);
}

}  // namespace lumenquill
