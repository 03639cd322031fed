#include "codes/text_encoder.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "codes/extracted_text.h"

namespace lumenquill {
namespace {

std::string Extracted(std::initializer_list<char32_t> code_points) {
  std::string text;
  for (const char32_t c : code_points) AppendExtracted(c, text);
  return text;
}

struct Encoded {
  std::string bytes;
  Substitutions substitutions;
};

Encoded Encode(OutputEncoding encoding, std::string_view extracted, bool fold = false) {
  TextEncoder encoder({encoding, fold});
  Encoded result;
  encoder.Encode(extracted, result.bytes);
  result.substitutions = encoder.substitutions();
  return result;
}

// The UTF-16LE bytes of the text, as the compiler encodes it.
std::string UTF16LE(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

constexpr OutputEncoding kUnicodeEncodings[] = {OutputEncoding::kUTF8, OutputEncoding::kUTF8WithBOM,
                                                OutputEncoding::kUTF16LEWithBOM};

// Each mark resolves by its table: Shift-JIS writes a code page 932 code as it came (NEC row
// 13's ≒ 0x8790, though the character's own code is 0x81E0) and a CID's code; the Unicode
// encodings write their characters. The CID of "?" is no substitution.
TEST(TextEncoder, MarksResolveInEachEncoding) {
  const std::string text = Extracted(
      {'A', kCP932Code + 0x8790, kCP932Code + 0xB6, kAdobeJapan1 + 843, kAdobeJapan1 + 32, U'≒'});
  const Encoded sjis = Encode(OutputEncoding::kShiftJIS, text);
  EXPECT_EQ(sjis.bytes, "A\x87\x90\xB6\x82\xA0?\x81\xE0");
  EXPECT_FALSE(sjis.substitutions.Any());
  for (const OutputEncoding encoding : {OutputEncoding::kUTF8, OutputEncoding::kUTF8WithBOM}) {
    EXPECT_EQ(Encode(encoding, text).bytes, "A≒ｶあ?≒");
  }
  const Encoded utf16 = Encode(OutputEncoding::kUTF16LEWithBOM, text);
  EXPECT_EQ(utf16.bytes, UTF16LE(u"A≒ｶあ?≒"));
  EXPECT_FALSE(utf16.substitutions.Any());
}

// 𠮟 (JIS X 0213, CID 13803) takes four bytes in UTF-8 and a surrogate pair in UTF-16; Shift-JIS
// cannot hold it, as a character or as a CID.
TEST(TextEncoder, CharactersBeyondTheBMP) {
  const std::string text = Extracted({U'𠮟', kAdobeJapan1 + 13803});
  EXPECT_EQ(Encode(OutputEncoding::kUTF8, text).bytes, "\xF0\xA0\xAE\x9F\xF0\xA0\xAE\x9F");
  EXPECT_EQ(Encode(OutputEncoding::kUTF16LEWithBOM, text).bytes,
            "\x42\xD8\x9F\xDF\x42\xD8\x9F\xDF");
  const Encoded sjis = Encode(OutputEncoding::kShiftJIS, text);
  EXPECT_EQ(sjis.bytes, " ?");
  EXPECT_EQ(sjis.substitutions.unrepresentable, 2);
  EXPECT_EQ(sjis.substitutions.unknown, 0);
  EXPECT_EQ(sjis.substitutions.examples, std::vector<char32_t>{U'𠮟'});
}

// Shift-JIS counts every character it replaces and keeps the first five distinct ones; the
// Unicode encodings replace none of them.
TEST(TextEncoder, UnrepresentableCharactersAreCountedWithExamples) {
  const std::string text = Extracted({U'é', U'𠮟', U'é', U'ü', U'한', U'😀', U'㉑', U'Ω'});
  const Encoded sjis = Encode(OutputEncoding::kShiftJIS, text);
  EXPECT_EQ(sjis.bytes, "       \x83\xB6");
  EXPECT_EQ(sjis.substitutions.unrepresentable, 7);
  EXPECT_EQ(sjis.substitutions.examples, (std::vector<char32_t>{U'é', U'𠮟', U'ü', U'한', U'😀'}));
  for (const OutputEncoding encoding : kUnicodeEncodings) {
    EXPECT_FALSE(Encode(encoding, text).substitutions.Any());
  }
}

// The unknown mark, a CID and a code page 932 code that no table knows, and a byte that starts
// no character are unknown in every encoding: "?" in Shift-JIS (which writes the code page 932
// code as it came), U+FFFD in Unicode.
TEST(TextEncoder, UnknownCodesAreCountedInEveryEncoding) {
  const std::string text =
      Extracted({kUnknownCode, kAdobeJapan1 + 0xFFFF, kCP932Code + 0x8540}) + "\x80";
  const Encoded sjis = Encode(OutputEncoding::kShiftJIS, text);
  EXPECT_EQ(sjis.bytes, "??\x85\x40?");
  EXPECT_EQ(sjis.substitutions.unknown, 4);
  EXPECT_EQ(sjis.substitutions.unrepresentable, 0);
  EXPECT_EQ(Encode(OutputEncoding::kUTF8, text).bytes, "\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Encode(OutputEncoding::kUTF16LEWithBOM, text).bytes,
            UTF16LE(u"\uFFFD\uFFFD\uFFFD\uFFFD"));
  for (const OutputEncoding encoding : kUnicodeEncodings) {
    EXPECT_EQ(Encode(encoding, text).substitutions.unknown, 4);
  }
}

TEST(TextEncoder, PreambleIsTheByteOrderMark) {
  EXPECT_EQ(TextEncoder({OutputEncoding::kShiftJIS}).Preamble(), "");
  EXPECT_EQ(TextEncoder({OutputEncoding::kUTF8}).Preamble(), "");
  EXPECT_EQ(TextEncoder({OutputEncoding::kUTF8WithBOM}).Preamble(), "\xEF\xBB\xBF");
  EXPECT_EQ(TextEncoder({OutputEncoding::kUTF16LEWithBOM}).Preamble(), "\xFF\xFE");
}

// ︑ ︒ ︵ ︙ (as Chromium writes them in the ToUnicode of vertical text) give the character they
// present in every encoding; ﹅ presents no other character.
TEST(TextEncoder, VerticalFormsGiveTheCharacterTheyPresent) {
  const std::string text = Extracted({U'︑', U'︒', U'︵', U'︙', kAdobeJapan1 + 7887, U'﹅'});
  const Encoded sjis = Encode(OutputEncoding::kShiftJIS, text);
  EXPECT_EQ(sjis.bytes, "\x81\x41\x81\x42(\x81\x63\x81\x41 ");
  EXPECT_EQ(sjis.substitutions.examples, std::vector<char32_t>{U'﹅'});
  EXPECT_EQ(Encode(OutputEncoding::kUTF8, text).bytes, "、。(…、﹅");
  EXPECT_EQ(Encode(OutputEncoding::kUTF16LEWithBOM, text).bytes, UTF16LE(u"、。(…、﹅"));
}

// Folded only when asked and only in Unicode: a radical, compatibility ideographs in and beyond
// the BMP, full-width ASCII, half-width katakana with their sound marks (also as code page 932
// codes), and a mark that composes with nothing kept as the combining one, as NFKC gives them.
TEST(TextEncoder, CompatibilityFormsFoldWhenAsked) {
  const std::string text =
      Extracted({U'\u2F00', U'\uF9DC', U'\U0002F800', U'Ａ', U'ｶ', U'ﾞ', kCP932Code + 0xCA,
                 kCP932Code + 0xDF, U'ｱ', U'ﾞ', U'か', U'ﾞ'});
  EXPECT_EQ(Encode(OutputEncoding::kUTF8, text, true).bytes, "一\u9686\u4E3DAガパア\u3099が");
  EXPECT_EQ(Encode(OutputEncoding::kUTF16LEWithBOM, text, true).bytes,
            UTF16LE(u"一\u9686\u4E3DAガパア\u3099が"));
  EXPECT_EQ(Encode(OutputEncoding::kUTF8, text).bytes, "\u2F00\uF9DC\U0002F800Ａｶﾞﾊﾟｱﾞかﾞ");
  EXPECT_EQ(Encode(OutputEncoding::kShiftJIS, text, true).bytes,
            Encode(OutputEncoding::kShiftJIS, text).bytes);
}

// Variation selectors, in the BMP and beyond, write nothing in Shift-JIS and replace nothing;
// the Unicode encodings keep them.
TEST(TextEncoder, VariationSelectors) {
  const std::string text = Extracted({U'葛', 0xE0100, U'葛', 0xFE00});
  const Encoded sjis = Encode(OutputEncoding::kShiftJIS, text);
  EXPECT_EQ(sjis.bytes, "\x8A\x8B\x8A\x8B");
  EXPECT_FALSE(sjis.substitutions.Any());
  EXPECT_EQ(Encode(OutputEncoding::kUTF8, text).bytes, "葛\U000E0100葛\uFE00");
}

}  // namespace
}  // namespace lumenquill
