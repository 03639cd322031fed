#include "codes/truetype_cmap.h"

#include <gtest/gtest.h>

#include "support/sfnt_builder.h"

namespace lumenquill {
namespace {

using testing::CmapSubtable;
using testing::CmapTable;
using testing::Format12Subtable;
using testing::Format4Subtable;
using testing::U16;
using testing::U32;

GlyphToUnicode Read(const std::vector<CmapSubtable>& subtables) {
  return ReadTrueTypeCmap(testing::SfntWithCmap(CmapTable(subtables)));
}

// The characters of a BMP subtable: glyph 1 for 'A' by a delta, 'a' to 'c' through the glyph
// array (whose 0 entry is no glyph), and the closing segment at U+FFFF.
std::string LatinFormat4() {
  // The range offset counts from its own entry: two entries further on (the last one and the
  // closing segment's) the glyph array starts.
  return Format4Subtable({{0x41, 0x41, static_cast<uint16_t>(1 - 0x41), 0},
                          {0x61, 0x63, 10, 4},
                          {0xFFFF, 0xFFFF, 1, 0}},
                         {5, 0, 7});
}

TEST(TrueTypeCmap, Format4ByDeltaAndByGlyphArray) {
  const GlyphToUnicode glyphs = Read({{3, 1, LatinFormat4()}});
  ASSERT_EQ(glyphs.size(), 18u);  // up to glyph 17, 'c' by 7 + 10
  EXPECT_EQ(glyphs[1], U'A');
  EXPECT_EQ(glyphs[15], U'a');  // 5 + 10
  EXPECT_EQ(glyphs[17], U'c');
  EXPECT_EQ(glyphs[10], 0u);  // 'b' maps to no glyph, and the delta does not apply to it
  EXPECT_EQ(glyphs[0], 0u);   // U+FFFF wraps to glyph 0, which is none
}

TEST(TrueTypeCmap, Format12GroupsAndSharedGlyphs) {
  const GlyphToUnicode glyphs =
      Read({{3, 10,
             Format12Subtable({{0x3042, 0x3044, 2}, {0x20B9F, 0x20B9F, 6}, {0xFF21, 0xFF21, 2}})}});
  ASSERT_EQ(glyphs.size(), 7u);
  EXPECT_EQ(glyphs[2], U'\u3042');  // U+FF21 shares the glyph; the smaller character stays
  EXPECT_EQ(glyphs[4], U'\u3044');
  EXPECT_EQ(glyphs[5], 0u);
  EXPECT_EQ(glyphs[6], U'\U00020B9F');
}

TEST(TrueTypeCmap, TheFullRepertoireSubtableComesFirst) {
  const std::string full = Format12Subtable({{0x41, 0x41, 3}});
  EXPECT_EQ(Read({{3, 1, LatinFormat4()}, {3, 10, full}}), (GlyphToUnicode{0, 0, 0, U'A'}));
  // Without it, or with one that maps nothing, the BMP subtable serves.
  EXPECT_EQ(Read({{3, 1, LatinFormat4()}, {3, 10, Format12Subtable({})}})[1], U'A');
  EXPECT_EQ(Read({{3, 10, Format12Subtable({{0x41, 0x40, 3}})}, {3, 1, LatinFormat4()}})[1], U'A');
  // Subtables of other platforms or formats are not read.
  EXPECT_TRUE(Read({{1, 0, LatinFormat4()}, {0, 3, LatinFormat4()}}).empty());
  EXPECT_TRUE(Read({{3, 1, full}, {3, 10, LatinFormat4()}}).empty());
}

// Overlapping segments and groups map each character once: the work stays one pass.
TEST(TrueTypeCmap, OverlapsAreReadOnce) {
  const GlyphToUnicode glyphs = Read(
      {{3, 1, Format4Subtable({{0x41, 0x42, 1, 0}, {0x41, 0x43, 10, 0}, {0xFFFF, 0xFFFF, 1, 0}})}});
  EXPECT_EQ(glyphs[0x42], U'A');
  EXPECT_EQ(glyphs[0x43], U'B');
  EXPECT_EQ(glyphs[0x4D], U'C');  // only 'C' was new to the second segment
  EXPECT_EQ(glyphs[0x4B], 0u);
  const GlyphToUnicode groups =
      Read({{3, 10, Format12Subtable({{0, 0x10FFFF, 1}, {0, 0x10FFFF, 100}})}});
  EXPECT_EQ(groups.size(), 65536u);  // glyphs past 65,535 are dropped
  EXPECT_EQ(groups[100], U'c');
}

TEST(TrueTypeCmap, MalformedTablesMapNothing) {
  const std::string latin = LatinFormat4();
  // A glyph array entry past the end of the subtable.
  EXPECT_TRUE(
      Read({{3, 1, Format4Subtable({{0x61, 0x63, 0, 4}, {0xFFFF, 0xFFFF, 1, 0}})}}).empty());
  // A segment count the subtable cannot hold.
  EXPECT_TRUE(Read({{3, 1, latin.substr(0, 6) + U16(0xFFFE) + latin.substr(8)}}).empty());
  EXPECT_TRUE(Read({{3, 1, latin.substr(0, 6) + U16(0) + latin.substr(8)}}).empty());
  // A group count the subtable cannot hold, a reversed group, a character past Unicode.
  EXPECT_TRUE(Read({{3, 10, Format12Subtable({{0x41, 0x41, 3}}, 0x20000000)}}).empty());
  EXPECT_TRUE(Read({{3, 10, Format12Subtable({{0x41, 0x41, 3}, {0x50, 0x4F, 3}})}}).empty());
  EXPECT_TRUE(Read({{3, 10, Format12Subtable({{0x41, 0x110000, 3}})}}).empty());
  // A subtable offset, a table offset or a table count past the end of the data.
  const std::string cmap = CmapTable({{3, 1, latin}});
  EXPECT_TRUE(
      ReadTrueTypeCmap(testing::SfntWithCmap(cmap.substr(0, 8) + U32(0x7FFFFFFF) + cmap.substr(12)))
          .empty());
  std::string sfnt = testing::SfntWithCmap(cmap);
  EXPECT_FALSE(ReadTrueTypeCmap(sfnt).empty());
  EXPECT_TRUE(ReadTrueTypeCmap(sfnt.substr(0, 36) + U32(0xFFFFFFF0) + sfnt.substr(40)).empty());
  EXPECT_TRUE(ReadTrueTypeCmap(sfnt.substr(0, 4) + U16(0xFFFF) + sfnt.substr(6, 22)).empty());
  EXPECT_TRUE(ReadTrueTypeCmap(sfnt.substr(0, sfnt.size() - 1)).empty());
  EXPECT_TRUE(ReadTrueTypeCmap("").empty());
  EXPECT_TRUE(ReadTrueTypeCmap(testing::SfntWithCmap(CmapTable({}))).empty());
}

}  // namespace
}  // namespace lumenquill
