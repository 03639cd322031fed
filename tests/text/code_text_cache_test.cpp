#include "text/code_text_cache.h"

#include <gtest/gtest.h>

namespace lumenquill {
namespace {

int conversions = 0;

// Counts its calls; an ASCII byte is its own text, any other byte is written as x and its hex.
void ConvertForTest(std::string_view codes, std::string& dest) {
  ++conversions;
  for (const char byte : codes) {
    const auto value = static_cast<uint8_t>(byte);
    if (value < 0x80) {
      dest += byte;
    } else {
      dest += 'x';
      dest += "0123456789ABCDEF"[value >> 4];
      dest += "0123456789ABCDEF"[value & 15];
    }
  }
}

FontSelection TestSelection() {
  FontSelection selection;
  selection.conversion = {ConversionKind::kLabel, ConvertForTest};
  return selection;
}

// Codes of one and two bytes are converted once, and their texts copied after; a longer code is
// converted at each use.
TEST(CodeTextCache, KeepsTheTextsOfCodes) {
  const FontSelection selection = TestSelection();
  size_t budget = 1 << 20;
  CodeTextCache cache(selection, budget);
  conversions = 0;
  std::string text;
  for (const std::string_view code : {"A", "\x82\xA0", "\xE9", "\x82\xA0", "\x81\x40", "A", "\xE9",
                                      "\x8F\xA1\xA1", "\x8F\xA1\xA1"}) {
    cache.Append(code, text);
  }
  EXPECT_EQ(text, "Ax82xA0xE9x82xA0x81@AxE9x8FxA1xA1x8FxA1xA1");
  EXPECT_EQ(conversions, 6);
}

// Past the budget the texts are still right, converted at each use, and the budget never goes
// below nothing, however many tables the codes would make.
TEST(CodeTextCache, KeepsWithinItsBudget) {
  const FontSelection selection = TestSelection();
  size_t budget = 100;  // no table of two-byte codes
  CodeTextCache small(selection, budget);
  conversions = 0;
  std::string text;
  for (int k = 0; k < 3; ++k) {
    small.Append("\x82\xA0", text);
    small.Append(std::string_view("B"), text);
  }
  EXPECT_EQ(text, "x82xA0Bx82xA0Bx82xA0B");
  EXPECT_EQ(conversions, 4);
  EXPECT_EQ(budget, 99U);

  budget = 2100;  // one table and a few texts
  CodeTextCache cache(selection, budget);
  std::string expected;
  text.clear();
  for (int first = 0x81; first <= 0x9F; ++first) {
    const char code[] = {static_cast<char>(first), '\x40'};
    cache.Append(std::string_view(code, 2), text);
    ConvertForTest(std::string_view(code, 2), expected);
  }
  EXPECT_EQ(text, expected);
  EXPECT_LE(budget, 2100U);
}

// A string's codes are their own bytes when each has been converted to itself.
TEST(CodeTextCache, OwnBytes) {
  const FontSelection selection = TestSelection();
  size_t budget = 1 << 20;
  CodeTextCache cache(selection, budget);
  EXPECT_FALSE(cache.AreOwnBytes("Hi"));  // not converted yet
  std::string text;
  for (const int code : {0x48, 0x69, 0x21, 0xE9}) cache.Append(static_cast<uint8_t>(code), text);
  EXPECT_EQ(text, "Hi!xE9");
  EXPECT_TRUE(cache.AreOwnBytes("Hi!iH"));
  EXPECT_FALSE(cache.AreOwnBytes("Hi\xE9"));
  EXPECT_FALSE(cache.AreOwnBytes("Hi?"));
}

}  // namespace
}  // namespace lumenquill
