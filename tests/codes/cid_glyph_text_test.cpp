#include "codes/cid_glyph_text.h"

#include <gtest/gtest.h>

#include "codes/extracted_text.h"
#include "support/shift_jis.h"

namespace lumenquill {
namespace {

std::string Write(const CIDGlyphCharacters& characters, const std::string& codes) {
  std::string out;
  WriteCIDsByGlyphs(characters, codes, out);
  return testing::ShiftJIS(out);
}

// Glyph 1 is 'A', 2 is あ, 3 a character beyond the BMP, 4 one code page 932 lacks, 5 none.
CIDGlyphCharacters Glyphs(std::optional<std::vector<uint16_t>> cid_to_gid = std::nullopt) {
  return {std::make_shared<GlyphToUnicode>(
              GlyphToUnicode{0, U'A', U'\u3042', U'\U00020B9F', U'\u0E01', 0}),
          std::move(cid_to_gid)};
}

TEST(CIDGlyphText, IdentityCIDsAreGlyphNumbers) {
  EXPECT_EQ(Write(Glyphs(), std::string("\0\x01\0\x02\0\x03\0\x04", 8)), "A\x82\xA0  ");
  // A glyph without a character, one past the table, and glyph 0 are unknown.
  EXPECT_EQ(Write(Glyphs(), std::string("\0\x05\x01\x00\0\0", 6)), "???");
  // An odd last byte is ignored.
  EXPECT_EQ(Write(Glyphs(), std::string("\0\x01\0", 3)), "A");
}

// The extracted text keeps a character beyond the BMP whole and marks a glyph without a
// character as an unknown code.
TEST(CIDGlyphText, ExtractedTextKeepsEveryCharacter) {
  std::string extracted;
  WriteCIDsByGlyphs(Glyphs(), std::string("\0\x03\0\x05\0\x04", 6), extracted);
  std::string expected = "\xF0\xA0\xAE\x9F";  // 𠮟
  AppendUnknownCode(expected);
  expected += "\xE0\xB8\x81";  // ก
  EXPECT_EQ(extracted, expected);
}

TEST(CIDGlyphText, AMapStreamGivesEachCIDItsGlyph) {
  const std::vector<uint16_t> map = ReadCIDToGIDMap(std::string("\0\0\0\x02\0\x01\x07", 7));
  EXPECT_EQ(map, (std::vector<uint16_t>{0, 2, 1}));
  // CID 3 lies past the end of the map.
  EXPECT_EQ(Write(Glyphs(map), std::string("\0\x01\0\x02\0\x00\0\x03", 8)),
            "\x82\xA0"
            "A??");
}

TEST(CIDGlyphText, TheMapHoldsAtMostOneGlyphPerCID) {
  EXPECT_EQ(ReadCIDToGIDMap(std::string(3 * 65536, '\x01')).size(), 65536u);
  EXPECT_TRUE(ReadCIDToGIDMap("\x01").empty());
}

}  // namespace
}  // namespace lumenquill
