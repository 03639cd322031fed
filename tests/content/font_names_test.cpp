#include <gtest/gtest.h>

#include "content/font_names.h"

namespace lumenquill {
namespace {

// Escaped bytes must fit Shift-JIS: single bytes, or a lead byte with its trail.
TEST(FontNames, DecodeNameEscapes) {
  EXPECT_EQ(DecodeNameEscapes("Times#20New"), "Times New");
  EXPECT_EQ(DecodeNameEscapes("#82l#82r"), "\x82\x6C\x82\x72");
  EXPECT_EQ(DecodeNameEscapes("#82#A0"), "\x82\xA0");
  EXPECT_EQ(DecodeNameEscapes("#82l#82r#83S#83V#83b#83N"),
            "\x82\x6C\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4E");  // ＭＳ ゴシック
  EXPECT_EQ(DecodeNameEscapes("#b1#B2"), "\xB1\xB2");             // half-width kana
  EXPECT_EQ(DecodeNameEscapes("plain\x82"), "plain\x82");         // unescaped bytes pass
}

TEST(FontNames, FailedEscapesLeaveTheTextUnchanged) {
  for (const char* text : {"a#00b", "a#7Fb", "#82#20", "#G1", "#A0", "#FD#40", "#82\x7F"}) {
    EXPECT_EQ(DecodeNameEscapes(text), text);
  }
}

TEST(FontNames, CutOffEscapesAreDropped) {
  EXPECT_EQ(DecodeNameEscapes("Arial#4"), "Arial");
  EXPECT_EQ(DecodeNameEscapes("Arial#"), "Arial");
  EXPECT_EQ(DecodeNameEscapes("Arial#82"), "Arial");
}

}  // namespace
}  // namespace lumenquill
