#include "text/page_streams.h"

#include <gtest/gtest.h>

#include "open_document.h"
#include "support/deflate.h"
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
    testing::Open(reader_, pdf.Build());
    streams_ = std::make_unique<TPDFStreamDecoder>(&reader_);
  }

  TPDFAnalyst reader_;
  std::unique_ptr<TPDFStreamDecoder> streams_;
};

TEST_F(PageStreamsTest, AStreamListedAgainKeepsItsDecodedBytes) {
  PageStreams page(*streams_);
  const std::string* four = page.Take(4);
  ASSERT_NE(four, nullptr);
  EXPECT_EQ(*four, "four");
  EXPECT_EQ(*page.Take(5), "five");
  EXPECT_EQ(page.Take(4), four);
  EXPECT_EQ(*four, "four");
}

// Every listing counts against the bound; a page that reaches it exactly still has everything.
TEST_F(PageStreamsTest, PastTheBoundTheRestOfThePageIsPassedOver) {
  PageStreams page(*streams_, 10);
  EXPECT_NE(page.Take(4), nullptr);
  EXPECT_NE(page.Take(4), nullptr);
  EXPECT_NE(page.Take(6), nullptr);
  EXPECT_EQ(page.Take(5), nullptr);
  EXPECT_EQ(page.Take(6), nullptr);

  PageStreams over_at_once(*streams_, 3);
  EXPECT_EQ(over_at_once.Take(5), nullptr);
  EXPECT_EQ(over_at_once.Take(6), nullptr);  // would fit, but the page is over

  PageStreams next_page(*streams_, 10);
  EXPECT_EQ(*next_page.Take(5), "five");
}

}  // namespace
}  // namespace lumenquill
