// Layout order over the producers' pages of tests/data/layout (tools/make_layout_data.py), each
// with the lines its producer was given (NAME.known) and, where it sets ruby, the same lines
// with each reading in 《》 after its base (NAME.ruby.known). Whitespace is left out of the
// comparison: where a line ends is the line measures' business (tools/line_f1.py), the order of
// the characters is this test's.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "reader/document.h"
#include "support/temp_file.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

namespace fs = std::filesystem;

const fs::path kLayoutData = fs::path(LUMENQUILL_TEST_DATA_DIR) / "layout";

std::string WithoutWhitespace(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
  return text;
}

// The page text in layout order, in UTF-8 with compatibility forms folded (Chromium's ToUnicode
// gives Kangxi radicals for some ideographs), without banners or whitespace.
std::string LayoutText(const fs::path& pdf, RubyHandling ruby) {
  ExtractionOptions options;
  options.page_banners = false;
  options.layout_order = true;
  options.ruby = ruby;
  options.encoding = {OutputEncoding::kUTF8, true};
  std::string text;
  const bool cancel = false;
  Extract(
      *Document::OpenFile(pdf.string(), {}), options,
      [&text](std::string_view part) { text += part; }, cancel);
  return WithoutWhitespace(text);
}

std::string Known(const fs::path& pdf, const char* extension) {
  fs::path known = pdf;
  known.replace_extension(extension);
  return testing::ReadWholeFile(known.string());
}

// pango draws its vertical page with the columns running left to right: read as it stands, right
// to left, the page gives its lines last first.
std::string LinesLastFirst(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  std::reverse(lines.begin(), lines.end());
  std::string reversed;
  for (const std::string& line : lines) reversed += line;
  return WithoutWhitespace(reversed);
}

TEST(LayoutFixtures, EveryPageReadsAsItsProducerWasGiven) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kLayoutData)) {
    if (entry.path().extension() != ".pdf") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string known = Known(entry.path(), ".known");
    const std::string expected =
        entry.path().stem() == "pango-vertical" ? LinesLastFirst(known) : WithoutWhitespace(known);
    EXPECT_EQ(LayoutText(entry.path(), RubyHandling::kDrop), expected);
    ++files;
  }
  EXPECT_GE(files, 21);
}

// The text outside 《》 and, one after another, the readings inside.
struct BaseAndReadings {
  std::string base;
  std::string readings;
};

BaseAndReadings SplitRuby(const std::string& text) {
  static const std::string kOpen = "《";
  static const std::string kClose = "》";
  BaseAndReadings split;
  size_t at = 0;
  for (size_t open; (open = text.find(kOpen, at)) != std::string::npos;) {
    const size_t close = text.find(kClose, open);
    if (close == std::string::npos) break;
    split.base += text.substr(at, open - at);
    split.readings += text.substr(open + kOpen.size(), close - open - kOpen.size());
    at = close + kClose.size();
  }
  split.base += text.substr(at);
  return split;
}

// Where the drawing cannot tell how the producer grouped its ruby (漢字 with かんじ over both,
// or 漢 with かん and 字 with じ, look alike), the bracketed readings may be grouped otherwise:
// with them left out the text is the base text, and they read, in order, as the readings given.
TEST(LayoutFixtures, RubyIsBracketedAfterItsBase) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kLayoutData)) {
    fs::path ruby_known = entry.path();
    ruby_known.replace_extension(".ruby.known");
    if (entry.path().extension() != ".pdf" || !fs::exists(ruby_known)) continue;
    SCOPED_TRACE(entry.path().filename().string());
    const BaseAndReadings bracketed = SplitRuby(LayoutText(entry.path(), RubyHandling::kBracket));
    const BaseAndReadings given = SplitRuby(WithoutWhitespace(Known(entry.path(), ".ruby.known")));
    EXPECT_EQ(bracketed.base, WithoutWhitespace(Known(entry.path(), ".known")));
    EXPECT_EQ(bracketed.readings, given.readings);
    EXPECT_NE(given.readings, "");
    ++files;
  }
  EXPECT_GE(files, 5);
}

}  // namespace
}  // namespace lumenquill
