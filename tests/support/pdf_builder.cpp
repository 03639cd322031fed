#include "support/pdf_builder.h"

#include "support/deflate.h"

#include <cstdio>

namespace lumenquill::testing {
namespace {

std::string Entry(int64_t offset, bool free, const std::string& end) {
  char text[32];
  std::snprintf(text, sizeof text, "%010lld %05d %c", static_cast<long long>(offset),
                free ? 65535 : 0, free ? 'f' : 'n');
  return text + end;
}

std::string ObjectText(int32_t n, const std::string& body) {
  return std::to_string(n) + " 0 obj\n" + body + "\nendobj\n";
}

}  // namespace

PdfBuilder& PdfBuilder::Object(int32_t n, const std::string& body) {
  sections_.back().items.push_back({n, false, ObjectText(n, body)});
  return *this;
}

PdfBuilder& PdfBuilder::Stream(int32_t n, const std::string& entries, const std::string& data) {
  return Object(n, StreamBody(entries, data));
}

PdfBuilder& PdfBuilder::Replace(int32_t n, const std::string& body) {
  for (Item& item : sections_.back().items) {
    if (item.number == n && !item.free) item.text = ObjectText(n, body);
  }
  return *this;
}

PdfBuilder& PdfBuilder::Free(int32_t n) {
  sections_.back().items.push_back({n, true, ""});
  return *this;
}

PdfBuilder& PdfBuilder::Trailer(const std::string& entries) {
  sections_.back().trailer = entries;
  return *this;
}

PdfBuilder& PdfBuilder::NewSection() {
  sections_.emplace_back();
  return *this;
}

PdfBuilder& PdfBuilder::Raw(const std::string& bytes) {
  sections_.back().items.push_back({-1, false, bytes});
  return *this;
}

std::string PdfBuilder::Build() const {
  std::string out = "%PDF-" + version_ + "\n%\xE2\xE3\xCF\xD3\n";
  section_offsets_.clear();
  int32_t size = 1;
  for (size_t s = 0; s < sections_.size(); ++s) {
    const Section& section = sections_[s];
    std::map<int32_t, std::pair<int64_t, bool>> entries;  // number -> offset, free
    if (s == 0) entries[0] = {0, true};
    for (const Item& item : section.items) {
      if (item.number >= 0) {
        entries[item.number] = {item.free ? 0 : static_cast<int64_t>(out.size()), item.free};
        size = std::max(size, item.number + 1);
      }
      out += item.text;
    }
    section_offsets_.push_back(static_cast<int64_t>(out.size()));
    out += "xref\n";
    // One subsection per run of consecutive numbers.
    for (auto it = entries.begin(); it != entries.end();) {
      auto run_end = it;
      int32_t count = 0;
      while (run_end != entries.end() && run_end->first == it->first + count) {
        ++run_end;
        ++count;
      }
      out += std::to_string(it->first) + " " + std::to_string(count) + "\n";
      for (; it != run_end; ++it) {
        const auto wrong = wrong_offsets_.find(it->first);
        const int64_t offset = wrong != wrong_offsets_.end() ? wrong->second : it->second.first;
        out += Entry(offset, it->second.second, entry_end_);
      }
    }
    out += "trailer\n<< /Size " + std::to_string(size) + " " + section.trailer;
    if (s > 0) out += " /Prev " + std::to_string(section_offsets_[s - 1]);
    out += " >>\nstartxref\n" + std::to_string(section_offsets_.back()) + "\n%%EOF\n";
  }
  return out;
}

std::string StreamBody(const std::string& entries, const std::string& data) {
  return "<< " + entries + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
         "\nendstream";
}

PdfBuilder PagesShowing(const std::vector<std::string>& contents, const std::string& resources,
                        const std::string& page_entries) {
  PdfBuilder pdf;
  std::string kids;
  for (size_t k = 0; k < contents.size(); ++k) kids += std::to_string(4 + 2 * k) + " 0 R ";
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(contents.size()) +
                     " >>")
      .Object(3, kHelvetica);
  for (size_t k = 0; k < contents.size(); ++k) {
    const int32_t page = static_cast<int32_t>(4 + 2 * k);
    pdf.Object(page, "<< /Type /Page /Parent 2 0 R /Contents " + std::to_string(page + 1) +
                         " 0 R /Resources << " + resources + " >> " + page_entries + " >>")
        .Stream(page + 1, "", contents[k]);
  }
  return pdf.Trailer("/Root 1 0 R");
}

std::string TreeDocument(const std::string& root_body,
                         const std::vector<std::pair<int32_t, std::string>>& objects) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>").Object(2, root_body);
  for (const auto& [n, body] : objects) pdf.Object(n, body);
  pdf.Trailer("/Root 1 0 R");
  return pdf.Build();
}

std::string SimpleDocument(int page_count, const std::string& page_entries) {
  PdfBuilder pdf;
  std::string kids;
  for (int i = 0; i < page_count; ++i) kids += std::to_string(3 + i) + " 0 R ";
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(page_count) +
                     " /MediaBox [0 0 612 792] >>");
  for (int i = 0; i < page_count; ++i) {
    pdf.Object(3 + i, "<< /Type /Page /Parent 2 0 R " + page_entries + " >>");
  }
  pdf.Trailer("/Root 1 0 R");
  return pdf.Build();
}

std::string LongTextDocument(int page_count, int text_per_page) {
  PdfBuilder pdf;
  std::string kids;
  for (int i = 0; i < page_count; ++i) kids += std::to_string(4 + i) + " 0 R ";
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(page_count) +
                     " /Resources << /Font << /F1 3 0 R >> >> >>")
      .Object(3, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
  // Every page shares one content stream: the file stays small however long the text.
  const int content = 4 + page_count;
  for (int i = 0; i < page_count; ++i) {
    pdf.Object(4 + i,
               "<< /Type /Page /Parent 2 0 R /Contents " + std::to_string(content) + " 0 R >>");
  }
  pdf.Stream(content, "/Filter /FlateDecode",
             Deflated("BT /F1 12 Tf (" + std::string(static_cast<size_t>(text_per_page), 'x') +
                      ") Tj ET"));
  pdf.Trailer("/Root 1 0 R");
  return pdf.Build();
}

}  // namespace lumenquill::testing
