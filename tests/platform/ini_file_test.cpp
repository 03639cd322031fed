#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/path_text.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

TEST(IniFile, MatchesSectionsAndKeysWithoutCase) {
  testing::TempFile ini("[frmMain]\nheight=240\nLeft = 12 \n[GroupBox1]\nCheckBox1=0\n",
                        "settings.ini");
  EXPECT_EQ(ReadProfileString(ini.path(), "FRMMAIN", "Height", ""), "240");
  EXPECT_EQ(ReadProfileString(ini.path(), "frmMain", "left", ""), "12");
  EXPECT_EQ(ReadProfileString(ini.path(), "groupbox1", "checkbox1", ""), "0");
}

TEST(IniFile, MissingPiecesGiveTheDefault) {
  testing::TempFile ini("[s]\na=1\n", "settings.ini");
  EXPECT_EQ(FindProfileValue(ini.path() + ".missing", "s", "a"), std::nullopt);
  EXPECT_EQ(FindProfileValue(ini.path(), "s", "b"), std::nullopt);
  // A key of another section is not found.
  EXPECT_EQ(ReadProfileString(ini.path(), "t", "a", "none"), "none");
}

TEST(IniFile, WritingKeepsEveryOtherLine) {
  testing::TempFile ini("; comment\n[a]\nx=1\n\n[b]\ny=2\n", "settings.ini");
  WriteProfileValue(ini.path(), "A", "X", "5");  // an existing key, another case
  WriteProfileValue(ini.path(), "a", "z", "6");  // a new key in an existing section
  WriteProfileValue(ini.path(), "c", "w", "7");  // a new section
  EXPECT_EQ(ReadProfileString(ini.path(), "a", "x", ""), "5");
  EXPECT_EQ(ReadProfileString(ini.path(), "a", "z", ""), "6");
  EXPECT_EQ(ReadProfileString(ini.path(), "b", "y", ""), "2");
  EXPECT_EQ(ReadProfileString(ini.path(), "c", "w", ""), "7");
#ifdef _WIN32
  // Windows's own profile functions write the lines their way (CR LF, the key as named).
  EXPECT_TRUE(testing::ReadWholeFile(ini.path()).starts_with("; comment\r\n[a]\r\n"));
#else
  EXPECT_EQ(testing::ReadWholeFile(ini.path()), "; comment\n[a]\nX=5\nz=6\n\n[b]\ny=2\n[c]\nw=7\n");
#endif
}

TEST(IniFile, WritingCreatesTheFileAndItsFolders) {
  testing::TempFile folder("");
  const std::filesystem::path missing = FilesystemPath(folder.path() + ".d");
  const std::string path = PathText(missing / "lumenquill" / "settings.ini");
  WriteProfileValue(path, "frmMain", "height", "200");
  EXPECT_EQ(ReadProfileString(path, "frmMain", "Height", ""), "200");
  std::filesystem::remove_all(missing);
}

}  // namespace
}  // namespace lumenquill
