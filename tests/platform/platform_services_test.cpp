#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/error.h"
#include "platform/escape_key.h"
#include "platform/file_attributes.h"
#include "platform/folder_listing.h"
#include "platform/mul_div.h"
#include "platform/settings_location.h"
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

TEST(EscapeKey, LatchedUntilTaken) {
  TakeEscapeKeyPress();
  EXPECT_FALSE(TakeEscapeKeyPress());
  LatchEscapeKeyPress();
  LatchEscapeKeyPress();
  EXPECT_TRUE(TakeEscapeKeyPress());
  EXPECT_FALSE(TakeEscapeKeyPress());
}

TEST(FolderListing, SortedBytewiseWithoutDotEntries) {
  testing::TempFile file("", "b.pdf");
  const std::string folder = std::filesystem::path(file.path()).parent_path().string();
  std::filesystem::create_directory(folder + "/sub");
  testing::TempFile unused("", "ignored");  // another folder
  std::ofstream(folder + "/B.pdf") << "";
  std::ofstream(folder + "/.hidden.pdf") << "";
  std::vector<std::string> names;
  for (const FolderEntry& entry : ListFolder(folder)) {
    names.push_back(entry.name + (entry.is_folder ? "/" : ""));
  }
  EXPECT_THAT(names, ::testing::ElementsAre(".hidden.pdf", "B.pdf", "b.pdf", "sub/"));
  EXPECT_TRUE(IsHiddenName(".hidden.pdf"));
  EXPECT_TRUE(IsFolder(folder + "/sub"));
  EXPECT_FALSE(IsFolder(folder + "/b.pdf"));
  EXPECT_TRUE(ListFolder(folder + "/missing").empty());
}

TEST(SettingsLocation, TheEnvironmentNamesTheFile) {
  ::setenv("LUMENQUILL_INI", "/tmp/chosen.ini", 1);
  EXPECT_EQ(SettingsFilePath(), "/tmp/chosen.ini");
  ::unsetenv("LUMENQUILL_INI");
  const std::string beside = SettingsFilePath();
  EXPECT_TRUE(beside ==
                  ExecutablePath().substr(0, ExecutablePath().rfind('/')) + "/platform_tests.ini" ||
              beside.ends_with("/lumenquill/lumenquill.ini"))
      << beside;
}

}  // namespace
}  // namespace lumenquill
