#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::OpenDocumentBytes;
using testing::PdfBuilder;

// The pages of a document whose catalog is 1 and root node 2, with the given further objects.
ObjectNumberList Pages(const std::string& root,
                       const std::vector<std::pair<int32_t, std::string>>& objects) {
  return OpenDocumentBytes(testing::TreeDocument(root, objects))->PageObjects();
}

// Pre-order in /Kids order, /Kids direct or by reference to an array; kids that name no
// object of the table are dropped.
TEST(PageTree, ListsThePagesInKidsOrder) {
  EXPECT_THAT(Pages("<< /Type /Pages /Kids [3 0 R 10 0 R] >>",
                    {{3, "<< /Type /Page >>"},
                     {10, "<< /Type /Pages /Kids [4 0 R 5 0 R] >>"},
                     {4, "<</Type/Page>>"},
                     {5, "<< /Type /Page >>"}}),
              ElementsAre(3, 4, 5));
  EXPECT_THAT(Pages("<< /Type /Pages /Kids 9 0 R >>",
                    {{9, "[4 0 R 3 0 R]"}, {3, "<< /Type /Page >>"}, {4, "<< /Type /Page >>"}}),
              ElementsAre(4, 3));
  EXPECT_THAT(Pages("<< /Type /Pages /Kids [] >>", {}), IsEmpty());
  EXPECT_THAT(Pages("<< /Type /Pages >>", {}), IsEmpty());
  EXPECT_THAT(Pages("<< /Type /Pages /Kids [99 0 R 3 0 R] >>", {{3, "<< /Type /Page >>"}}),
              ElementsAre(3));
}

// "/Pages" is not "/Page"; literal strings and stream data are not read as keys.
TEST(PageTree, OnlyTheTokenPageMakesAPage) {
  EXPECT_THAT(Pages("<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] >>",
                    {{3, "<< /Type /Pages >>"},
                     {4, "<< /Title (/Page) >>"},
                     {5, "<< /Length 6 >>\nstream\n/Page \nendstream"}}),
              IsEmpty());
}

TEST(PageTree, AKidHoldingAnotherObjectFails) {
  PdfBuilder pdf = testing::PagesShowing({"", ""});
  pdf.WrongOffset(6, 0);
  EXPECT_THROW(OpenDocumentBytes(pdf.Build())->PageObjects(), ObjectIdError);
}

// A node on the current path is skipped, so a cycle ends; a page named twice is listed twice;
// a subtree shared many times over is walked once.
TEST(PageTree, CyclesAndSharedNodes) {
  EXPECT_THAT(Pages("<< /Type /Pages /Kids [3 0 R 4 0 R] >>",
                    {{3, "<< /Type /Pages /Kids [2 0 R 5 0 R] >>"},
                     {5, "<< /Type /Pages /Kids [3 0 R] >>"},
                     {4, "<< /Type /Page >>"}}),
              ElementsAre(4));
  EXPECT_THAT(Pages("<< /Type /Pages /Kids [3 0 R 3 0 R] >>", {{3, "<< /Type /Page >>"}}),
              ElementsAre(3, 3));
  // Forty levels, each naming the next level twice: 2^40 paths if every one were walked.
  std::vector<std::pair<int32_t, std::string>> levels;
  for (int n = 3; n < 43; ++n) {
    levels.push_back(
        {n, "<< /Kids [" + std::to_string(n + 1) + " 0 R " + std::to_string(n + 1) + " 0 R] >>"});
  }
  levels.push_back({43, "<< /Type /Page >>"});
  EXPECT_THAT(Pages("<< /Type /Pages /Kids [3 0 R] >>", levels), ElementsAre(43, 43));
}

// The walk keeps its path off the call stack: a very deep tree is listed.
TEST(PageTree, DeepTrees) {
  constexpr int kDepth = 100'000;
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  for (int n = 2; n < kDepth; ++n) {
    pdf.Object(n, "<< /Kids [" + std::to_string(n + 1) + " 0 R] >>");
  }
  pdf.Object(kDepth, "<< /Type /Page >>").Trailer("/Root 1 0 R");
  const std::unique_ptr<Document> document = OpenDocumentBytes(pdf.Build());
  EXPECT_EQ(document->FirstPageNumber(), kDepth);
  EXPECT_THAT(document->PageObjects(), ElementsAre(kDepth));
}

}  // namespace
}  // namespace lumenquill
