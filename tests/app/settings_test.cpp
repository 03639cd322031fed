#include "app/settings.h"

#include <gtest/gtest.h>

#include "open_document.h"
#include "settings_file.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using testing::SettingsFile;

struct Applied {
  TPDFAnalyst reader;
  std::unique_ptr<TPDFTextDecoder> decoder;
  ConversionFlags flags;
  explicit Applied(const std::string& settings) {
    SettingsFile file(settings);
    testing::Open(reader, testing::SimpleDocument(1));
    decoder = std::make_unique<TPDFTextDecoder>(&reader);
    decoder->NewLineCode = "untouched";
    flags = LoadOptions(*decoder);
  }
};

TEST(Settings, DefaultsWithoutAFile) {
  SettingsFile missing("");
  std::remove(missing.path().c_str());
  EXPECT_TRUE(ReadShowWarnings());
  EXPECT_FALSE(ReadNewerFormats());
  TPDFAnalyst reader;
  testing::Open(reader, testing::SimpleDocument(1));
  TPDFTextDecoder decoder(&reader);
  const ConversionFlags flags = LoadOptions(decoder);
  EXPECT_TRUE(decoder.PageSeparator);
  EXPECT_EQ(decoder.LineBreakMode, 1);
  EXPECT_EQ(decoder.NewLineCode, "\r\n");
  EXPECT_FALSE(flags.PageRange);
  EXPECT_TRUE(flags.OpenInEditor);
  EXPECT_FALSE(flags.AskSavePath);
  EXPECT_TRUE(flags.ConfirmOverwrite);
  const MainWindowSettings window = ReadMainWindowSettings();
  EXPECT_EQ(window.Left, 50);
  EXPECT_EQ(window.Top, 50);
  EXPECT_EQ(window.Width, 295);
  EXPECT_EQ(window.Height, 180);
  EXPECT_FALSE(window.Zoom || window.ToolBar || window.StatusBar || window.OnTop);
}

// Flags count only at exactly 1; the newline index keeps CR LF outside 0 to 2.
TEST(Settings, EachKeyAndItsOddValues) {
  EXPECT_EQ(Applied("[GroupBox2]\nComboBox1=1\n").decoder->NewLineCode, "\n");
  EXPECT_EQ(Applied("[GroupBox2]\nComboBox1=2\n").decoder->NewLineCode, "\r");
  EXPECT_EQ(Applied("[GroupBox2]\nComboBox1=7\n").decoder->NewLineCode, "untouched");
  EXPECT_FALSE(Applied("[GroupBox1]\nCheckBox1=2\n").decoder->PageSeparator);
  EXPECT_EQ(Applied("[GroupBox2]\nRadioButton1=0\nRadioButton2=1\n").decoder->LineBreakMode, 0);
  const Applied all_on(
      "[GroupBox1]\nCheckBox2=1\n[GroupBox3]\nCheckBox5=0\nCheckBox6=1\nCheckBox7=0\n");
  EXPECT_TRUE(all_on.flags.PageRange);
  EXPECT_FALSE(all_on.flags.OpenInEditor);
  EXPECT_TRUE(all_on.flags.AskSavePath);
  EXPECT_FALSE(all_on.flags.ConfirmOverwrite);
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
  SettingsFile file("[frmMain]\nZoom=5\nN12=5\nN10=1\n");
  const MainWindowSettings read = ReadMainWindowSettings();
  EXPECT_TRUE(read.Zoom);
  EXPECT_FALSE(read.OnTop);
  EXPECT_TRUE(read.ToolBar);
}

TEST(Settings, MainWindowKeysInTheirOrder) {
  SettingsFile file("");
  MainWindowSettings written;
  written.Left = 10;
  written.Top = 20;
  written.Width = 300;
  written.Height = 200;
  written.Zoom = true;
  written.StatusBar = true;
  WriteMainWindowSettings(written);
  std::string text = testing::ReadWholeFile(file.path());
  std::erase(text, '\r');  // Windows's profile functions end lines with CR LF
  EXPECT_EQ(text,
            "[frmMain]\nZoom=1\nLeft=10\nTop=20\nWidth=300\nheight=200\nN10=0\nN11=1\nN12=0\n");
  const MainWindowSettings again = ReadMainWindowSettings();
  EXPECT_EQ(again.Height, 200);  // "height" read as Height
  EXPECT_TRUE(again.StatusBar);
}

}  // namespace
}  // namespace lumenquill
