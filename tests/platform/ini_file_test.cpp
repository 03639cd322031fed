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
  EXPECT_EQ(ReadProfileInt(ini.path(), "FRMMAIN", "Height", 180), 240);
  EXPECT_EQ(ReadProfileInt(ini.path(), "frmMain", "left", 50), 12);
  EXPECT_EQ(ReadProfileInt(ini.path(), "groupbox1", "checkbox1", 1), 0);
  EXPECT_EQ(ReadProfileString(ini.path(), "frmMain", "Left", ""), "12");
}

TEST(IniFile, IntegersFromLeadingDigits) {
  testing::TempFile ini("[s]\na=12abc\nb=abc\nc=-7\nd=\ne=99999999999\nf=-99999999999\n",
                        "settings.ini");
  EXPECT_EQ(ReadProfileInt(ini.path(), "s", "a", 5), 12);
  EXPECT_EQ(ReadProfileInt(ini.path(), "s", "b", 5), 0);
  EXPECT_EQ(ReadProfileInt(ini.path(), "s", "c", 5), -7);
  EXPECT_EQ(ReadProfileInt(ini.path(), "s", "d", 5), 0);
  EXPECT_EQ(ReadProfileInt(ini.path(), "s", "e", 5), INT32_MAX);
  EXPECT_EQ(ReadProfileInt(ini.path(), "s", "f", 5), -INT32_MAX);
}

TEST(IniFile, MissingPiecesGiveTheDefault) {
  testing::TempFile ini("[s]\na=1\n", "settings.ini");
  EXPECT_EQ(ReadProfileInt(ini.path() + ".missing", "s", "a", 5), 5);
  EXPECT_EQ(ReadProfileInt(ini.path(), "t", "a", 5), 5);
  EXPECT_EQ(ReadProfileInt(ini.path(), "s", "b", 5), 5);
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
  EXPECT_EQ(ReadProfileInt(path, "frmMain", "Height", 0), 200);
  std::filesystem::remove_all(missing);
}

}  // namespace
}  // namespace lumenquill
