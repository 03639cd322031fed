#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/file_reading.h"
#include "platform/folder_listing.h"
#include "platform/mul_div.h"
#include "platform/temporary_name.h"
#include "platform/utf16_text.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(1, 100, 4), 25);
  EXPECT_EQ(MulDiv(1, 100, 3), 33);
  EXPECT_EQ(MulDiv(2, 100, 3), 67);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(0, 100, 0), -1);
  EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, 1), -1);
}

// Standard input is read whole, as bytes, up to a bound past which nothing more is held.
TEST(StandardInput, ReadWholeUpToTheBound) {
  const std::string bytes = std::string("%PDF-1.4\r\n\x1a") + '\0' + "end";
  testing::TempFile file(bytes, "input.pdf");
  ASSERT_NE(std::freopen(file.path().c_str(), "rb", stdin), nullptr);
  EXPECT_EQ(ReadStandardInput(bytes.size()), bytes);
  ASSERT_NE(std::freopen(file.path().c_str(), "rb", stdin), nullptr);
  try {
    ReadStandardInput(bytes.size() - 1);
    ADD_FAILURE() << "read past the bound";
  } catch (const FileOpenError& error) {
    EXPECT_EQ(error.cause(), FileOpenError::Cause::kTooLarge);
  }
}

// A hidden name is never longer than the name it stands in for (8 units at least), counted as
// the file system counts, and never cuts a character: "é" is 2 bytes and 1 unit, "😀" 4 and 2.
TEST(HiddenTemporaryName, NoLongerThanTheNameAndWholeCharacters) {
  EXPECT_EQ(HiddenTemporaryName("a.txt", NameUnits::kBytes), "..XXXXXX");
  EXPECT_EQ(HiddenTemporaryName("report.txt", NameUnits::kBytes), ".re.XXXXXX");
  const std::string longest(255, 'n');
  EXPECT_EQ(HiddenTemporaryName(longest, NameUnits::kBytes), "." + longest.substr(8) + ".XXXXXX");
  EXPECT_EQ(HiddenTemporaryName("ééééé.text", NameUnits::kBytes), ".ééé.XXXXXX");  // 15 bytes
  EXPECT_EQ(HiddenTemporaryName("ééééé.txt", NameUnits::kUtf16), ".é.XXXXXX");     // 9 units
  EXPECT_EQ(HiddenTemporaryName("a😀😀😀😀😀", NameUnits::kUtf16), ".a😀.XXXXXX");       // 11 units
}

TEST(Utf16ToUtf8, JoinsSurrogatePairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"aé日😀"), "aé日😀");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, u'x', 0xDE00, 0xD83D}), "\uFFFDx\uFFFD\uFFFD");
}

TEST(FolderListing, SortedBytewiseWithoutDotEntries) {
  testing::TempFile file("", "a.pdf");
  const std::string folder = std::filesystem::path(file.path()).parent_path().string();
  std::filesystem::create_directory(folder + "/sub");
  testing::TempFile unused("", "ignored");  // another folder
  std::ofstream(folder + "/B.pdf") << "";
  std::ofstream(folder + "/_c.pdf") << "";
  std::vector<std::string> names;
  for (const FolderEntry& entry : ListFolder(folder)) {
    EXPECT_FALSE(entry.is_hidden) << entry.name;
    names.push_back(entry.name + (entry.is_folder ? "/" : ""));
  }
  EXPECT_THAT(names, ::testing::ElementsAre("B.pdf", "_c.pdf", "a.pdf", "sub/"));
  EXPECT_TRUE(IsFolder(folder + "/sub"));
  EXPECT_FALSE(IsFolder(folder + "/a.pdf"));
  EXPECT_TRUE(ListFolder(folder + "/missing").empty());
}

}  // namespace
}  // namespace lumenquill
