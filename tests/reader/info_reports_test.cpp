#include <gtest/gtest.h>

#include <sstream>

#include "info/document_report.h"
#include "info/object_report.h"
#include "reader/open_document.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using testing::OpenBytes;
using testing::PdfBuilder;

TEST(DocumentReport, ListsTheDocumentAndThePages) {
  const std::unique_ptr<Document> document = OpenBytes(testing::SimpleDocument(2));
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

// The copy runs from the header to the end of "endobj": stream data is skipped by its
// /Length, even by reference; a /Length too short lets an "endobj" in the data end the copy.
TEST(ObjectReport, WritesTheObjectAndItsDecodedStream) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] >>")
      .Stream(3, "/Filter /ASCIIHexDecode", "48 65 6C6C6F>")
      .Object(4, "<< /Length 5 0 R >>\nstream\nabcdefghijkl\nendstream")
      .Object(5, "12")
      .Object(6, "<< /Length 3 >>\nstream\nabcdefg endobj\nendstream")
      .Free(7)
      .Trailer("/Root 1 0 R");
  const std::unique_ptr<Document> document = OpenBytes(pdf.Build());

  const std::string body =
      "3 0 obj\n<< /Filter /ASCIIHexDecode /Length 13 >>\nstream\n48 65 6C6C6F>\nendstream\n"
      "endobj";
  EXPECT_EQ(ObjectReport(*document, 3),
            "object 3 size " + std::to_string(body.size()) + "\n" + body + "\nstream 5\nHello\n");
  EXPECT_EQ(ObjectReport(*document, 2),
            "object 2 size 42\n2 0 obj\n<< /Type /Pages /Kids [] >>\nendobj\n");
  EXPECT_EQ(ObjectReport(*document, 4),
            "object 4 size 64\n4 0 obj\n<< /Length 5 0 R >>\nstream\nabcdefghijkl\nendstream\n"
            "endobj\nstream 12\nabcdefghijkl\n");
  EXPECT_EQ(ObjectReport(*document, 6),
            "object 6 size 45\n6 0 obj\n<< /Length 3 >>\nstream\nabcdefg endobj\nstream 3\nabc\n");
  for (const int32_t n : {7, 9}) {
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
