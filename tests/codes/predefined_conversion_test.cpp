#include "codes/predefined_conversion.h"

#include <gtest/gtest.h>

#include "codes/extracted_text.h"
#include "codes/unicode_text.h"
#include "support/shift_jis.h"

namespace lumenquill {
namespace {

using Converter = void (*)(std::string_view, std::string&);

std::string Extracted(Converter convert, const std::string& bytes) {
  std::string out = "<";  // conversions append
  convert(bytes, out);
  return out.substr(1);
}

// As the Shift-JIS output writes it.
std::string Converted(Converter convert, const std::string& bytes) {
  return testing::ShiftJIS(Extracted(convert, bytes));
}

TEST(PredefinedConversion, SingleByteText) {
  EXPECT_EQ(Converted(WriteSingleByteText, "A\tb\xE9~\x7F"), "A b ~ ");
}

// The Unicode encodings: あ, then 𠮟 (beyond U+FFFF: one space), then malformed or cut codes.
TEST(PredefinedConversion, UnicodeEncodings) {
  EXPECT_EQ(Converted(ConvertUTF16, std::string("\x30\x42\xD8\x42\xDF\x9F\xDC\x00\x30", 9)),
            "\x82\xA0  ");
  EXPECT_EQ(Converted(ConvertUTF8,
                      "\xE3\x81\x82\xF0\xA0\xAE\x9F\x81"
                      "A\xE3\x81"),
            "\x82\xA0  A");
  EXPECT_EQ(Converted(ConvertUTF8, "\xE3\x41\x42"), " AB");
  EXPECT_EQ(Converted(ConvertUTF32, std::string("\0\0\x30\x42\0\x02\x0B\x9F\0\0", 10)),
            "\x82\xA0 ");
  // 葛 with a variation selector beyond the BMP: the selector converts to nothing.
  EXPECT_EQ(Converted(ConvertUTF16, std::string("\x84\x5B\xDB\x40\xDD\x00", 6)), "\x8A\x8B");
  EXPECT_EQ(Converted(ConvertUTF8, "\xE8\x91\x9B\xF3\xA0\x84\x80"), "\x8A\x8B");
}

// The extracted text keeps a character beyond the BMP whole in every Unicode encoding, a UTF-16
// surrogate pair combined, and gives U+FFFD for a malformed sequence.
TEST(PredefinedConversion, UnicodeEncodingsKeepCharactersBeyondTheBMP) {
  const std::string scold = "\xF0\xA0\xAE\x9F";  // 𠮟 U+20B9F
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(Extracted(ConvertUTF16, std::string("\xD8\x42\xDF\x9F\xDC\x00", 6)),
            scold + replacement);
  EXPECT_EQ(Extracted(ConvertUTF8, "\xF0\xA0\xAE\x9F\x81"), scold + replacement);
  EXPECT_EQ(Extracted(ConvertUTF32, std::string("\0\x02\x0B\x9F\0\x11\0\0", 8)),
            scold + replacement);
  EXPECT_EQ(Extracted(WriteUCS2Text, std::string("\xD8\x42", 2)), replacement);
}

TEST(PredefinedConversion, IdentityCIDs) {
  std::string cid;
  AppendAdobeJapan1CID(0x279, cid);
  EXPECT_EQ(Extracted(ConvertCIDs, std::string("\x02\x79", 2)), cid);  // kept for the encoder
  EXPECT_EQ(Converted(ConvertCIDs, std::string("\x02\x79", 2)), "\x81\x40");
  EXPECT_EQ(Converted(ConvertCIDs, std::string("\x00\x22", 2)), "A");
  EXPECT_EQ(Converted(ConvertCIDs, std::string("\x00\x00", 2)), " ");
  EXPECT_EQ(Converted(ConvertCIDs, std::string("\x20\x00", 2)), "?");
  EXPECT_EQ(Converted(ConvertCIDs, std::string("\x01\x46", 2)), "\xA0");  // CID 326
  // An odd last byte is ignored; a single byte gives nothing.
  EXPECT_EQ(Converted(ConvertCIDs, std::string("\x00\x22\x02", 3)), "A");
  EXPECT_EQ(Converted(ConvertCIDs, std::string("\x02", 1)), "");
}

// CIDs of another collection are never read as Adobe-Japan1 ones: each is unknown.
TEST(PredefinedConversion, UnknownCIDs) {
  std::string unknown;
  AppendUnknownCode(unknown);
  EXPECT_EQ(Extracted(WriteUnknownCIDs, std::string("\x02\x79\x00\x22", 4)), unknown + unknown);
  EXPECT_EQ(Converted(WriteUnknownCIDs, std::string("\x02\x79\x00\x22", 4)), "??");
  EXPECT_EQ(Converted(WriteUnknownCIDs, std::string("\x00\x22\x02", 3)), "?");
  EXPECT_EQ(Converted(WriteUnknownCIDs, std::string("\x02", 1)), "");
}

TEST(PredefinedConversion, EUC) {
  EXPECT_EQ(Converted(ConvertEUC, "\xA4\xA2"), "\x82\xA0");
  EXPECT_EQ(Converted(ConvertEUC, "A"), "A");
  EXPECT_EQ(Converted(ConvertEUC, "~"), "?");
  EXPECT_EQ(Converted(ConvertEUC, "\x8E\xB1"), "\xB1");  // half-width katakana
  EXPECT_EQ(Converted(ConvertEUC, "\xFF\xFF"), "^");     // outside the table: CID 63
  // A lead byte that ends the string has no trail and gives nothing.
  EXPECT_EQ(Converted(ConvertEUC, "A\xA4"), "A");
}

// The RKSJ CMaps that keep their codes: ASCII is itself, every other code one code page 932
// code, which the Shift-JIS output writes as it came, a lone lead byte at the end included.
TEST(PredefinedConversion, ShiftJISCodesAreKept) {
  std::string expected = "A";
  AppendCP932Character(0x82A0, expected);
  AppendCP932Character(0xB1, expected);
  AppendCP932Character(0x81, expected);
  EXPECT_EQ(Extracted(ConvertShiftJIS, "A\x82\xA0\xB1\x81"), expected);
  EXPECT_EQ(Converted(ConvertShiftJIS, "A\x82\xA0\xB1\x81"), "A\x82\xA0\xB1\x81");
  EXPECT_EQ(Converted(ConvertShiftJIS, "\x82\n\xFD\x80"), "\x82\n\xFD\x80");
}

TEST(PredefinedConversion, JIS) {
  EXPECT_EQ(Converted(ConvertJIS, "\x30\x21"), "\x88\x9F");
  EXPECT_EQ(Converted(ConvertJIS, "\x30\x21\x30"), "\x88\x9F");
}

TEST(PredefinedConversion, MacShiftJis) {
  EXPECT_EQ(Converted(Convert83pv, "\xFD"), "?");  // CID 152 is not listed
  EXPECT_EQ(Converted(Convert83pv, "A"), "A");
  EXPECT_EQ(Converted(Convert83pv, "\x82\xA0"), "\x82\xA0");
  EXPECT_EQ(Converted(Convert90pv, "\x85\x40"), "\x87\x40");  // CID 7555
  EXPECT_EQ(Converted(Convert83pv, "\x85\x40"), "!");         // CID 232
  EXPECT_EQ(Converted(Convert83pv, "\xEB\x41"), "\x81\x41");  // a vertical form
  EXPECT_EQ(Converted(Convert90pv, "\xB1"), "\xB1");
}

TEST(PredefinedConversion, UCS2) {
  EXPECT_EQ(Converted(ConvertUCS2, std::string("\x00\x41\x30\x42\x00\x3F", 6)), "A\x82\xA0?");
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\x00\xE9", 2)), " ");  // no equivalent
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\x30\x1C", 2)), "\x81\x60");
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\x22\x12", 2)), "\x81\x7C");
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\x20\x14", 2)), "\x81\x5C");
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\xD8\x3D\xDE\x00", 4)), "  ");
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\x00\x00\x00\x41\x00", 5)), "A");
}

// Best fit: variation selectors disappear; radicals and compatibility ideographs become the
// ideograph they stand for.
TEST(PredefinedConversion, UCS2BestFit) {
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\x6F\x22\xFE\x00", 4)), "\x8A\xBF");  // 漢
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\x2F\x00", 2)), "\x88\xEA");  // ⼀ → 一
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\xF9\x00", 2)), "\xE6\xAF");  // 豈 → U+8C48
  EXPECT_EQ(Converted(WriteUCS2Text, std::string("\xF9\x29", 2)), "\xED\xC4");  // CP932's own
}

}  // namespace
}  // namespace lumenquill
