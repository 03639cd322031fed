#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reader/open_document.h"
#include "reader/pdf_analyst.h"
#include "support/pdf_builder.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using testing::Open;
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
std::string Document(const std::string& trailer = "/Root 1 0 R",
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
  TPDFAnalyst reader;
  Open(reader, Document("/Root 1 0 R /Info 3 0 R"));
  EXPECT_EQ(reader.Version(), "1.4");
  EXPECT_EQ(reader.ObjectCount(), 4);
  EXPECT_EQ(reader.RootID(), 1);
  EXPECT_EQ(reader.InfoID(), 3);
  EXPECT_EQ(reader.FirstPagesID(), 2);
  EXPECT_EQ(reader.PageCount(), 1);
  EXPECT_EQ(reader.FirstPageID(), 3);
  EXPECT_EQ(reader.MediaBox(), (Rectangle{0, 0, 595, 842}));
  EXPECT_FALSE(reader.Encrypted());
  EXPECT_FALSE(reader.ErrorRaised());
  EXPECT_THAT(reader.FreeObjects(), ElementsAre(true, false, false, false));
}

// The header must start the file; the version is the token after it.
TEST(DocumentOpen, HeaderAndVersion) {
  EXPECT_EQ(OpenError("%PDF"), "このファイルは壊れています");
  EXPECT_EQ(OpenError("hello world"), "このファイルはPDFファイルではありません。");
  EXPECT_EQ(OpenError(" " + Document()), "このファイルはPDFファイルではありません。");
  EXPECT_EQ(OpenError(Replaced(Document(), "%PDF-1.4", "%PDF-1")),
            "このファイルはPDFファイルではありません。");
  for (const char* version : {"1.5", "1.7", "2.0"}) {
    EXPECT_EQ(OpenError(PdfBuilder(version).Build()), "このファイルは未対応の形式です。");
  }
  const std::string catalog = "<< /Type /Catalog /Pages 2 0 R >>";
  EXPECT_EQ(OpenError(Document("/Root 1 0 R", catalog, "1.0")), "");
  EXPECT_EQ(OpenError(Document("/Root 1 0 R", catalog, "1.10")), "");
}

TEST(DocumentOpen, EndMarker) {
  EXPECT_EQ(OpenError(Document() + "\r\n  \n"), "");
  EXPECT_EQ(OpenError(Document() + std::string(1, '\0')), "%%EOFがありません。");
  EXPECT_EQ(OpenError(Document() + "% comment\n"), "%%EOFがありません。");
  // A second marker passes this check, but then stands where the table's offset should.
  EXPECT_EQ(OpenError(Document() + "%%EOF\n"),
            "相互参照テーブルの位置を正確に取得できませんでした。");
}

// Only the last word before the end marker counts, whatever stands before it.
TEST(DocumentOpen, CrossReferenceOffset) {
  const std::string document = Document();
  const size_t startxref = document.rfind("startxref");
  const std::string offset =
      document.substr(startxref + 10, document.find('\n', startxref + 10) - startxref - 10);
  const std::string body = document.substr(0, startxref);
  EXPECT_EQ(OpenError(body + "startxref " + offset + " %%EOF"), "");
  EXPECT_EQ(OpenError(body + "startxref\r" + offset + "\r%%EOF\r"), "");
  // The trailer is read up to the keyword: without it the reading runs into the end.
  TPDFAnalyst reader;
  EXPECT_THROW(Open(reader, body + "whatever\n" + offset + "\n%%EOF"), ReadError);
  EXPECT_EQ(OpenError(body + "startxref\nabc\n%%EOF\n"),
            "相互参照テーブルの位置を正確に取得できませんでした。");
  EXPECT_EQ(OpenError(body + "startxref\n" + std::to_string(std::stoi(offset) + 1) + "\n%%EOF"),
            "相互参照テーブルの位置が不正です。");
  EXPECT_EQ(OpenError(body + "startxref\n99999999\n%%EOF"), "相互参照テーブルの位置が不正です。");
  EXPECT_EQ(OpenError(body + "startxref\n-7\n%%EOF"), "相互参照テーブルの位置が不正です。");
}

TEST(DocumentOpen, SubsectionHeaders) {
  const std::string document = Document();
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\nx 4")),
            "相互参照テーブルの先頭オブジェクト番号が不正です。");
  EXPECT_EQ(OpenError(Replaced(document, "xref\n0 4", "xref\n0 y")),
            "相互参照テーブルの項目数が不正です。");
  EXPECT_EQ(OpenError(Replaced(document, "0000000000 65535 f", "00000000x0 65535 f")),
            "相互参照テーブルの項目数が不正です。");
}

// A count the file cannot hold is refused before memory is taken for it.
TEST(DocumentOpen, OversizedSubsectionsAreRefused) {
  const std::string document = Document();
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
  TPDFAnalyst reader;
  Open(reader, pdf.Build());
  EXPECT_EQ(reader.ObjectCount(), 7);
  const std::vector<int32_t>& offsets = reader.GetOffsets();
  EXPECT_EQ(offsets[0], 0);
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(offsets[n], -1) << n;
  EXPECT_GT(offsets[5], 0);
  EXPECT_GT(offsets[6], offsets[5]);
}

TEST(DocumentOpen, EveryEntryEndOfLine) {
  for (const char* end : {"\r\n", " \n", " \r", "\n", "\r"}) {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
        .Object(3, "<< /Type /Page >>")
        .Trailer("/Root 1 0 R")
        .EntryEnd(end);
    TPDFAnalyst reader;
    Open(reader, pdf.Build());
    EXPECT_EQ(reader.FirstPageID(), 3) << "entry end of " << std::string(end).size() << " bytes";
  }
}

TEST(DocumentOpen, TrailerValues) {
  EXPECT_EQ(OpenError(Replaced(Document(), "trailer\n<<", "trailer\n[ ")),
            "trailerが正しくありません。");
  EXPECT_EQ(OpenError(Document("/Info 3 0 R")), "RootIDが正確に取得できませんでした。");
  EXPECT_EQ(OpenError(Document("/Root x 0 R")), "RootIDの取得に失敗しました。");
  EXPECT_EQ(OpenError(Document("/Root 1 0 R /Prev x")), "PrevIDの取得に失敗しました。");
  EXPECT_EQ(OpenError(Document("/Root 1 0 R /Info x 0 R")), "InfoIDの取得に失敗しました。");
  EXPECT_EQ(OpenError(Document("/Root 1 0 R", "<< /Type /Catalog >>")),
            "FirstPagesIDが正確に取得できませんでした。");

  TPDFAnalyst reader;
  Open(reader, Document("/Root 1 0 R /Encrypt 9 0 R"));
  EXPECT_TRUE(reader.Encrypted());
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
  TPDFAnalyst reader;
  Open(reader, bytes);
  EXPECT_EQ(reader.RootID(), 6);
  EXPECT_EQ(reader.InfoID(), 4);  // only the older trailer has one
  EXPECT_EQ(reader.MediaBox(), (Rectangle{0, 0, 200, 200}));
  EXPECT_GT(reader.GetOffsets()[3], reader.GetOffsets()[4]);
  EXPECT_TRUE(reader.FreeObjects()[5]);  // the newer free entry hides the older object
  EXPECT_THAT(reader.XrefOffsets(), ElementsAre(std::to_string(pdf.SectionOffsets()[1]),
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
  TPDFAnalyst reader;
  Open(reader, bytes);
  EXPECT_EQ(reader.XrefOffsets().size(), 2u);
}

// The pages the tree holds count, whatever /Count says; /Count counts only when the tree
// cannot be walked after its first page.
TEST(DocumentOpen, PageCountIsThePagesFound) {
  const std::vector<std::pair<int32_t, std::string>> pages = {{3, "<< /Type /Page >>"},
                                                              {4, "<< /Type /Page >>"}};
  for (const char* count : {"", "/Count 1", "/Count 9", "/Count 7 0 R"}) {
    TPDFAnalyst reader;
    Open(reader,
         TreeDocument("<< /Type /Pages /Kids [3 0 R 4 0 R] " + std::string(count) + " >>", pages));
    EXPECT_EQ(reader.PageCount(), 2) << count;
    EXPECT_EQ(reader.FirstPageID(), 3) << count;
  }
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 7 0 R >>")
      .Object(3, "<< /Type /Page >>")
      .Object(4, "<< /Type /Page >>")
      .Object(7, "12")
      .Trailer("/Root 1 0 R")
      .WrongOffset(4, 0);
  TPDFAnalyst damaged;
  Open(damaged, pdf.Build());
  EXPECT_EQ(damaged.PageCount(), 12);
  EXPECT_EQ(damaged.FirstPageID(), 3);
}

// The first page is the first leaf in /Kids order; its box comes from the nearest ancestor.
TEST(DocumentOpen, FirstPageAndInheritedMediaBox) {
  TPDFAnalyst reader;
  Open(reader,
       TreeDocument("<< /Type /Pages /Kids [4 0 R 3 0 R] /Count 2 /MediaBox [0 0 1 1] >>",
                    {{3, "<< /Type /Page /Parent 2 0 R >>"},
                     {4, "<< /Type /Pages /Parent 2 0 R /Kids [5 0 R] /MediaBox [0 0 595 842] >>"},
                     {5, "<< /Type /Page /Parent 4 0 R (a string /MediaBox) >>"}}));
  EXPECT_EQ(reader.FirstPageID(), 5);
  EXPECT_EQ(reader.MediaBox(), (Rectangle{0, 0, 595, 842}));
}

TEST(DocumentOpen, ParentCycleGivesNoMediaBox) {
  TPDFAnalyst reader;
  Open(reader, TreeDocument("<< /Type /Pages /Kids [3 0 R] /Parent 3 0 R >>",
                            {{3, "<< /Type /Page /Parent 2 0 R >>"}}));
  EXPECT_EQ(reader.FirstPageID(), 3);
  EXPECT_EQ(reader.MediaBox(), (Rectangle{0, 0, 0, 0}));
}

// A catalog offset that holds another object fails directly, not as a failed check.
TEST(DocumentOpen, WrongCatalogObjectIsNotAStructureFailure) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] >>")
      .Trailer("/Root 1 0 R")
      .WrongOffset(1, 9);
  TPDFAnalyst reader;
  EXPECT_THROW(Open(reader, pdf.Build()), ObjectIdError);
  EXPECT_FALSE(reader.ErrorRaised());

  EXPECT_EQ(OpenError(Document("/Root 9 0 R")), "オブジェクトIDが不正です。");
}

TEST(DocumentOpen, ALoadErrorClearsTheReader) {
  TPDFAnalyst reader;
  EXPECT_THROW(Open(reader, Document("/Info 3 0 R")), LoadError);
  EXPECT_TRUE(reader.ErrorRaised());
  EXPECT_EQ(reader.Stream(), nullptr);
  EXPECT_EQ(reader.ObjectCount(), -1);
  EXPECT_TRUE(reader.XrefOffsets().empty());

  Open(reader, Document());
  EXPECT_FALSE(reader.ErrorRaised());
}

TEST(DocumentOpen, LoadFromFile) {
  testing::TempFile file(SimpleDocument(2));
  TPDFAnalyst reader;
  reader.LoadFromFile(file.path());
  EXPECT_EQ(reader.FileName(), file.path());
  EXPECT_EQ(reader.PageCount(), 2);
  EXPECT_EQ(reader.MediaBox(), (Rectangle{0, 0, 612, 792}));
  EXPECT_THROW(reader.LoadFromFile(file.path() + ".missing"), FileOpenError);
  EXPECT_EQ(reader.Stream(), nullptr);  // the first file was closed by the new open
}

}  // namespace
}  // namespace lumenquill
