#include "codes/glyph_names.h"

#include <gtest/gtest.h>

namespace lumenquill {
namespace {

TEST(GlyphNames, ListedNamesAndHexadecimalNames) {
  EXPECT_EQ(GlyphNameToUnicode("germandbls"), 0x00DF);
  EXPECT_EQ(GlyphNameToUnicode("quotedblleft.alt"), 0x201C);  // the suffix is ignored
  EXPECT_EQ(GlyphNameToUnicode("uni2605"), 0x2605);
  EXPECT_EQ(GlyphNameToUnicode("u2605"), 0x2605);
  EXPECT_EQ(GlyphNameToUnicode("u002605"), 0x2605);
  EXPECT_EQ(GlyphNameToUnicode("u1F600"), 0x1F600);  // beyond the Basic Multilingual Plane
  EXPECT_EQ(GlyphNameToUnicode("u10FFFF"), 0x10FFFF);
}

TEST(GlyphNames, NamesOfNoCharacterGiveZero) {
  EXPECT_EQ(GlyphNameToUnicode("g123"), 0);
  EXPECT_EQ(GlyphNameToUnicode(""), 0);
  EXPECT_EQ(GlyphNameToUnicode("uni00e9"), 0);  // lowercase digits
  EXPECT_EQ(GlyphNameToUnicode("uni00E"), 0);
  EXPECT_EQ(GlyphNameToUnicode("uniD800"), 0);  // a surrogate
  EXPECT_EQ(GlyphNameToUnicode("u110000"), 0);  // beyond Unicode
  EXPECT_EQ(GlyphNameToUnicode("u12345678"), 0);
}

}  // namespace
}  // namespace lumenquill
