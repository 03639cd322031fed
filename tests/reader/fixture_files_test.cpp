// Files made by outside producers (tools/make_test_data.py and the scripts it calls): each opens
// and lists the pages qpdf lists, or fails with the expected message.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "info/document_report.h"
#include "reader/document.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The report lines that the expectation speaks of: the page count and the page list.
std::vector<std::string> PageLines(const std::string& report) {
  std::vector<std::string> lines;
  for (const std::string& line : Lines(report)) {
    if (line.starts_with("PageCount: ") || line.starts_with("page ")) lines.push_back(line);
  }
  return lines;
}

TEST(FixtureFiles, OpenAsTheirExpectationsSay) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LUMENQUILL_TEST_DATA_DIR)) {
    if (entry.path().extension() != ".expected") continue;
    std::filesystem::path pdf = entry.path();
    pdf.replace_extension(".pdf");
    SCOPED_TRACE(pdf.filename().string());
    const std::string expected = testing::ReadWholeFile(entry.path().string());

    std::ostringstream report;
    try {
      const std::unique_ptr<Document> document = Document::OpenFile(pdf.string(), {});
      WriteDocumentReport(*document, report);
      EXPECT_EQ(PageLines(report.str()), Lines(expected));
    } catch (const Error& error) {
      EXPECT_EQ("error: " + std::string(error.what()) + "\n", expected);
    }
    ++files;
  }
  EXPECT_GE(files, 6);
}

}  // namespace
}  // namespace lumenquill
