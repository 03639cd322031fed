#include "app/settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "settings_file.h"

namespace lumenquill {
namespace {

using testing::SettingsFile;

struct Applied {
  ExtractionOptions extraction;
  ConversionFlags flags;
  explicit Applied(const std::string& settings) {
    SettingsFile file(settings);
    extraction.new_line = "untouched";
    flags = LoadOptions(extraction);
  }
};

TEST(Settings, DefaultsWithoutAFile) {
  SettingsFile missing("");
  std::remove(missing.path().c_str());
  EXPECT_TRUE(ReadShowWarnings());
  EXPECT_FALSE(ReadNewerFormats());
  ExtractionOptions extraction;
  const ConversionFlags flags = LoadOptions(extraction);
  EXPECT_TRUE(extraction.page_banners);
  EXPECT_TRUE(extraction.line_breaks);
  EXPECT_EQ(extraction.new_line, "\r\n");
  EXPECT_EQ(extraction.encoding.encoding, OutputEncoding::kShiftJIS);
  EXPECT_FALSE(extraction.encoding.fold_compatibility_forms);
  EXPECT_FALSE(extraction.layout_order);
  EXPECT_EQ(extraction.ruby, RubyHandling::kDrop);
  EXPECT_FALSE(flags.ask_page_range);
  EXPECT_TRUE(flags.open_in_editor);
  EXPECT_FALSE(flags.ask_save_path);
  EXPECT_TRUE(flags.confirm_overwrite);
  const MainWindowSettings window = ReadMainWindowSettings();
  EXPECT_EQ(window.left, 50);
  EXPECT_EQ(window.top, 50);
  EXPECT_EQ(window.width, 295);
  EXPECT_EQ(window.height, 180);
  EXPECT_FALSE(window.maximised || window.tool_bar || window.status_bar || window.on_top);
}

// Every setting written with its fallback gives the file users have, key for key, and reads
// back as its fallback.
TEST(Settings, TheTableRoundTripsThroughTheFile) {
  SettingsFile file("");
  for (const Setting& setting : kSettings) WriteSetting(setting, setting.fallback);
  std::string text = testing::ReadWholeFile(file.path());
  std::erase(text, '\r');  // Windows's profile functions end lines with CR LF
  EXPECT_EQ(text, std::string(testing::kDefaultOptionsText) +
                      "[frmMain]\nZoom=0\nLeft=50\nTop=50\nWidth=295\n"
                      "height=180\nN10=0\nN11=0\nN12=0\n");
  for (const Setting& setting : kSettings) {
    EXPECT_EQ(ReadSettingOr(setting, INT32_MIN), setting.fallback) << setting.key;
  }
}

// A number is read from its leading digits, as the profile functions read it.
TEST(Settings, NumbersFromLeadingDigits) {
  EXPECT_EQ(ProfileNumber("12abc"), 12);
  EXPECT_EQ(ProfileNumber("abc"), 0);
  EXPECT_EQ(ProfileNumber(""), 0);
  EXPECT_EQ(ProfileNumber("-7"), -7);
  EXPECT_EQ(ProfileNumber("+7"), 0);
  EXPECT_EQ(ProfileNumber("99999999999"), INT32_MAX);
  EXPECT_EQ(ProfileNumber("-99999999999"), -INT32_MAX);
}

// Flags count only at exactly 1; the newline index keeps the layout's own outside 0 to 2.
TEST(Settings, EachKeyAndItsOddValues) {
  EXPECT_EQ(Applied("[GroupBox2]\nComboBox1=1\n").extraction.new_line, "\n");
  EXPECT_EQ(Applied("[GroupBox2]\nComboBox1=2\n").extraction.new_line, "\r");
  EXPECT_EQ(Applied("[GroupBox2]\nComboBox1=7\n").extraction.new_line, "untouched");
  EXPECT_FALSE(Applied("[GroupBox1]\nCheckBox1=2\n").extraction.page_banners);
  // The encoding by its item; a value that names none reads as Shift-JIS.
  const OutputEncoding encodings[] = {OutputEncoding::kShiftJIS, OutputEncoding::kUTF8,
                                      OutputEncoding::kUTF8WithBOM,
                                      OutputEncoding::kUTF16LEWithBOM};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(
        Applied("[GroupBox5]\nComboBox2=" + std::to_string(i) + "\n").extraction.encoding.encoding,
        encodings[i]);
  }
  for (const char* odd : {"4", "-1", "utf-8", "9999999999"}) {
    EXPECT_EQ(
        Applied(std::string("[GroupBox5]\nComboBox2=") + odd + "\n").extraction.encoding.encoding,
        OutputEncoding::kShiftJIS)
        << odd;
  }
  EXPECT_TRUE(Applied("[GroupBox5]\nCheckBox10=1\n").extraction.encoding.fold_compatibility_forms);
  EXPECT_FALSE(Applied("[GroupBox5]\nCheckBox10=2\n").extraction.encoding.fold_compatibility_forms);
  EXPECT_TRUE(Applied("[GroupBox5]\nCheckBox11=1\n").extraction.layout_order);
  EXPECT_FALSE(Applied("[GroupBox5]\nCheckBox11=2\n").extraction.layout_order);
  // Ruby by its item; a value that names none reads as leaving it out.
  const RubyHandling handlings[] = {RubyHandling::kDrop, RubyHandling::kBracket,
                                    RubyHandling::kAsDrawn};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Applied("[GroupBox5]\nComboBox3=" + std::to_string(i) + "\n").extraction.ruby,
              handlings[i]);
  }
  for (const char* odd : {"3", "-1", "bracket"}) {
    EXPECT_EQ(Applied(std::string("[GroupBox5]\nComboBox3=") + odd + "\n").extraction.ruby,
              RubyHandling::kDrop)
        << odd;
  }
  EXPECT_FALSE(Applied("[GroupBox2]\nRadioButton1=0\nRadioButton2=1\n").extraction.line_breaks);
  const Applied all_on(
      "[GroupBox1]\nCheckBox2=1\n[GroupBox3]\nCheckBox5=0\nCheckBox6=1\nCheckBox7=0\n");
  EXPECT_TRUE(all_on.flags.ask_page_range);
  EXPECT_FALSE(all_on.flags.open_in_editor);
  EXPECT_TRUE(all_on.flags.ask_save_path);
  EXPECT_FALSE(all_on.flags.confirm_overwrite);
  {
    SettingsFile warnings_off("[GroupBox3]\nCheckBox8=yes\n");
    EXPECT_FALSE(ReadShowWarnings());
  }
  {
    SettingsFile newer_formats("[groupbox4]\ncheckbox9=1\n");
    EXPECT_TRUE(ReadNewerFormats());
  }
  SettingsFile newer_formats_odd("[GroupBox4]\nCheckBox9=2\n");
  EXPECT_FALSE(ReadNewerFormats());
}

TEST(Settings, MainWindowSwitches) {
  SettingsFile file("[frmMain]\nZoom=5\nN12=5\nN10=1\nHeight=200\n");
  const MainWindowSettings read = ReadMainWindowSettings();
  EXPECT_TRUE(read.maximised);
  EXPECT_FALSE(read.on_top);
  EXPECT_TRUE(read.tool_bar);
  EXPECT_EQ(read.height, 200);  // keys match without regard to case
}

TEST(Settings, MainWindowKeysInTheirOrder) {
  SettingsFile file("");
  MainWindowSettings written;
  written.left = 10;
  written.top = 20;
  written.width = 300;
  written.height = 200;
  written.maximised = true;
  written.status_bar = true;
  WriteMainWindowSettings(written);
  std::string text = testing::ReadWholeFile(file.path());
  std::erase(text, '\r');  // Windows's profile functions end lines with CR LF
  EXPECT_EQ(text,
            "[frmMain]\nZoom=1\nLeft=10\nTop=20\nWidth=300\nheight=200\nN10=0\nN11=1\nN12=0\n");
  const MainWindowSettings again = ReadMainWindowSettings();
  EXPECT_EQ(again.height, 200);
  EXPECT_TRUE(again.status_bar);
}

}  // namespace
}  // namespace lumenquill
