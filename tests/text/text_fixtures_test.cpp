// Each PDF of tests/data with a .txt beside it extracts, with the default settings, to exactly
// that text. The expected files were decoded as code page 932 and checked against the text the
// producers were given, and against pdftotext (tools/compare_text_with_pdftotext.py).

#include <gtest/gtest.h>

#include <filesystem>

#include "reader/document.h"
#include "support/temp_file.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

TEST(TextFixtures, ExtractToTheReviewedText) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LUMENQUILL_TEST_DATA_DIR)) {
    if (entry.path().extension() != ".txt") continue;
    std::filesystem::path pdf = entry.path();
    pdf.replace_extension(".pdf");
    SCOPED_TRACE(pdf.filename().string());
    std::string text;
    const bool cancel = false;
    Extract(
        *Document::OpenFile(pdf.string(), {}), {}, [&text](std::string_view part) { text += part; },
        cancel);
    EXPECT_EQ(text, testing::ReadWholeFile(entry.path().string()));
    ++files;
  }
  EXPECT_GE(files, 12);
}

}  // namespace
}  // namespace lumenquill
