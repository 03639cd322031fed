#include "info/document_report.h"

namespace lumenquill {
namespace {

// "yes, decrypted" for a file decrypted at load, "yes" for a secured one.
const char* EncryptionState(const TPDFAnalyst& reader) {
  if (reader.Decrypted()) return "yes, decrypted";
  return reader.Encrypted() ? "yes" : "no";
}

}  // namespace

void WriteDocumentReport(TPDFAnalyst& reader, std::ostream& out) {
  const Rectangle& box = reader.MediaBox();
  out << "Version: " << reader.Version() << '\n'
      << "ObjectCount: " << reader.ObjectCount() << '\n'
      << "RootID: " << reader.RootID() << '\n'
      << "InfoID: " << reader.InfoID() << '\n'
      << "FirstPagesID: " << reader.FirstPagesID() << '\n'
      << "PageCount: " << reader.PageCount() << '\n'
      << "FirstPageID: " << reader.FirstPageID() << '\n'
      << "MediaBox: " << box.x1 << ' ' << box.y1 << ' ' << box.x2 << ' ' << box.y2 << '\n'
      << "Encrypted: " << EncryptionState(reader) << '\n'
      << "XrefOffsets:";
  for (const std::string& offset : reader.XrefOffsets()) out << ' ' << offset;
  out << '\n';

  ObjectNumberList pages;
  reader.GetPageObjects(pages);
  for (size_t i = 0; i < pages.size(); ++i) out << "page " << i + 1 << ' ' << pages[i] << '\n';
}

}  // namespace lumenquill
