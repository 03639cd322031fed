#include <gtest/gtest.h>

#include "content/font_names.h"
#include "content/font_resource.h"

namespace lumenquill {
namespace {

TEST(FontResource, AssignCopiesAll) {
  TPDFFontResource source("/F1", 5);
  source.Subtype = "Type0";
  source.FontName = "Mincho";
  source.Encoding = "Identity-H";
  source.Embedded = true;
  source.FontFileObject = 9;
  source.CMapData = std::make_unique<MemoryStream>("\n\nprogram");
  source.ToUnicode = ToUnicodeMap::kIdentity;
  source.CIDRegistry = "Adobe";
  source.CIDOrdering = "Identity";
  source.GlyphCharacters = std::make_shared<CIDGlyphCharacters>();

  TPDFFontResource target("/F2", 6);
  target.Failed = true;
  target.Assign(source);
  EXPECT_EQ(target.Name, "/F1");
  EXPECT_EQ(target.ObjectNumber, 5);
  EXPECT_EQ(target.Subtype, "Type0");
  EXPECT_EQ(target.FontName, "Mincho");
  EXPECT_EQ(target.Encoding, "Identity-H");
  EXPECT_TRUE(target.Embedded);
  EXPECT_EQ(target.FontFileObject, 9);
  EXPECT_EQ(target.ToUnicode, ToUnicodeMap::kIdentity);
  EXPECT_EQ(target.CIDRegistry, "Adobe");
  EXPECT_EQ(target.CIDOrdering, "Identity");
  EXPECT_EQ(target.GlyphCharacters, source.GlyphCharacters);
  EXPECT_FALSE(target.Failed);
  ASSERT_NE(target.CMapData, nullptr);
  EXPECT_NE(target.CMapData.get(), source.CMapData.get());
  EXPECT_EQ(target.CMapData->Bytes(), "\n\nprogram");
}

TEST(FontResource, AssignFromAFailedFontOnlyMarksFailure) {
  TPDFFontResource source("/F1", 5);
  source.Failed = true;
  source.FontName = "Other";
  TPDFFontResource target("/F2", 6);
  target.CMapData = std::make_unique<MemoryStream>("kept");
  target.Assign(source);
  EXPECT_TRUE(target.Failed);
  EXPECT_EQ(target.Name, "/F2");
  EXPECT_EQ(target.FontName, "???");
  ASSERT_NE(target.CMapData, nullptr);
}

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
