#include "codes/code_helpers.h"

#include <gtest/gtest.h>

namespace lumenquill {
namespace {

TEST(CodeHelpers, HexDigits) {
  EXPECT_TRUE(IsHexDigit('a'));
  EXPECT_TRUE(IsHexDigit('F'));
  EXPECT_TRUE(IsHexDigit('0'));
  EXPECT_FALSE(IsHexDigit('g'));
  EXPECT_FALSE(IsHexDigit(' '));
}

}  // namespace
}  // namespace lumenquill
