#include "info/document_report.h"

namespace lumenquill {
namespace {

// "yes, decrypted" for a file decrypted as it is read, "yes" for a secured one.
const char* EncryptionState(const Document& document) {
  if (document.Decrypted()) return "yes, decrypted";
  return document.Encrypted() ? "yes" : "no";
}

int32_t OrMinusOne(std::optional<int32_t> number) { return number.value_or(-1); }

}  // namespace

void WriteDocumentReport(Document& document, std::ostream& out) {
  const Rectangle& box = document.FirstPageMediaBox();
  out << "Version: " << document.Version() << '\n'
      << "ObjectCount: " << document.Xref().Size() << '\n'
      << "RootID: " << OrMinusOne(document.RootNumber()) << '\n'
      << "InfoID: " << OrMinusOne(document.InfoNumber()) << '\n'
      << "FirstPagesID: " << document.PagesRootNumber() << '\n'
      << "PageCount: " << OrMinusOne(document.PageCount()) << '\n'
      << "FirstPageID: " << OrMinusOne(document.FirstPageNumber()) << '\n'
      << "MediaBox: " << box.x1 << ' ' << box.y1 << ' ' << box.x2 << ' ' << box.y2 << '\n'
      << "Encrypted: " << EncryptionState(document) << '\n'
      << "XrefOffsets:";
  for (const std::string& offset : document.XrefOffsets()) out << ' ' << offset;
  out << '\n';

  const ObjectNumberList pages = document.PageObjects();
  for (size_t i = 0; i < pages.size(); ++i) out << "page " << i + 1 << ' ' << pages[i] << '\n';
}

}  // namespace lumenquill
