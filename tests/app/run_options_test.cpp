// The run's options over the settings file, for one conversion: each one's effect on the text
// written and on the questions asked.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/conversion.h"
#include "recording_interface.h"
#include "settings_file.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using testing::RecordingInterface;
using testing::SettingsFile;

// Three pages, each showing its name on two lines ("a1" above "b1", ...).
std::string ThreePages() {
  std::vector<std::string> contents;
  for (const char* n : {"1", "2", "3"}) {
    contents.push_back(std::string("BT 10 700 Td (a") + n + ") Tj 0 -20 Td (b" + n + ") Tj ET");
  }
  return testing::PagesShowing(contents).Build();
}

// The text of pages first to last without banners: each page's two lines.
std::string PagesText(int first, int last, const std::string& new_line) {
  std::string text;
  for (int page = first; page <= last; ++page) {
    text += "a" + std::to_string(page) + new_line + "b" + std::to_string(page);
  }
  return text;
}

class RunOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(pdf_, std::ios::binary) << ThreePages(); }

  // Converts the PDF with the options and the settings; the text file's bytes, or "(none)".
  std::string Convert(const RunOptions& options, const std::string& settings_text) {
    std::filesystem::remove(folder_ + "/a.txt");
    SettingsFile settings(settings_text);
    Conversion conversion(ui_, options);
    converted_ = conversion.ConvertFile(pdf_);
    const std::string text = folder_ + "/a.txt";
    return std::filesystem::exists(text) ? testing::ReadWholeFile(text) : "(none)";
  }

  // Convert with a text file already there.
  std::string ConvertOver(const std::string& old_text, const RunOptions& options,
                          const std::string& settings_text) {
    SettingsFile settings(settings_text);
    std::ofstream(folder_ + "/a.txt") << old_text;
    Conversion conversion(ui_, options);
    converted_ = conversion.ConvertFile(pdf_);
    return testing::ReadWholeFile(folder_ + "/a.txt");
  }

  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ = std::filesystem::path(anchor_.path()).parent_path().string();
  std::string pdf_ = folder_ + "/a.pdf";
  RecordingInterface ui_;
  bool converted_ = false;
};

constexpr const char* kNoBannerLf = "[GroupBox1]\nCheckBox1=0\n[GroupBox2]\nComboBox1=1\n";

TEST_F(RunOptionsTest, EachOptionChangesTheTextOverTheSettings) {
  EXPECT_EQ(Convert({}, kNoBannerLf), PagesText(1, 3, "\n"));

  RunOptions crlf;
  crlf.new_line = "\r\n";
  EXPECT_EQ(Convert(crlf, kNoBannerLf), PagesText(1, 3, "\r\n"));

  RunOptions no_breaks;
  no_breaks.line_breaks = false;
  EXPECT_EQ(Convert(no_breaks, kNoBannerLf), PagesText(1, 3, ""));
  RunOptions breaks;
  breaks.line_breaks = true;
  EXPECT_EQ(Convert(breaks, "[GroupBox1]\nCheckBox1=0\n[GroupBox2]\nComboBox1=1\nRadioButton1=0\n"),
            PagesText(1, 3, "\n"));

  RunOptions pages;
  pages.first_page = 2;
  EXPECT_EQ(Convert(pages, kNoBannerLf), PagesText(2, 3, "\n"));
  pages.last_page = 2;
  EXPECT_EQ(Convert(pages, kNoBannerLf), PagesText(2, 2, "\n"));
  pages.first_page.reset();
  EXPECT_EQ(Convert(pages, kNoBannerLf), PagesText(1, 2, "\n"));

  RunOptions no_banner;
  no_banner.page_banner = false;
  const std::string with_banners = Convert({}, "[GroupBox2]\nComboBox1=1\n");
  EXPECT_NE(with_banners.find("a1\nb1\n"), std::string::npos);
  EXPECT_GT(with_banners.size(), std::string(PagesText(1, 3, "\n")).size());
  EXPECT_EQ(Convert(no_banner, "[GroupBox2]\nComboBox1=1\n"), PagesText(1, 3, "\n"));
}

// A page range on the command line is not asked for, and one beyond the document is refused
// with the page-range message, writing nothing.
// Pages past the document read to its end; a first page past it gives an empty text, with a
// note.
TEST_F(RunOptionsTest, PageRangeIsNotAskedAndReadsToTheEnd) {
  RunOptions pages;
  pages.first_page = 3;
  EXPECT_EQ(Convert(pages, "[GroupBox1]\nCheckBox1=0\nCheckBox2=1\n[GroupBox2]\nComboBox1=1\n"),
            PagesText(3, 3, "\n"));
  for (const std::string& event : ui_.events) EXPECT_FALSE(event.starts_with("range")) << event;

  std::filesystem::remove(folder_ + "/a.txt");
  ui_.events.clear();
  pages.first_page = 2;
  pages.last_page = 9;
  EXPECT_EQ(Convert(pages, kNoBannerLf), PagesText(2, 3, "\n"));

  std::filesystem::remove(folder_ + "/a.txt");
  ui_.events.clear();
  pages.first_page = 4;
  EXPECT_EQ(Convert(pages, kNoBannerLf), "");
  EXPECT_TRUE(converted_);
  EXPECT_THAT(ui_.events, ::testing::Contains("message Lumenquill: " + pdf_ +
                                              "\r\n文書は 3 ページまでのため、4 ページ目からの"
                                              "テキストは空です。"));
}

TEST_F(RunOptionsTest, OverwriteAnswersTheQuestion) {
  const std::string settings = std::string(kNoBannerLf) + "[GroupBox3]\nCheckBox5=0\n";
  RunOptions keep;
  keep.overwrite = false;
  EXPECT_EQ(ConvertOver("old", keep, settings), "old");
  EXPECT_FALSE(converted_);
  EXPECT_THAT(ui_.events, ElementsAre("not on top",
                                      "message Lumenquill error: " + folder_ + "/a.txt\r\n" +
                                          "このファイルは既に存在するため、上書きしませんでした。",
                                      "hide"));
  ui_.events.clear();
  RunOptions replace;
  replace.overwrite = true;
  EXPECT_EQ(ConvertOver("old", replace, settings), PagesText(1, 3, "\n"));
  EXPECT_TRUE(converted_);
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "done 100", "hide"));
}

// The output folder takes the place of the save dialog; --no-open of the editor setting.
TEST_F(RunOptionsTest, OutputFolderAndEditor) {
  const std::string out = folder_ + "/out";
  std::filesystem::create_directory(out);
  RunOptions options;
  options.output_folder = out + "/";
  Convert(options, std::string(kNoBannerLf) + "[GroupBox3]\nCheckBox6=1\n");
  EXPECT_EQ(testing::ReadWholeFile(out + "/a.txt"), PagesText(1, 3, "\n"));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/a.txt"));
  EXPECT_THAT(ui_.events,
              ElementsAre("not on top", "present", "done 100", "open " + out + "/a.txt", "hide"));

  ui_.events.clear();
  options.open_in_editor = false;
  options.overwrite = true;
  Convert(options, kNoBannerLf);
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "done 100", "hide"));
}

// A text output gets the same bytes as the file, and no file is written nor opened.
TEST_F(RunOptionsTest, TextOutputHoldsTheFileBytes) {
  const std::string file_bytes = Convert({}, "");
  std::filesystem::remove(folder_ + "/a.txt");
  std::ostringstream output;
  SettingsFile settings("");
  Conversion conversion(ui_, {}, &output);
  ui_.events.clear();
  EXPECT_TRUE(conversion.ConvertFile(pdf_));
  EXPECT_EQ(output.str(), file_bytes);
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/a.txt"));
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "done 100", "hide"));

  std::ostringstream failing;
  failing.setstate(std::ios::badbit);
  Conversion lost(ui_, {}, &failing);
  ui_.events.clear();
  EXPECT_FALSE(lost.ConvertFile(pdf_));
  EXPECT_THAT(ui_.events,
              ::testing::Contains(::testing::StartsWith("message Lumenquill error: 標準出力\r\n")));
}

}  // namespace
}  // namespace lumenquill
