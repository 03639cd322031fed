#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lumenquill::testing {

// Writes a PDF file from object bodies, with a correct cross-reference table, so that a test
// reads like the file it makes:
//
//   PdfBuilder pdf;
//   pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
//      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
//      .Object(3, "<< /Type /Page /Parent 2 0 R >>")
//      .Trailer("/Root 1 0 R");
//   std::string bytes = pdf.Build();
//
// NewSection() starts an incremental update: the objects added after it are written after the
// previous section, with a section and trailer of their own whose /Prev names the previous
// one. Options shape the table: the end of line of the entries, an offset written wrongly.
class PdfBuilder {
 public:
  explicit PdfBuilder(std::string version = "1.4") : version_(std::move(version)) {
    sections_.emplace_back();
  }

  // Object n with the given body, written as "n 0 obj\n<body>\nendobj\n".
  PdfBuilder& Object(int32_t n, const std::string& body);
  // Object n holding a stream: the dictionary entries (without "<<" ">>") get /Length.
  PdfBuilder& Stream(int32_t n, const std::string& entries, const std::string& data);
  // Gives object n, added earlier to the current section, another body in the same place.
  PdfBuilder& Replace(int32_t n, const std::string& body);
  // An entry listed as free in the current section (its number written as offset 0).
  PdfBuilder& Free(int32_t n);
  // Entries of the current section's trailer dictionary (without "<<" ">>" and /Prev).
  PdfBuilder& Trailer(const std::string& entries);
  PdfBuilder& NewSection();

  // The version in the header.
  PdfBuilder& Version(std::string version) {
    version_ = std::move(version);
    return *this;
  }
  // The end of line of every table entry: "\r\n" (the default), " \n", " \r", "\n" or "\r".
  PdfBuilder& EntryEnd(std::string end) {
    entry_end_ = std::move(end);
    return *this;
  }
  // Writes this offset for object n in its table entry instead of the real one.
  PdfBuilder& WrongOffset(int32_t n, int64_t offset) {
    wrong_offsets_[n] = offset;
    return *this;
  }
  // Text put between the objects and the table (comments, stray bytes).
  PdfBuilder& Raw(const std::string& bytes);

  std::string Build() const;

  // The offset at which each section's table starts in the last Build(), oldest first.
  const std::vector<int64_t>& SectionOffsets() const { return section_offsets_; }

 private:
  struct Item {
    int32_t number;  // -1 for raw bytes
    bool free;
    std::string text;
  };
  struct Section {
    std::vector<Item> items;
    std::string trailer;
  };

  std::string version_;
  std::vector<Section> sections_;
  std::string entry_end_ = "\r\n";
  std::map<int32_t, int64_t> wrong_offsets_;
  mutable std::vector<int64_t> section_offsets_;
};

// The body of a stream object: the dictionary entries (without "<<" ">>") with /Length, and the
// data.
std::string StreamBody(const std::string& entries, const std::string& data);

// The body of a font dictionary for the standard Helvetica.
inline constexpr char kHelvetica[] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";

// A document with one page per content stream given: catalog 1, page tree 2, font 3 (kHelvetica),
// then for page k (from 0) page object 4 + 2k, with the resources and further entries given,
// and its content stream 5 + 2k. The trailer names the catalog; a test adds its further objects
// (or replaces these) before Build():
//
//   std::string bytes = PagesShowing({"BT /F1 12 Tf (text) Tj ET"}).Build();
PdfBuilder PagesShowing(const std::vector<std::string>& contents,
                        const std::string& resources = "/Font << /F1 3 0 R >>",
                        const std::string& page_entries = "");

// A document whose catalog is object 1 and whose page tree starts at object 2 with root_body,
// with the further objects given as (number, body).
std::string TreeDocument(const std::string& root_body,
                         const std::vector<std::pair<int32_t, std::string>>& objects);

// A document of page_count pages under one /Pages node: catalog 1, pages node 2, pages 3 on,
// each page with the given extra dictionary entries.
std::string SimpleDocument(int page_count, const std::string& page_entries = "");

// A document of page_count pages, each showing text_per_page bytes of text in font /F1: small
// on disk, long as text, slow to extract when page_count is large.
std::string LongTextDocument(int page_count, int text_per_page);

}  // namespace lumenquill::testing
