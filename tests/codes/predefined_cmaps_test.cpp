#include "codes/predefined_cmaps.h"

#include <gtest/gtest.h>

#include <map>

#include "support/jis_x_0208.h"
#include "support/shift_jis.h"

namespace lumenquill {
namespace {

using testing::BigEndian;

std::string Converted(std::string_view label, const std::string& bytes) {
  const CMapConverter convert = PredefinedCMapConverter(label);
  if (convert == nullptr) return "(no conversion for " + std::string(label) + ")";
  std::string out = "<";  // conversions append
  convert(bytes, out);
  return testing::ShiftJIS(out.substr(1));
}

// A character's code in each family's encoding.
using Encoding = uint16_t (*)(const testing::JisCharacter&);
uint16_t Jis(const testing::JisCharacter& c) { return c.jis; }
uint16_t Euc(const testing::JisCharacter& c) { return c.jis + 0x8080; }
uint16_t ShiftJis(const testing::JisCharacter& c) { return c.sjis; }

// How the characters of JIS X 0208 come out of a CMap, each written in the CMap's encoding:
// the characters that come out as someone else's Shift-JIS code are listed by JIS code.
struct RoundTrip {
  int unchanged = 0;
  int spaces = 0;         // codes the CMap leaves out
  int unconvertible = 0;  // glyph forms whose character code page 932 lacks
  std::map<uint16_t, uint16_t> others;
};

RoundTrip JisX0208Through(std::string_view label, Encoding encode) {
  RoundTrip trip;
  const std::vector<testing::JisCharacter> characters = testing::JisX0208();
  for (const testing::JisCharacter& c : characters) {
    const std::string out = Converted(label, BigEndian(encode(c)));
    if (out == BigEndian(c.sjis)) {
      ++trip.unchanged;
    } else if (out == " ") {
      ++trip.spaces;
    } else if (out == "?") {
      ++trip.unconvertible;
    } else {
      trip.others[c.jis] = out.size() == 2
                               ? static_cast<uint16_t>(static_cast<uint8_t>(out[0]) << 8 |
                                                       static_cast<uint8_t>(out[1]))
                               : 0;
    }
  }
  return trip;
}

TEST(PredefinedCMaps, ShiftJisRoundTrip) {
  for (const char* label : {"RKSJ-H", "RKSJ-V"}) {
    const RoundTrip trip = JisX0208Through(label, ShiftJis);
    EXPECT_EQ(trip.unchanged, 6879) << label;
  }
}

// Add-H is JIS X 0208 with some kanji in other glyph forms, each the character of its code.
TEST(PredefinedCMaps, AddRoundTrip) {
  const RoundTrip trip = JisX0208Through("Add-H", Jis);
  EXPECT_EQ(trip.unchanged, 6879);
  EXPECT_EQ(trip.unconvertible, 0);
  EXPECT_EQ(trip.others.size(), 0u);
}

// The JIS C 6226-1978 CMaps: the codes that JIS X 0208 added in 1983 are left out, 22 pairs of
// kanji have each other's codes, and five kanji come out as characters JIS X 0208 codes elsewhere.
TEST(PredefinedCMaps, JIS78RoundTrip) {
  const uint16_t swapped_pairs[][2] = {
      {0x3033, 0x724D}, {0x3229, 0x7274}, {0x3342, 0x695A}, {0x3349, 0x5978}, {0x3376, 0x635E},
      {0x3443, 0x5E75}, {0x3452, 0x6B5D}, {0x375B, 0x7074}, {0x395C, 0x6268}, {0x3C49, 0x6922},
      {0x3F59, 0x7057}, {0x4128, 0x6C4D}, {0x445B, 0x5464}, {0x4557, 0x626A}, {0x456E, 0x5B6D},
      {0x4573, 0x5E39}, {0x4676, 0x6D6E}, {0x4768, 0x6A24}, {0x4930, 0x5B58}, {0x4B79, 0x5056},
      {0x4C79, 0x692E}, {0x4F36, 0x6446}};
  // The JIS78 forms of four kanji that JIS X 0208 moved to row 84, and one that code page 932
  // has only among its IBM extensions.
  std::map<uint16_t, uint16_t> elsewhere = {
      {0x3646, 0xEA9F}, {0x3937, 0xEDB4}, {0x4B6A, 0xEAA0}, {0x4D5A, 0xEAA1}, {0x6076, 0xEAA2}};
  std::map<uint16_t, uint16_t> sjis_of_jis;
  for (const testing::JisCharacter& c : testing::JisX0208()) sjis_of_jis[c.jis] = c.sjis;
  for (const auto& [first, second] : swapped_pairs) {
    elsewhere[first] = sjis_of_jis[second];
    elsewhere[second] = sjis_of_jis[first];
  }
  const struct {
    const char* label;
    Encoding encode;
    int unchanged, spaces, unconvertible;
  } cmaps[] = {{"78-H", Jis, 6753, 77, 0},           {"78-V", Jis, 6753, 77, 0},
               {"78-EUC-H", Euc, 6753, 77, 0},       {"78-EUC-V", Euc, 6753, 77, 0},
               {"78-RKSJ-H", ShiftJis, 6753, 77, 0}, {"78-RKSJ-V", ShiftJis, 6753, 77, 0},
               {"Ext-H", Jis, 6753, 77, 0},          {"Ext-V", Jis, 6753, 77, 0},
               {"NWP-H", Jis, 6792, 38, 0},          {"NWP-V", Jis, 6792, 38, 0}};
  for (const auto& cmap : cmaps) {
    const RoundTrip trip = JisX0208Through(cmap.label, cmap.encode);
    EXPECT_EQ(trip.unchanged, cmap.unchanged) << cmap.label;
    EXPECT_EQ(trip.spaces, cmap.spaces) << cmap.label;
    EXPECT_EQ(trip.unconvertible, cmap.unconvertible) << cmap.label;
    EXPECT_EQ(trip.others, elsewhere) << cmap.label;
  }
}

// JIS78 glyph forms come out as the characters they are drawn for.
TEST(PredefinedCMaps, JIS78GlyphForms) {
  EXPECT_EQ(Converted("78-H", "\x33\x6B"), "\x8A\x8B");       // 葛
  EXPECT_EQ(Converted("78-H", "\x4C\x5F"), "\x96\xDD");       // 餅
  EXPECT_EQ(Converted("78-EUC-H", "\xB3\xEB"), "\x8A\x8B");   // 葛
  EXPECT_EQ(Converted("78-RKSJ-H", "\x96\xDD"), "\x96\xDD");  // 餅
}

// Vertical forms come out as their horizontal characters.
TEST(PredefinedCMaps, VerticalForms) {
  EXPECT_EQ(Converted("78-V", "\x21\x22"), "\x81\x41");         // 、
  EXPECT_EQ(Converted("RKSJ-V", "\x81\x42"), "\x81\x42");       // 。
  EXPECT_EQ(Converted("90pv-RKSJ-V", "\x81\x5B"), "\x81\x5B");  // ー
  EXPECT_EQ(Converted("78-H", "\x21\x22"), "\x81\x41");         // the horizontal form
}

TEST(PredefinedCMaps, OneByteCMaps) {
  std::string bytes;
  for (int byte = 0xA1; byte <= 0xDF; ++byte) bytes.push_back(static_cast<char>(byte));
  EXPECT_EQ(Converted("Hankaku", bytes), bytes);  // half-width katakana
  EXPECT_EQ(Converted("Hankaku", "Ab1"), "Ab1");
  EXPECT_EQ(Converted("Roman", "Ab1~"), "Ab1?");  // JIS-Roman's overline, not in code page 932
  EXPECT_EQ(Converted("Hiragana", "\x31\x32\x5D"), "\x82\xA0\x82\xA2\x82\xF1");  // あいん
  EXPECT_EQ(Converted("Katakana", "\x31\x5D"), "\xB1\xDD");                      // ｱﾝ
  // Bytes no mapping covers are CID 0, a space.
  EXPECT_EQ(Converted("Hiragana", "\x01\xFF"), "  ");
}

// The first byte decides how long a code is; a byte outside the code space is a code alone.
TEST(PredefinedCMaps, CodeLengths) {
  EXPECT_EQ(Converted("RKSJ-H", "A\x82\xA0\xB1"), "A\x82\xA0\xB1");
  EXPECT_EQ(Converted("78-EUC-H", "A\xA4\xA2\x8E\xB1"), "A\x82\xA0\xB1");
  EXPECT_EQ(Converted("78-H", "\x24\x22\n\x24\x22"), "\x82\xA0 \x82\xA0");
  // A lead byte that ends the string has no trail and gives nothing.
  EXPECT_EQ(Converted("78-RKSJ-H", "A\x82"), "A");
  EXPECT_EQ(Converted("78-H", "\x24\x22\x24"), "\x82\xA0");
  EXPECT_EQ(Converted("Adobe-Japan1-0", "\x02"), "");
}

// The Adobe-Japan1-N CMaps give each CID of supplements 0 to N as its own code; their one-byte
// codes are outside the code space even where a two-byte code has the same value.
TEST(PredefinedCMaps, SupplementCMaps) {
  EXPECT_EQ(Converted("Adobe-Japan1-0", std::string("\x02\x79", 2)), "\x81\x40");
  EXPECT_EQ(Converted("Adobe-Japan1-0", std::string("\x00\x22", 2)), "A");
  EXPECT_EQ(Converted("Adobe-Japan1-0", "\x41"), " ");
  EXPECT_EQ(Converted("Adobe-Japan1-0", "\x20\x5C"), " ");  // CID 8284 is of supplement 1
  EXPECT_EQ(Converted("Adobe-Japan1-1", "\x20\x5C"), "\xEA\xA3");
}

TEST(PredefinedCMaps, OtherLabelsHaveNone) {
  for (const char* label : {"H", "90ms-RKSJ-H", "Hojo-H", "UniJIS-UCS2-H", "78-h", ""}) {
    EXPECT_EQ(PredefinedCMapConverter(label), nullptr) << label;
  }
}

}  // namespace
}  // namespace lumenquill
