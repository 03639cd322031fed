#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "support/pdf_builder.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using testing::OpenDocumentBytes;
using testing::OpenError;
using testing::PdfBuilder;
using testing::SimpleDocument;
using testing::TreeDocument;

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
  const size_t at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

// A one-page document with the given catalog and trailer entries.
std::string OnePage(const std::string& trailer = "/Root 1 0 R",
                     const std::string& catalog = "<< /Type /Catalog /Pages 2 0 R >>",
                     const std::string& version = "1.4") {
  PdfBuilder pdf(version);
  pdf.Object(1, catalog)
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>")
      .Trailer(trailer);
  return pdf.Build();
}

TEST(DocumentOpen, OpensAWellFormedDocument) {
  const std::unique_ptr<Document> document = OpenDocumentBytes(OnePage("/Root 1 0 R /Info 3 0 R"));
  EXPECT_EQ(document->Version(), "1.4");
  EXPECT_EQ(document->Xref().Size(), 4);
  EXPECT_EQ(document->RootNumber(), 1);
  EXPECT_EQ(document->InfoNumber(), 3);
  EXPECT_EQ(document->PagesRootNumber(), 2);
  EXPECT_EQ(document->PageCount(), 1);
  EXPECT_EQ(document->FirstPageNumber(), 3);
  EXPECT_EQ(document->FirstPageMediaBox(), (Rectangle{0, 0, 595, 842}));
  EXPECT_FALSE(document->Encrypted());
  EXPECT_TRUE(document->Xref().IsFree(0));
  EXPECT_FALSE(document->Xref().IsFree(1));
}

// The header must start the file; the version is the token after it.
TEST(DocumentOpen, HeaderAndVersion) {
  EXPECT_EQ(OpenError("%PDF"), "このファイルは壊れています");
  EXPECT_EQ(OpenError("hello world"), "このファイルはPDFファイルではありません。");
  EXPECT_EQ(OpenError(" " + OnePage()), "このファイルはPDFファイルではありません。");
  EXPECT_EQ(OpenError(Replaced(OnePage(), "%PDF-1.4", "%PDF-1")),
            "このファイルはPDFファイルではありません。");
  for (const char* version : {"1.5", "1.7", "2.0"}) {
    EXPECT_EQ(OpenError(PdfBuilder(version).Build()), "このファイルは未対応の形式です。");
  }
  const std::string catalog = "<< /Type /Catalog /Pages 2 0 R >>";
  EXPECT_EQ(OpenError(OnePage("/Root 1 0 R", catalog, "1.0")), "");
  EXPECT_EQ(OpenError(OnePage("/Root 1 0 R", catalog, "1.10")), "");
}

TEST(DocumentOpen, EndMarker) {
  EXPECT_EQ(OpenError(OnePage() + "\r\n  \n"), "");
  EXPECT_EQ(OpenError(OnePage() + std::string(1, '\0')), "%%EOFがありません。");
  EXPECT_EQ(OpenError(OnePage() + "% comment\n"), "%%EOFがありません。");
  // A second marker passes this check, but then stands where the table's offset should.
  EXPECT_EQ(OpenError(OnePage() + "%%EOF\n"),
            "相互参照テーブルの位置を正確に取得できませんでした。");
}

// Only the last word before the end marker counts, whatever stands before it.
TEST(DocumentOpen, CrossReferenceOffset) {
  const std::string document = OnePage();
  const size_t startxref = document.rfind("startxref");
  const std::string offset =
      document.substr(startxref + 10, document.find('\n', startxref + 10) - startxref - 10);
  const std::string body = document.substr(0, startxref);
  EXPECT_EQ(OpenError(body + "startxref " + offset + " %%EOF"), "");
  EXPECT_EQ(OpenError(body + "startxref\r" + offset + "\r%%EOF\r"), "");
  // The trailer is read up to the keyword: without it the reading runs into the end.
  EXPECT_THROW(OpenDocumentBytes(body + "whatever\n" + offset + "\n%%EOF"), ReadError);
  EXPECT_EQ(OpenError(body + "startxref\nabc\n%%EOF\n"),
            "相互参照テーブルの位置を正確に取得できませんでした。");
  EXPECT_EQ(OpenError(body + "startxref\n" + std::to_string(std::stoi(offset) + 1) + "\n%%EOF"),
            "相互参照テーブルの位置が不正です。");
  EXPECT_EQ(OpenError(body + "startxref\n99999999\n%%EOF"), "相互参照テーブルの位置が不正です。");
  EXPECT_EQ(OpenError(body + "startxref\n-7\n%%EOF"), "相互参照テーブルの位置が不正です。");
}

TEST(DocumentOpen, SubsectionHeaders) {
  const std::string document = OnePage();
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\nx 4")),
            "相互参照テーブルの先頭オブジェクト番号が不正です。");
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\n0 y")),
            "相互参照テーブルの項目数が不正です。");
  EXPECT_EQ(OpenError(Replaced(document, "0000000000 65535 f", "00000000x0 65535 f")),
            "相互参照テーブルの項目数が不正です。");
  // A count the file cannot hold is refused before memory is taken for it.
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\n0 2000000000")),
            "相互参照テーブルの項目数が不正です。");
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\n2000000000 4")),
            "相互参照テーブルの項目数が不正です。");
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\n0 -4")),
            "相互参照テーブルの項目数が不正です。");
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\n-3 4")),
            "相互参照テーブルの先頭オブジェクト番号が不正です。");
}

TEST(DocumentOpen, SeveralSubsectionsLeaveGapsUnlisted) {
  PdfBuilder pdf;
  pdf.Object(5, "<< /Type /Catalog /Pages 6 0 R >>")
      .Object(6, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Trailer("/Root 5 0 R");
  const std::unique_ptr<Document> document = OpenDocumentBytes(pdf.Build());
  const XrefTable& xref = document->Xref();
  EXPECT_EQ(xref.Size(), 7);
  EXPECT_TRUE(xref.IsFree(0));
  for (int n = 1; n <= 4; ++n) EXPECT_FALSE(xref.Find(n).has_value()) << n;
  EXPECT_GT(xref.FileOffset(5), 0);
  EXPECT_GT(xref.FileOffset(6), xref.FileOffset(5));
}

TEST(DocumentOpen, EveryEntryEndOfLine) {
  for (const char* end : {"\r\n", " \n", " \r", "\n", "\r"}) {
    PdfBuilder pdf = testing::PagesShowing({""});
    pdf.EntryEnd(end);
    EXPECT_EQ(OpenDocumentBytes(pdf.Build())->FirstPageNumber(), 4)
        << "entry end of " << std::string(end).size() << " bytes";
  }
}

TEST(DocumentOpen, TrailerValues) {
  EXPECT_EQ(OpenError(Replaced(OnePage(), "trailer\n<<", "trailer\n[ ")),
            "trailerが正しくありません。");
  EXPECT_EQ(OpenError(OnePage("/Info 3 0 R")), "RootIDが正確に取得できませんでした。");
  EXPECT_EQ(OpenError(OnePage("/Root x 0 R")), "RootIDの取得に失敗しました。");
  EXPECT_EQ(OpenError(OnePage("/Root 1 0 R /Prev x")), "PrevIDの取得に失敗しました。");
  EXPECT_EQ(OpenError(OnePage("/Root 1 0 R /Info x 0 R")), "InfoIDの取得に失敗しました。");
  EXPECT_EQ(OpenError(OnePage("/Root 1 0 R", "<< /Type /Catalog >>")),
            "FirstPagesIDが正確に取得できませんでした。");

  EXPECT_TRUE(OpenDocumentBytes(OnePage("/Root 1 0 R /Encrypt 9 0 R"))->Encrypted());
}

// The newest section is read first and the first entry read for an object wins.
TEST(DocumentOpen, IncrementalUpdates) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3, "<< /Type /Page /MediaBox [0 0 100 100] >>")
      .Object(4, "<< /Old true >>")
      .Object(5, "<< /Old true >>")
      .Trailer("/Root 1 0 R /Info 4 0 R")
      .NewSection()
      .Object(3, "<< /Type /Page /MediaBox [0 0 200 200] >>")
      .Object(6, "<< /Type /Catalog /Pages 2 0 R >>")
      .Free(5)
      .Trailer("/Root 6 0 R");
  const std::string bytes = pdf.Build();
  const std::unique_ptr<Document> document = OpenDocumentBytes(bytes);
  EXPECT_EQ(document->RootNumber(), 6);
  EXPECT_EQ(document->InfoNumber(), 4);  // only the older trailer has one
  EXPECT_EQ(document->FirstPageMediaBox(), (Rectangle{0, 0, 200, 200}));
  EXPECT_GT(document->Xref().FileOffset(3), document->Xref().FileOffset(4));
  EXPECT_TRUE(document->Xref().IsFree(5));  // the newer free entry hides the older object
  EXPECT_THAT(document->XrefOffsets(), ElementsAre(std::to_string(pdf.SectionOffsets()[1]),
                                                std::to_string(pdf.SectionOffsets()[0])));
}

// A /Prev chain that comes back to a section already read ends there.
TEST(DocumentOpen, PrevCycleEndsQuietly) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Trailer("/Root 1 0 R /Prev 99999999")
      .NewSection()
      .Object(3, "<< >>")
      .Trailer("");
  std::string bytes = pdf.Build();
  // The older section now points at the newer one, which points back at it.
  char newest[16];
  std::snprintf(newest, sizeof newest, "%08lld", static_cast<long long>(pdf.SectionOffsets()[1]));
  bytes = Replaced(bytes, "99999999", newest);
  EXPECT_EQ(OpenDocumentBytes(bytes)->XrefOffsets().size(), 2u);
}

// The pages the tree holds count, whatever /Count says; /Count counts only when the tree
// cannot be walked after its first page.
TEST(DocumentOpen, PageCountIsThePagesFound) {
  const std::vector<std::pair<int32_t, std::string>> pages = {{3, "<< /Type /Page >>"},
                                                              {4, "<< /Type /Page >>"}};
  for (const char* count : {"", "/Count 1", "/Count 9", "/Count 7 0 R"}) {
    const std::unique_ptr<Document> document = OpenDocumentBytes(
        TreeDocument("<< /Type /Pages /Kids [3 0 R 4 0 R] " + std::string(count) + " >>", pages));
    EXPECT_EQ(document->PageCount(), 2) << count;
    EXPECT_EQ(document->FirstPageNumber(), 3) << count;
  }
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 7 0 R >>")
      .Object(3, "<< /Type /Page >>")
      .Object(4, "<< /Type /Page >>")
      .Object(7, "12")
      .Trailer("/Root 1 0 R")
      .WrongOffset(4, 0);
  const std::unique_ptr<Document> damaged = OpenDocumentBytes(pdf.Build());
  EXPECT_EQ(damaged->PageCount(), 12);
  EXPECT_EQ(damaged->FirstPageNumber(), 3);
}

// The first page is the first leaf in /Kids order; its box comes from the nearest ancestor.
TEST(DocumentOpen, FirstPageAndInheritedMediaBox) {
  const std::unique_ptr<Document> document = OpenDocumentBytes(
      TreeDocument("<< /Type /Pages /Kids [4 0 R 3 0 R] /Count 2 /MediaBox [0 0 1 1] >>",
                   {{3, "<< /Type /Page /Parent 2 0 R >>"},
                    {4, "<< /Type /Pages /Parent 2 0 R /Kids [5 0 R] /MediaBox [0 0 595 842] >>"},
                    {5, "<< /Type /Page /Parent 4 0 R (a string /MediaBox) >>"}}));
  EXPECT_EQ(document->FirstPageNumber(), 5);
  EXPECT_EQ(document->FirstPageMediaBox(), (Rectangle{0, 0, 595, 842}));
  // A cycle of /Parent gives no box.
  const std::unique_ptr<Document> cycle = OpenDocumentBytes(TreeDocument(
      "<< /Type /Pages /Kids [3 0 R] /Parent 3 0 R >>", {{3, "<< /Type /Page /Parent 2 0 R >>"}}));
  EXPECT_EQ(cycle->FirstPageNumber(), 3);
  EXPECT_EQ(cycle->FirstPageMediaBox(), (Rectangle{0, 0, 0, 0}));
}

// A catalog offset that holds another object fails directly, not as a failed check.
TEST(DocumentOpen, WrongCatalogObjectIsNotAStructureFailure) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] >>")
      .Trailer("/Root 1 0 R")
      .WrongOffset(1, 9);
  EXPECT_THROW(OpenDocumentBytes(pdf.Build()), ObjectIdError);

  EXPECT_EQ(OpenError(OnePage("/Root 9 0 R")), "オブジェクトIDが不正です。");
}

TEST(DocumentOpen, OpenFile) {
  testing::TempFile file(SimpleDocument(2));
  const std::unique_ptr<Document> document = Document::OpenFile(file.path(), {});
  EXPECT_EQ(document->FileName(), file.path());
  EXPECT_EQ(document->PageCount(), 2);
  EXPECT_EQ(document->FirstPageMediaBox(), (Rectangle{0, 0, 612, 792}));
  EXPECT_THROW(Document::OpenFile(file.path() + ".missing", {}), FileOpenError);
}

}  // namespace
}  // namespace lumenquill
