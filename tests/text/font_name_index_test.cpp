#include "text/font_name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenquill {
namespace {

// Names alike in their first and last eight bytes differ in the middle; the first font of a
// name wins; a name no font has, a prefix of one or an empty one finds nothing.
TEST(FontNameIndex, FindsTheFirstFontOfEachName) {
  const std::vector<std::string> names = {
      "/F1", "/F2+0", "/F1", "/ABCDEFGH-middle-1-ABCDEFGH", "/ABCDEFGH-middle-2-ABCDEFGH", "/"};
  const FontNameIndex index({names.begin(), names.end()});
  EXPECT_EQ(index.Find("/F1"), 0);
  EXPECT_EQ(index.Find("/F2+0"), 1);
  EXPECT_EQ(index.Find("/ABCDEFGH-middle-1-ABCDEFGH"), 3);
  EXPECT_EQ(index.Find("/ABCDEFGH-middle-2-ABCDEFGH"), 4);
  EXPECT_EQ(index.Find("/"), 5);
  EXPECT_EQ(index.Find("/F2"), -1);
  EXPECT_EQ(index.Find("/F1 "), -1);
  EXPECT_EQ(index.Find(""), -1);
  EXPECT_EQ(FontNameIndex({}).Find("/F1"), -1);
}

// A page may name thousands of fonts; each is found where the list puts it.
TEST(FontNameIndex, ManyNames) {
  std::vector<std::string> names;
  for (int i = 0; i < 5000; ++i) names.push_back("/T" + std::to_string(i));
  const FontNameIndex index({names.begin(), names.end()});
  for (int i = 0; i < 5000; i += 7) EXPECT_EQ(index.Find("/T" + std::to_string(i)), i);
  EXPECT_EQ(index.Find("/T5000"), -1);
}

}  // namespace
}  // namespace lumenquill
