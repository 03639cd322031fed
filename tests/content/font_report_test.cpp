// Each file of tests/data with a .fonts expectation: what the stream and font decoders find
// on every page. The expectations were checked by hand against pdffonts, page by page, with
// tools/compare_fonts_with_pdffonts.py; the difference that remains is the label of TrueType
// fonts without /Encoding (pdffonts infers WinAnsi, the decoder says ビルドイン).

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "info/font_report.h"
#include "reader/document.h"
#include "support/document_bytes.h"
#include "support/pdf_builder.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

TEST(FontReport, MatchesTheReviewedExpectations) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LUMENQUILL_TEST_DATA_DIR)) {
    if (entry.path().extension() != ".fonts") continue;
    std::filesystem::path pdf = entry.path();
    pdf.replace_extension(".pdf");
    SCOPED_TRACE(pdf.filename().string());
    std::ostringstream report;
    WriteFontReport(*Document::OpenFile(pdf.string(), {}), report);
    EXPECT_EQ(report.str(), testing::ReadWholeFile(entry.path().string()));
    ++files;
  }
  EXPECT_GE(files, 10);
}

}  // namespace
}  // namespace lumenquill

namespace lumenquill {
namespace {

// Font names are shown as text when they are Shift-JIS, in hexadecimal otherwise.
TEST(FontReport, ShowsFontNamesAsTextOrHexadecimal) {
  const std::string document = testing::TreeDocument(
      "<< /Type /Pages /Kids [3 0 R] >>",
      {{3, "<< /Type /Page /Resources << /Font << /F1 4 0 R /F2 5 0 R >> >> >>"},
       {4, "<< /Type /Font /Subtype /Type0 /BaseFont /#82#A0 /Encoding /Identity-H >>"},
       {5, "<< /Type /Font /Subtype /Type1 /BaseFont /Bad\x82 >>"}});
  std::ostringstream report;
  WriteFontReport(*testing::OpenDocumentBytes(document), report);
  EXPECT_EQ(report.str(),
            "page 1 3\n  contents\n"
            "  font /F1 obj=4 Subtype=Type0 FontName=\"あ\" Encoding=Identity-H Embedded=no "
            "FontFileObject=-1 Failed=no CMapData=0 CIDSystemInfo=- via=Identity-H\n"
            "  font /F2 obj=5 Subtype=Type1 FontName=<42616482> Encoding=標準 Embedded=no "
            "FontFileObject=-1 Failed=no CMapData=0 CIDSystemInfo=- via=glyph-names\n");
}

}  // namespace
}  // namespace lumenquill
