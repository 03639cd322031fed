#include <gtest/gtest.h>

#include <sstream>

#include "info/document_report.h"
#include "info/object_report.h"
#include "reader/open_document.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using testing::Open;
using testing::PdfBuilder;

TEST(DocumentReport, ListsTheReaderStateAndThePages) {
  TPDFAnalyst reader;
  Open(reader, testing::SimpleDocument(2));
  std::ostringstream out;
  WriteDocumentReport(reader, out);
  const std::string offset = reader.XrefOffsets().at(0);
  EXPECT_EQ(out.str(),
            "Version: 1.4\nObjectCount: 5\nRootID: 1\nInfoID: -1\nFirstPagesID: 2\n"
            "PageCount: 2\nFirstPageID: 3\nMediaBox: 0 0 612 792\nEncrypted: no\n"
            "XrefOffsets: " +
                offset + "\npage 1 3\npage 2 4\n");
}

TEST(ObjectReport, WritesTheObjectAndItsDecodedStream) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] >>")
      .Stream(3, "/Filter /ASCIIHexDecode", "48 65 6C6C6F>")
      .Trailer("/Root 1 0 R");
  TPDFAnalyst reader;
  Open(reader, pdf.Build());

  std::ostringstream stream_object;
  WriteObjectReport(reader, 3, stream_object);
  const std::string body =
      "3 0 obj\n<< /Filter /ASCIIHexDecode /Length 13 >>\nstream\n48 65 6C6C6F>\nendstream\n"
      "endobj";
  EXPECT_EQ(stream_object.str(),
            "object 3 size " + std::to_string(body.size()) + "\n" + body + "\nstream 5\nHello\n");

  std::ostringstream plain_object;
  WriteObjectReport(reader, 2, plain_object);
  EXPECT_EQ(plain_object.str(), "object 2 size 42\n2 0 obj\n<< /Type /Pages /Kids [] >>\nendobj\n");
}

}  // namespace
}  // namespace lumenquill
