#include "reader/decimal_text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace lumenquill {
namespace {

// A failed text is told apart from every value, -1 included.
TEST(ParseDecimal, WholeTextsWithinThirtyTwoBits) {
  EXPECT_EQ(ParseDecimal("42"), 42);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("-1"), -1);
  EXPECT_EQ(ParseDecimal("0000000017"), 17);
  EXPECT_EQ(ParseDecimal("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
  for (const char* text : {"", "-", "+", "1.0", "1e2", " 1", "12x", "2147483648", "--1"}) {
    EXPECT_EQ(ParseDecimal(text), std::nullopt) << text;
  }
}

TEST(RoundDecimal, HalvesToEvenAndTheEndsOfTheRange) {
  EXPECT_EQ(RoundDecimal("2.5", BeyondInt32::kRefused), 2);
  EXPECT_EQ(RoundDecimal("-3.5", BeyondInt32::kRefused), -4);
  EXPECT_EQ(RoundDecimal("1e2", BeyondInt32::kRefused), 100);
  EXPECT_EQ(RoundDecimal("x", BeyondInt32::kHeldAtEnds), std::nullopt);
  EXPECT_EQ(RoundDecimal("2147483647.4", BeyondInt32::kRefused), INT32_MAX);
  EXPECT_EQ(RoundDecimal("2147483648", BeyondInt32::kRefused), std::nullopt);
  EXPECT_EQ(RoundDecimal("2147483648", BeyondInt32::kHeldAtEnds), INT32_MAX);
  EXPECT_EQ(RoundDecimal("-1e300", BeyondInt32::kHeldAtEnds), INT32_MIN);
}

}  // namespace
}  // namespace lumenquill
