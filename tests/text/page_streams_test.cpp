#include "text/page_streams.h"

#include <gtest/gtest.h>

#include "support/deflate.h"
#include "support/document_bytes.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

// Streams 4 (compressed) and 5 of four bytes, stream 6 of two.
class PageStreamsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
        .Stream(4, "/Filter /FlateDecode", testing::Deflated("four"))
        .Stream(5, "", "five")
        .Stream(6, "", "ix")
        .Trailer("/Root 1 0 R");
    document_ = testing::OpenDocumentBytes(pdf.Build());
    streams_ = std::make_unique<PageResourceReader>(*document_);
  }

  std::unique_ptr<Document> document_;
  std::unique_ptr<PageResourceReader> streams_;
};

TEST_F(PageStreamsTest, AStreamListedAgainKeepsItsDecodedBytes) {
  PageStreams pages(*streams_);
  const std::string* four = pages.Take(4, StreamRole::kContent);
  ASSERT_NE(four, nullptr);
  EXPECT_EQ(*four, "four");
  EXPECT_EQ(*pages.Take(5, StreamRole::kContent), "five");
  EXPECT_EQ(pages.Take(4, StreamRole::kContent), four);
  EXPECT_EQ(*four, "four");
}

// Every listing counts against the bound; a page that reaches it exactly still has everything.
TEST_F(PageStreamsTest, PastTheBoundTheRestOfThePageIsPassedOver) {
  PageStreams pages(*streams_, 10);
  EXPECT_NE(pages.Take(4, StreamRole::kContent), nullptr);
  EXPECT_NE(pages.Take(4, StreamRole::kForm), nullptr);
  EXPECT_NE(pages.Take(6, StreamRole::kContent), nullptr);
  EXPECT_EQ(pages.Take(5, StreamRole::kContent), nullptr);
  EXPECT_EQ(pages.Take(6, StreamRole::kContent), nullptr);

  pages.StartPage();  // the next page starts afresh
  EXPECT_EQ(*pages.Take(5, StreamRole::kContent), "five");

  PageStreams over_at_once(*streams_, 3);
  EXPECT_EQ(over_at_once.Take(5, StreamRole::kContent), nullptr);
  EXPECT_EQ(over_at_once.Take(6, StreamRole::kContent),
            nullptr);  // would fit, but the page is over
}

// Forms keep their bytes from page to page up to their own bound, each page still counting
// them; content streams are decoded again on each page.
TEST_F(PageStreamsTest, FormsAreKeptForThePagesAfter) {
  PageStreams pages(*streams_, 10, 6);
  const std::string* four = pages.Take(4, StreamRole::kForm);
  const std::string* five = pages.Take(5, StreamRole::kForm);  // past the forms' bound
  const std::string* six = pages.Take(6, StreamRole::kContent);
  ASSERT_NE(four, nullptr);
  ASSERT_NE(five, nullptr);
  ASSERT_NE(six, nullptr);

  pages.StartPage();
  EXPECT_EQ(pages.Take(4, StreamRole::kForm), four);
  EXPECT_EQ(*pages.Take(5, StreamRole::kForm), "five");
  EXPECT_EQ(*pages.Take(6, StreamRole::kContent), "ix");
  EXPECT_EQ(pages.Take(4, StreamRole::kForm), nullptr);  // the page's own bound still holds
}

}  // namespace
}  // namespace lumenquill
