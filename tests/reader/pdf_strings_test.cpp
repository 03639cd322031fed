#include "reader/pdf_strings.h"

#include <gtest/gtest.h>

#include "reader/memory_stream.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

TEST(PdfStrings, HexToBytes) {
  EXPECT_EQ(HexToBytes("414243"), "ABC");
  EXPECT_EQ(HexToBytes("41 42 4"), "AB");
  EXPECT_EQ(HexToBytes("4 1\t4\r\n2"), "AB");  // white space inside a byte is passed over
  EXPECT_EQ(HexToBytes("e3"), "\xE3");
  EXPECT_EQ(HexToBytes("41 4", OddHexDigit::kFollowedByZero), "A@");
  EXPECT_EQ(HexToBytes("4 14", OddHexDigit::kFollowedByZero), "A@");
}

TEST(PdfStrings, ReadHexString) {
  MemoryStream closed("41 42\n4x3 5>rest ");
  std::string bytes = "kept";
  ReadHexString(closed, bytes);
  EXPECT_EQ(bytes, "keptABC");  // digits pair across other bytes; the last one is dropped
  std::string token;
  ReadToken(closed, token);
  EXPECT_EQ(token, "rest");
  MemoryStream unclosed("41424");
  bytes.clear();
  ReadHexString(unclosed, bytes);
  EXPECT_EQ(bytes, "AB");
  EXPECT_TRUE(unclosed.AtEnd());
}

// The decoded bytes of "(<body>" and the tokens left after it.
std::pair<std::string, std::string> Literal(const std::string& body) {
  MemoryStream stream(body + " ");
  std::string decoded;
  ReadLiteralString(stream, decoded);
  std::string rest;
  std::string token;
  try {
    for (;;) {
      ReadToken(stream, token);
      rest += token;
    }
  } catch (const ReadError&) {
  }
  return {decoded, rest};
}

TEST(PdfStrings, LiteralStrings) {
  EXPECT_EQ(Literal("a\\(b\\)c)"), std::make_pair(std::string("a(b)c"), std::string()));
  EXPECT_EQ(Literal("a(b)c)"), std::make_pair(std::string("a(b"), std::string("c)")));
  EXPECT_EQ(Literal("\\\\\\b\\f\\n\\r\\t)").first, "\\\b\f\n\r\t");
  EXPECT_EQ(Literal("\\q)").first, "");
  EXPECT_EQ(Literal("a\\\r\nb\\\nc\\\rd)").first, "abcd");
}

TEST(PdfStrings, NumericEscapes) {
  EXPECT_EQ(Literal("\\101\\60x)").first, "A0x");
  EXPECT_EQ(Literal("\\9)").first, "\x09");
  EXPECT_EQ(Literal("\\18)").first, "\x10");
  EXPECT_EQ(Literal("\\1) next"), std::make_pair(std::string("\x01"), std::string("next")));
  EXPECT_EQ(Literal("\\12) next"), std::make_pair(std::string("\x0A"), std::string("next")));
  EXPECT_EQ(Literal("\\777)").first, "\xFF");
  EXPECT_EQ(Literal("\\1\\))").first, "\x01)");
  EXPECT_EQ(Literal("\\1234\\400)").first, std::string("S4\0", 3));  // three digits; low byte
}

TEST(PdfStrings, LiteralStringsEndQuietly) {
  EXPECT_EQ(Literal("abc").first, "abc ");
  MemoryStream stream("ab\\");
  std::string decoded;
  ReadLiteralString(stream, decoded);
  EXPECT_EQ(decoded, "ab");
}

}  // namespace
}  // namespace lumenquill
