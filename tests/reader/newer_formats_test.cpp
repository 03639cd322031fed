// Opening files with cross-reference streams, object streams and hybrid sections, with the
// reader told to read newer files, and refusing them as before without.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "info/document_report.h"
#include "support/deflate.h"
#include "support/document_bytes.h"
#include "support/pdf_builder.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using testing::OpenDocumentBytes;

const std::string kNewerData = LUMENQUILL_TEST_DATA_DIR "/object-streams/";

// Writes a file object by object, remembering where each one starts.
class FileWriter {
 public:
  explicit FileWriter(const std::string& version = "1.5") : bytes_("%PDF-" + version + "\n") {}
  // A writer that continues a whole file, for an incremental update.
  static FileWriter After(const std::string& file) {
    FileWriter writer;
    writer.bytes_ = file;
    return writer;
  }

  int64_t Object(int32_t n, const std::string& body) {
    const auto offset = static_cast<int64_t>(bytes_.size());
    bytes_ += std::to_string(n) + " 0 obj\n" + body + "\nendobj\n";
    return offset;
  }
  int64_t Stream(int32_t n, const std::string& entries, const std::string& data) {
    return Object(n, "<< " + entries + " /Length " + std::to_string(data.size()) + " >>\nstream\n" +
                         data + "\nendstream");
  }
  void Raw(const std::string& bytes) { bytes_ += bytes; }
  int64_t Size() const { return static_cast<int64_t>(bytes_.size()); }
  std::string End(int64_t section) const {
    return bytes_ + "startxref\n" + std::to_string(section) + "\n%%EOF\n";
  }

 private:
  std::string bytes_;
};

// One entry of a cross-reference stream with /W [1 4 2].
std::string Entry(int type, int64_t location, int index = 0) {
  std::string bytes(1, static_cast<char>(type));
  for (int shift = 24; shift >= 0; shift -= 8)
    bytes.push_back(static_cast<char>(location >> shift));
  bytes.push_back(static_cast<char>(index >> 8));
  bytes.push_back(static_cast<char>(index));
  return bytes;
}

// An object stream holding the given objects, in order.
std::string ObjectStreamData(const std::vector<std::pair<int32_t, std::string>>& objects,
                             int32_t& first) {
  std::string header, bodies;
  for (const auto& [number, body] : objects) {
    header += std::to_string(number) + " " + std::to_string(bodies.size()) + " ";
    bodies += body + "\n";
  }
  first = static_cast<int32_t>(header.size());
  return header + bodies;
}

// The message of the error the open raises ("" when it opens) and whether the newer formats
// would lift the refusal, or the file's encryption.
std::string OpenError(const std::string& bytes, bool newer, bool* needs_newer = nullptr) {
  bool needs = false;
  std::string message;
  try {
    needs = OpenDocumentBytes(bytes, newer)->NeedsNewerFormats();
  } catch (const LoadError& error) {
    needs = error.NeedsNewerFormats();
    message = error.what();
  } catch (const Error& error) {
    message = error.what();
  }
  if (needs_newer != nullptr) *needs_newer = needs;
  return message;
}

// A value as text, each reference written "R", so that files numbering their objects
// differently compare equal.
std::string Shape(const PdfValue& value) {
  if (value.Reference()) return "R";
  if (const PdfArray* array = value.Array()) {
    std::string text = "[ ";
    for (const PdfValue& element : *array) text += Shape(element) + " ";
    return text + "]";
  }
  if (const PdfDictionary* dictionary = value.DictionaryOrStreamDictionary()) {
    std::string text = "<< ";
    for (const auto& [key, entry] : *dictionary) text += key + " " + Shape(entry) + " ";
    return text + ">>";
  }
  if (const std::optional<std::string_view> name = value.Name()) return std::string(*name);
  if (const PdfString* string = value.String()) return "(" + string->bytes + ")";
  if (const std::optional<int32_t> integer = value.Integer()) return std::to_string(*integer);
  if (const std::optional<double> number = value.Number()) return std::to_string(*number);
  return value.IsNull() ? "null" : "other";
}

std::string Shape(Document& document, std::optional<int32_t> n) {
  const PdfValue* object = n ? document.Objects().Object(*n) : nullptr;
  return object ? Shape(*object) : "none";
}

std::vector<bool> FreeObjects(const Document& document) {
  std::vector<bool> free;
  for (int32_t n = 0; n < document.Xref().Size(); ++n) free.push_back(document.Xref().IsFree(n));
  return free;
}

std::vector<std::string> PageLines(Document& document) {
  std::ostringstream report;
  WriteDocumentReport(document, report);
  std::vector<std::string> lines;
  std::istringstream in(report.str());
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("page ")) lines.push_back(line);
  }
  return lines;
}

// Files that qpdf rewrote with object streams and a cross-reference stream list the pages qpdf
// lists, hold the same pages as the files they were made from, and are refused as before
// when the reader does not read newer files.
TEST(NewerFormats, FilesWithObjectStreamsFromQpdf) {
  for (const char* name : {"qpdf-nested-tree", "reportlab-latin", "incremental-update"}) {
    SCOPED_TRACE(name);
    const std::string newer_file = kNewerData + name + ".pdf";
    const std::unique_ptr<Document> newer = Document::OpenFile(newer_file, {true});
    std::vector<std::string> expected;
    std::istringstream pages(testing::ReadWholeFile(kNewerData + name + ".pages"));
    for (std::string line; std::getline(pages, line);) expected.push_back(line);
    EXPECT_EQ(PageLines(*newer), expected);

    const std::unique_ptr<Document> classic =
        Document::OpenFile(LUMENQUILL_TEST_DATA_DIR "/" + std::string(name) + ".pdf", {});
    const ObjectNumberList newer_pages = newer->PageObjects();
    const ObjectNumberList classic_pages = classic->PageObjects();
    ASSERT_EQ(newer_pages.size(), classic_pages.size());
    for (size_t i = 0; i < newer_pages.size(); ++i) {
      EXPECT_EQ(Shape(*newer, newer_pages[i]), Shape(*classic, classic_pages[i]));
    }
    EXPECT_EQ(Shape(*newer, newer->RootNumber()), Shape(*classic, classic->RootNumber()));
    EXPECT_EQ(newer->FirstPageMediaBox(), classic->FirstPageMediaBox());

    std::string bytes = testing::ReadWholeFile(newer_file);
    bool needs_newer = false;
    EXPECT_EQ(OpenError(bytes, false, &needs_newer), "このファイルは未対応の形式です。");
    EXPECT_TRUE(needs_newer);
    // With a 1.4 header, the cross-reference stream is what is refused.
    bytes.replace(0, 8, "%PDF-1.4");
    needs_newer = false;
    EXPECT_EQ(OpenError(bytes, false, &needs_newer), "相互参照テーブルの位置が不正です。");
    EXPECT_TRUE(needs_newer);
    EXPECT_EQ(OpenError(bytes, true), "");
  }
  bool needs_newer = true;
  EXPECT_EQ(OpenError(testing::SimpleDocument(1), false, &needs_newer), "");
  EXPECT_FALSE(needs_newer);
}

// The rows of width bytes as the PNG "up" predictor stores them: each a type byte 2 and its
// differences from the row above.
std::string PngUpRows(const std::string& rows, size_t width) {
  std::string stored, previous(width, '\0');
  for (size_t at = 0; at + width <= rows.size(); at += width) {
    stored.push_back(2);
    for (size_t i = 0; i < width; ++i)
      stored.push_back(static_cast<char>(rows[at + i] - previous[i]));
    previous = rows.substr(at, width);
  }
  return stored;
}

// A file of one page: catalog 1 in the file, pages node 2 and page 3 in object stream 5,
// and the cross-reference stream 6 (compressed, with the PNG predictor) with the given extra
// entries and the entries for objects 7 and on.
std::string PackedDocument(const std::string& extra_entries = "",
                           const std::string& later_entries = "", bool compress = true) {
  FileWriter file;
  const int64_t catalog = file.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  int32_t first = 0;
  const std::string objects =
      ObjectStreamData({{2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>"},
                        {3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 400] >>"}},
                       first);
  const std::string header = "/Type /ObjStm /N 2 /First " + std::to_string(first);
  const int64_t object_stream =
      compress ? file.Stream(5, header + " /Filter /FlateDecode", testing::Deflated(objects))
               : file.Stream(5, header, objects);
  const int64_t xref = file.Size();
  std::string rows = Entry(0, 0, 65535) + Entry(1, catalog) + Entry(2, 5, 0) + Entry(2, 5, 1) +
                     Entry(0, 0) + Entry(1, object_stream) + Entry(1, xref) + later_entries;
  const int size = static_cast<int>(rows.size() / 7);
  file.Stream(6,
              "/Type /XRef /Size " + std::to_string(size) + " /W [1 4 2] /Root 1 0 R " +
                  extra_entries +
                  " /Filter /FlateDecode /DecodeParms << /Columns 7 /Predictor 12 >>",
              testing::Deflated(PngUpRows(rows, 7)));
  return file.End(xref);
}

TEST(NewerFormats, CrossReferenceAndObjectStreams) {
  for (const bool compress : {true, false}) {
    const std::unique_ptr<Document> document =
        OpenDocumentBytes(PackedDocument("/ID [(first\\)) <4142>]", "", compress), true);
    EXPECT_EQ(document->Xref().Size(), 7);
    EXPECT_EQ(document->PageCount(), 1);
    EXPECT_EQ(document->FirstPageNumber(), 3);
    EXPECT_EQ(document->FirstPageMediaBox(), (Rectangle{0, 0, 300, 400}));
    EXPECT_THAT(FreeObjects(*document), ElementsAre(true, false, false, false, true, false, false));
    EXPECT_EQ(document->DocumentId(), "first)");
    EXPECT_FALSE(document->Encrypted());
    EXPECT_EQ(Shape(*document, 2), "<< /Type /Pages /Kids [ R ] /Count 1 >>");
  }
  const std::unique_ptr<Document> predicted =
      OpenDocumentBytes(PackedDocument("/Encrypt 12 0 R /ID [<3031> <32>]"), true);
  EXPECT_TRUE(predicted->Encrypted());
  EXPECT_EQ(predicted->EncryptNumber(), 12);
  EXPECT_EQ(predicted->DocumentId(), "01");
}

// An object whose object stream is missing or damaged, or whose index or number does not
// match the stream, is missing: it reads as a free object does.
TEST(NewerFormats, ObjectsMissingFromTheirStreamsReadAsFree) {
  const std::string later = Entry(2, 5, 7) +  // 7: index past /N
                            Entry(2, 5, 1) +  // 8: the stream holds 3 at index 1
                            Entry(2, 4, 0) +  // 9: object 4 is free, not a stream
                            Entry(2, 99, 0);  // 10: no such object
  const std::unique_ptr<Document> document = OpenDocumentBytes(PackedDocument("", later), true);
  EXPECT_EQ(document->Xref().Size(), 11);
  for (int32_t n = 7; n <= 10; ++n) {
    EXPECT_EQ(document->Objects().Object(n), nullptr) << n;
    EXPECT_EQ(document->Objects().ObjectText(n), std::nullopt) << n;
  }

  // A damaged object stream leaves its objects missing, here the page tree. Each damage keeps
  // the length of the file, and so the offsets after it.
  for (const char* damage : {"/N 0 /First", "/N 9 /First", "/N 2 /Firsx"}) {
    std::string bytes = PackedDocument();
    const size_t at = bytes.find("/N 2 /First");
    bytes.replace(at, 11, damage);
    EXPECT_EQ(OpenError(bytes, true), "オブジェクトIDが不正です。") << damage;
  }
  // Data running past the end of the file.
  std::string overlong = PackedDocument("", "", false);
  overlong.replace(overlong.find("/Length ", overlong.find("/ObjStm")), 9, "/Length 9");
  EXPECT_EQ(OpenError(overlong, true), "オブジェクトIDが不正です。");
}

TEST(NewerFormats, BrokenCrossReferenceStreams) {
  const std::string good = PackedDocument();
  const auto broken = [&good](const std::string& from, const std::string& to) {
    std::string bytes = good;
    bytes.replace(bytes.rfind(from), from.size(), to);  // in the stream, the last object
    return OpenError(bytes, true);
  };
  EXPECT_EQ(broken("/W [1 4 2]", "/W [1 4]  "), "相互参照ストリームが不正です。");
  EXPECT_EQ(broken("/W [1 4 2]", "/X [1 4 2]"), "相互参照ストリームが不正です。");
  EXPECT_EQ(broken("/W [1 4 2]", "/W [1 4 3]"), "相互参照ストリームが不正です。");
  EXPECT_EQ(broken("/Type /XRef", "/Type /Page"), "相互参照テーブルの位置が不正です。");
  EXPECT_EQ(broken("6 0 obj", "6 0 xyz"), "相互参照テーブルの位置が不正です。");
  EXPECT_EQ(broken("/Type /XRef /Size 7", "/Type /XRef /Size 9"),
            "相互参照ストリームが不正です。");  // more entries than the data holds
  EXPECT_EQ(broken("/Columns 7", "/Columns 9"), "相互参照ストリームが不正です。");
  EXPECT_EQ(broken("/FlateDecode /DecodeParms", "/DCTDecode /DecodeParms"),
            "ストリームのフィルタに対応していません。");

  // A section offset that holds neither kind is refused alike with and without the switch.
  std::string classic = testing::SimpleDocument(1);
  classic.replace(classic.rfind("startxref"), std::string::npos, "startxref\n9\n%%EOF\n");
  EXPECT_EQ(OpenError(classic, true), "相互参照テーブルの位置が不正です。");
  EXPECT_EQ(OpenError(classic, false), "相互参照テーブルの位置が不正です。");

  // Data cut short three bytes after its start.
  const size_t xref = good.find("6 0 obj");
  const std::string cut = good.substr(0, good.find("stream\n", xref) + 10) + "\nstartxref\n" +
                          std::to_string(xref) + "\n%%EOF\n";
  EXPECT_THROW(OpenDocumentBytes(cut, true), LoadError);
}

// Sections of both kinds chained by /Prev: the newest entry for each object wins.
TEST(NewerFormats, IncrementalUpdatesMixBothKinds) {
  // A classic file updated with a cross-reference stream.
  testing::PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3, "<< /Type /Page /MediaBox [0 0 100 100] >>")
      .Object(4, "<< /Old true >>")
      .Trailer("/Root 1 0 R /ID [(old)]");
  const std::string classic = pdf.Build();
  FileWriter update = FileWriter::After(classic);
  const int64_t page = update.Object(3, "<< /Type /Page /MediaBox [0 0 200 200] >>");
  const int64_t xref = update.Size();
  update.Stream(5,
                "/Type /XRef /Size 6 /W [1 4 2] /Index [3 1 5 1] /Root 1 0 R /ID [(new)] /Prev " +
                    std::to_string(pdf.SectionOffsets()[0]),
                Entry(1, page) + Entry(1, xref));
  const std::unique_ptr<Document> document = OpenDocumentBytes(update.End(xref), true);
  EXPECT_EQ(document->FirstPageMediaBox(), (Rectangle{0, 0, 200, 200}));
  EXPECT_EQ(document->DocumentId(), "new");
  EXPECT_EQ(document->Xref().Size(), 6);
  EXPECT_FALSE(document->Xref().IsFree(4));
  EXPECT_THAT(document->XrefOffsets(),
              ElementsAre(std::to_string(xref), std::to_string(pdf.SectionOffsets()[0])));

  // A file with a cross-reference stream updated with a classic section.
  const std::string packed = PackedDocument();
  FileWriter classic_update = FileWriter::After(packed);
  const int64_t new_page =
      classic_update.Object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 50 60] >>");
  const int64_t table = classic_update.Size();
  char entry[32];
  std::snprintf(entry, sizeof entry, "%010lld 00000 n\r\n", static_cast<long long>(new_page));
  classic_update.Raw("xref\n3 1\n" + std::string(entry) + "trailer\n<< /Size 7 /Prev " +
                     std::to_string(packed.find("6 0 obj")) + " >>\n");
  const std::unique_ptr<Document> updated = OpenDocumentBytes(classic_update.End(table), true);
  EXPECT_EQ(updated->FirstPageMediaBox(), (Rectangle{0, 0, 50, 60}));
  EXPECT_EQ(updated->RootNumber(), 1);
  EXPECT_EQ(OpenError(classic_update.End(table), false), "このファイルは未対応の形式です。");
}

// A classic section whose trailer names a cross-reference stream with /XRefStm: the stream is
// read right after the section, and the objects the section lists as free for older readers
// come from the object stream.
TEST(NewerFormats, HybridFile) {
  FileWriter file("1.4");
  const int64_t catalog = file.Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  int32_t first = 0;
  const std::string objects =
      ObjectStreamData({{2, "<< /Type /Pages /Kids [4 0 R] /Count 1 >>"}}, first);
  const int64_t object_stream =
      file.Stream(3, "/Type /ObjStm /N 1 /First " + std::to_string(first), objects);
  const int64_t page = file.Object(4, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 10 20] >>");
  const int64_t xref_stream =
      file.Stream(5, "/Type /XRef /Size 6 /W [1 4 2] /Index [2 1] /Prev 999999", Entry(2, 3, 0));
  const auto row = [](int64_t offset, const char* kind) {
    char text[32];
    std::snprintf(text, sizeof text, "%010lld %05d %s\r\n", static_cast<long long>(offset),
                  kind[0] == 'f' ? 65535 : 0, kind);
    return std::string(text);
  };
  const int64_t table = file.Size();
  file.Raw("xref\n0 6\n" + row(0, "f") + row(catalog, "n") + row(0, "f") + row(object_stream, "n") +
           row(page, "n") + row(xref_stream, "n") + "trailer\n<< /Size 6 /Root 1 0 R /XRefStm " +
           std::to_string(xref_stream) + " >>\n");
  const std::string bytes = file.End(table);

  const std::unique_ptr<Document> document = OpenDocumentBytes(bytes, true);
  EXPECT_EQ(document->FirstPageNumber(), 4);
  EXPECT_EQ(document->FirstPageMediaBox(), (Rectangle{0, 0, 10, 20}));
  EXPECT_THAT(FreeObjects(*document), ElementsAre(true, false, false, false, false, false));
  // The stream's /Prev is not followed: a hybrid section's stream only completes it.
  EXPECT_THAT(document->XrefOffsets(),
              ElementsAre(std::to_string(table), std::to_string(xref_stream)));

  std::string wrong_stream = bytes;
  wrong_stream.replace(wrong_stream.rfind("/XRefStm ") + 9, 1, "9");
  EXPECT_EQ(OpenError(wrong_stream, true), "相互参照テーブルの位置が不正です。");

  // An older reader sees object 2 as free, and so a catalog without a page tree.
  EXPECT_EQ(OpenError(bytes, false), "オブジェクトIDが不正です。");
}

TEST(NewerFormats, TrailerEncryptAndId) {
  const std::unique_ptr<Document> plain = OpenDocumentBytes(testing::SimpleDocument(1));
  EXPECT_EQ(plain->EncryptNumber(), std::nullopt);
  EXPECT_EQ(plain->DocumentId(), "");

  testing::PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Trailer("/Root 1 0 R /Encrypt 8 0 R /ID [(older) (x)]")
      .NewSection()
      .Object(3, "<< >>")
      .Trailer("/Encrypt 9 0 R /ID [<6E65 77> <00>]");
  const std::unique_ptr<Document> document = OpenDocumentBytes(pdf.Build());
  EXPECT_TRUE(document->Encrypted());
  EXPECT_EQ(document->EncryptNumber(), 9);
  EXPECT_EQ(document->DocumentId(), "new");
}

}  // namespace
}  // namespace lumenquill
