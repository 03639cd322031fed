#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "info/document_report.h"
#include "info/object_report.h"
#include "support/document_bytes.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using testing::OpenDocumentBytes;
using testing::PdfBuilder;

TEST(DocumentReport, ListsTheDocumentAndThePages) {
  const std::unique_ptr<Document> document = OpenDocumentBytes(testing::SimpleDocument(2));
  std::ostringstream out;
  WriteDocumentReport(*document, out);
  const std::string offset = document->XrefOffsets().at(0);
  EXPECT_EQ(out.str(),
            "Version: 1.4\nObjectCount: 5\nRootID: 1\nInfoID: -1\nFirstPagesID: 2\n"
            "PageCount: 2\nFirstPageID: 3\nMediaBox: 0 0 612 792\nEncrypted: no\n"
            "XrefOffsets: " +
                offset + "\npage 1 3\npage 2 4\n");
}

std::string ObjectReport(Document& document, int32_t n) {
  std::ostringstream out;
  WriteObjectReport(document, n, out);
  return out.str();
}

// The report of object n holding text, and the decoded data of its stream when it has one.
std::string Expected(int32_t n, const std::string& text, const char* decoded = nullptr) {
  std::string report = "object " + std::to_string(n) + " size " + std::to_string(text.size()) +
                       "\n" + text + "\n";
  if (decoded) report += "stream " + std::to_string(strlen(decoded)) + "\n" + decoded + "\n";
  return report;
}

// The copy runs from the header to the end of "endobj": stream data is skipped by its
// /Length, even by reference, so an "endobj" in it is data; a /Length too short lets an
// "endobj" in the data end the copy.
TEST(ObjectReport, WritesTheObjectAndItsDecodedStream) {
  PdfBuilder pdf = testing::PagesShowing({});
  pdf.Stream(4, "/Filter /ASCIIHexDecode", "48 65 6C6C6F>")
      .Object(5, "<< /Length 6 0 R >>\nstream\nabcdefghijkl\nendstream")
      .Object(6, "12")
      .Object(7, "<< /Length 3 >>\nstream\nabcdefg endobj\nendstream")
      .Free(8)
      .Stream(9, "/Type /Demo", "x) endobj (");
  const std::unique_ptr<Document> document = OpenDocumentBytes(pdf.Build());

  EXPECT_EQ(ObjectReport(*document, 4),
            Expected(4,
                     "4 0 obj\n<< /Filter /ASCIIHexDecode /Length 13 >>\nstream\n48 65 6C6C6F>\n"
                     "endstream\nendobj",
                     "Hello"));
  EXPECT_EQ(ObjectReport(*document, 6), Expected(6, "6 0 obj\n12\nendobj"));
  EXPECT_EQ(ObjectReport(*document, 5),
            Expected(5, "5 0 obj\n<< /Length 6 0 R >>\nstream\nabcdefghijkl\nendstream\nendobj",
                     "abcdefghijkl"));
  EXPECT_EQ(ObjectReport(*document, 7),
            Expected(7, "7 0 obj\n<< /Length 3 >>\nstream\nabcdefg endobj", "abc"));
  EXPECT_EQ(ObjectReport(*document, 9),
            Expected(9, "9 0 obj\n" + testing::StreamBody("/Type /Demo", "x) endobj (") + "\nendobj",
                     "x) endobj ("));
  for (const int32_t n : {8, 10}) {
    try {
      ObjectReport(*document, n);
      ADD_FAILURE() << n;
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), "オブジェクトの取得に失敗しました。");
    }
  }
}

}  // namespace
}  // namespace lumenquill
