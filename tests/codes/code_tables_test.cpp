#include "codes/code_tables.h"

#include <gtest/gtest.h>

#include "codes/predefined_conversion.h"
#include "support/jis_x_0208.h"
#include "support/shift_jis.h"

namespace lumenquill {
namespace {

TEST(CodeTables, TellingRows) {
  EXPECT_EQ(CIDToSJIS(7887), 0x8141);
  EXPECT_EQ(CIDToSJIS(325), 0x3F);
  EXPECT_EQ(CIDToSJIS(0), 0x20);
  EXPECT_EQ(CIDToSJIS(1), 0x20);
  EXPECT_EQ(CIDToSJIS(34), 0x41);
  EXPECT_EQ(CIDToSJIS(389), 0xDF);
  EXPECT_EQ(CIDToSJIS(8717), 0xEEEC);
  EXPECT_EQ(JISToCID(0x215F), 695);  // Shift-JIS 0x817E
  EXPECT_EQ(JISToCID(0x2160), 696);  // Shift-JIS 0x8180
  EXPECT_EQ(JISToCID(0x2F21), 63);   // an empty row
  EXPECT_EQ(EUCToCID(0x41), 264);
  EXPECT_EQ(EUCToCID(0x8EB1), 343);
  EXPECT_EQ(RKSJ83pvToCID(0x8540), 232);
  EXPECT_EQ(RKSJ90pvToCID(0x8540), 7555);
  EXPECT_EQ(RKSJ83pvToCID(0x8640), 422);
  EXPECT_EQ(RKSJ90pvToCID(0x8640), 7601);
  EXPECT_EQ(RKSJ83pvToCID(0xEB41), 7887);
  for (const auto table : {RKSJ83pvToCID, RKSJ90pvToCID}) {
    EXPECT_EQ(table(0x00), 1);
    EXPECT_EQ(table(0x1F), 32);
    EXPECT_EQ(table(0x20), 1);
    EXPECT_EQ(table(0x80), 97);
    EXPECT_EQ(table(0xA0), 326);
    EXPECT_EQ(table(0xFD), 152);
    EXPECT_EQ(table(0xFE), 228);
    EXPECT_EQ(table(0xFF), 124);
    EXPECT_EQ(table(0x889F), 1125);
  }
}

// A CID beyond the fixed rows gets the code page 932 code of its Unicode value.
// Printable ASCII is itself in code page 932; single-byte text relies on it to skip the table.
TEST(CodeTables, PrintableAsciiIsItself) {
  for (uint16_t unit = 0x20; unit < 0x7F; ++unit) EXPECT_EQ(UnicodeToCP932(unit), unit) << unit;
}

TEST(CodeTables, CIDsTakeTheCodeOfTheirUnicodeValue) {
  EXPECT_EQ(CIDToSJIS(108), 0x8167);    // proportional left double quotation mark
  EXPECT_EQ(CIDToSJIS(122), 0x8168);    // proportional right double quotation mark
  EXPECT_EQ(CIDToSJIS(7652), 0x8A8B);   // the JIS78 form of U+845B
  EXPECT_EQ(CIDToSJIS(7886), 0xEA9D);   // a JIS78 form written with a variation selector
  EXPECT_EQ(CIDToSJIS(7734), 0x9246);   // a compatibility ideograph of plane 2, as U+5DFD
  EXPECT_EQ(CIDToSJIS(12101), 0x8146);  // the vertical fullwidth colon, as the horizontal one
  EXPECT_EQ(CIDToSJIS(7633), 0x88A0);   // U+555E, which code page 932 lacks: 唖, its JIS code's
  EXPECT_EQ(CIDToSJIS(12000), 0x3F);    // a word of four katakana
}

// The fixed rows keep their codes where the Unicode value would give another one.
TEST(CodeTables, FixedCIDRowsHold) {
  EXPECT_EQ(CIDToSJIS(7626), 0x8795);  // U+221A, elsewhere 0x81E3
  EXPECT_EQ(CIDToSJIS(7632), 0x879C);  // U+222A, elsewhere 0x81BE
  EXPECT_EQ(CIDToSJIS(8005), 0xEEFA);
  EXPECT_EQ(CIDToSJIS(8338), 0x8765);
}

// Every CID's code is one byte or a lead byte with its trail: the encoder writes it as any code
// page 932 code.
TEST(CodeTables, CIDCodesAreOneByteOrLeadAndTrail) {
  for (uint32_t cid = 0; cid <= 0xFFFF; ++cid) {
    const uint16_t code = CIDToSJIS(static_cast<uint16_t>(cid));
    const uint8_t lead = code >> 8;
    ASSERT_TRUE((code >= 0x20 && code <= 0xDF) || (lead >= 0x81 && lead <= 0x9F) ||
                (lead >= 0xE0 && lead <= 0xFC))
        << cid;
  }
}

// How many two-byte codes of a table come out of CIDToSJIS as themselves.
int UnchangedTwoByteCodes(uint16_t (*table)(uint16_t)) {
  int unchanged = 0;
  for (uint32_t code = 0x100; code <= 0xFFFF; ++code) {
    if (table(static_cast<uint16_t>(code)) != 63 &&
        CIDToSJIS(table(static_cast<uint16_t>(code))) == code) {
      ++unchanged;
    }
  }
  return unchanged;
}

TEST(CodeTables, MacShiftJisTablesRoundTrip) {
  EXPECT_EQ(UnchangedTwoByteCodes(RKSJ83pvToCID), 6957);
  EXPECT_EQ(UnchangedTwoByteCodes(RKSJ90pvToCID), 6879);
}

using testing::BigEndian;
using testing::JisCharacter;

// Every character comes out as its Shift-JIS code through each of the four ways in.
TEST(CodeTables, JisX0208RoundTrip) {
  const std::vector<JisCharacter> characters = testing::JisX0208();
  ASSERT_EQ(characters.size(), 6879u);
  for (const JisCharacter& c : characters) {
    const std::string expected = BigEndian(c.sjis);
    std::string jis, euc, identity, ucs2;
    ConvertJIS(BigEndian(c.jis), jis);
    ConvertEUC(BigEndian(c.jis + 0x8080), euc);
    ConvertCIDs(BigEndian(c.cid), identity);
    ConvertUCS2(BigEndian(c.unicode), ucs2);
    ASSERT_EQ(testing::ShiftJIS(jis), expected) << std::hex << c.jis;
    ASSERT_EQ(testing::ShiftJIS(euc), expected) << std::hex << c.jis;
    ASSERT_EQ(testing::ShiftJIS(identity), expected) << std::hex << c.jis;
    ASSERT_EQ(testing::ShiftJIS(ucs2), expected) << std::hex << c.jis;
  }
}

// Code page 932 decodes as Windows defines it (Python's cp932 codec): every JIS X 0208
// character, the NEC and IBM rows, the user-defined area, the one-byte codes; a lead byte alone
// or an empty cell is no character.
TEST(CodeTables, CP932DecodesAsWindows) {
  for (const JisCharacter& c : testing::JisX0208()) {
    ASSERT_EQ(CP932ToUnicode(c.sjis), c.unicode) << std::hex << c.sjis;
  }
  EXPECT_EQ(CP932ToUnicode(0x8790), U'≒');   // NEC row 13, also 0x81E0
  EXPECT_EQ(CP932ToUnicode(0xED40), U'纊');  // NEC-selected IBM extension
  EXPECT_EQ(CP932ToUnicode(0xFA40), U'ⅰ');   // IBM extension
  EXPECT_EQ(CP932ToUnicode(0xF040), U'\uE000');
  EXPECT_EQ(CP932ToUnicode(0x5C), U'\\');
  EXPECT_EQ(CP932ToUnicode(0xB6), U'ｶ');
  EXPECT_EQ(CP932ToUnicode(0xA0), U'\uF8F0');
  EXPECT_EQ(CP932ToUnicode(0x81), kNoCharacter);
  EXPECT_EQ(CP932ToUnicode(0x8540), kNoCharacter);
}

// A CID's character: where CIDToSJIS gives a code, that code's character in code page 932 (CID
// 61 is ¥ to poppler-data, 0x5C to CIDToSJIS); else poppler-data's list or CMap, beyond the
// BMP too; a vertical form's CID the character it presents.
TEST(CodeTables, AdobeJapan1Characters) {
  for (const JisCharacter& c : testing::JisX0208()) {
    ASSERT_EQ(AdobeJapan1ToUnicode(c.cid), c.unicode) << c.cid;
  }
  EXPECT_EQ(AdobeJapan1ToUnicode(61), U'\\');
  EXPECT_EQ(AdobeJapan1ToUnicode(7887), U'、');  // vertical forms
  EXPECT_EQ(AdobeJapan1ToUnicode(7888), U'。');
  EXPECT_EQ(AdobeJapan1ToUnicode(12101), U'：');
  EXPECT_EQ(AdobeJapan1ToUnicode(8169), U'}');    // a piece of the vertical }, by the CMap
  EXPECT_EQ(AdobeJapan1ToUnicode(12639), U'﹅');  // presents no other character
  EXPECT_EQ(AdobeJapan1ToUnicode(20000), U'\u9A41');
  EXPECT_EQ(AdobeJapan1ToUnicode(13803), U'\U00020B9F');  // JIS X 0213 𠮟
  EXPECT_EQ(AdobeJapan1ToUnicode(8061), U'\U0001F100');   // by the CMap
  EXPECT_EQ(AdobeJapan1ToUnicode(0xFFFF), kNoCharacter);
}

// A vertical presentation form gives the character its decomposition names (the ellipsis, not
// NFKC's three full stops); Shift-JIS writes that character's code.
TEST(CodeTables, VerticalFormsPresentACharacter) {
  EXPECT_EQ(PresentedCharacter(U'︑'), U'、');
  EXPECT_EQ(PresentedCharacter(U'︙'), U'…');
  EXPECT_EQ(PresentedCharacter(U'﹅'), U'﹅');
  EXPECT_EQ(PresentedCharacter(U'、'), U'、');
  EXPECT_EQ(UnicodeToCP932(0xFE11), 0x8141);
  EXPECT_EQ(UnicodeToCP932(0xFE12), 0x8142);
  EXPECT_EQ(UnicodeToCP932(0xFE19), 0x8163);
  EXPECT_EQ(UnicodeToCP932(0xFE31), 0x815C);  // the em dash's best fit
  EXPECT_EQ(UnicodeToCP932(0xFE35), '(');
  EXPECT_EQ(UnicodeToCP932(0xFE45), kUnknownCharacter);
}

// Compatibility forms fold as NFKC folds them; a unified ideograph of the compatibility block
// stays.
TEST(CodeTables, CompatibilityFormsFoldAsNFKC) {
  EXPECT_EQ(FoldedCompatibilityForm(0x2F00), U'一');
  EXPECT_EQ(FoldedCompatibilityForm(0x2E9F), U'母');
  EXPECT_EQ(FoldedCompatibilityForm(0xF9DC), 0x9686u);
  EXPECT_EQ(FoldedCompatibilityForm(0xFA0E), 0xFA0Eu);
  EXPECT_EQ(FoldedCompatibilityForm(0x2F800), 0x4E3Du);
  EXPECT_EQ(FoldedCompatibilityForm(U'Ａ'), U'A');
  EXPECT_EQ(FoldedCompatibilityForm(U'｡'), U'。');
  EXPECT_EQ(FoldedCompatibilityForm(U'ﾞ'), 0x3099u);
  EXPECT_EQ(FoldedCompatibilityForm(U'あ'), U'あ');
  EXPECT_EQ(ComposedWithSoundMark(U'カ', 0x3099), U'ガ');
  EXPECT_EQ(ComposedWithSoundMark(U'ウ', 0x3099), U'ヴ');
  EXPECT_EQ(ComposedWithSoundMark(U'ハ', 0x309A), U'パ');
  EXPECT_EQ(ComposedWithSoundMark(U'ア', 0x3099), kNoCharacter);
}

}  // namespace
}  // namespace lumenquill
