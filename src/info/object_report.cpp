#include "info/object_report.h"

#include <string>
#include <variant>

#include "platform/error.h"

namespace lumenquill {
namespace {

void WriteBlock(std::ostream& out, const char* label, std::string_view bytes) {
  out << label << ' ' << bytes.size() << '\n';
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out << '\n';
}

// The object's bytes from its header through "endobj".
std::string WrittenObject(Document& document, int32_t n) {
  const std::optional<std::string_view> text = document.Objects().ObjectText(n);
  if (!text) throw Error("オブジェクトの取得に失敗しました。");
  const std::optional<XrefEntry> entry = document.Xref().Find(n);
  if (entry && std::holds_alternative<InObjectStreamEntry>(*entry)) {
    return std::to_string(n) + " 0 obj\n" + std::string(*text) + "\nendobj";
  }
  return std::string(*text);
}

}  // namespace

void WriteObjectReport(Document& document, int32_t n, std::ostream& out) {
  const std::string written = WrittenObject(document, n);
  out << "object " << n << ' ';
  WriteBlock(out, "size", written);

  const PdfValue* object = document.Objects().Object(n);
  const PdfStream* stream = object ? object->Stream() : nullptr;
  if (!stream) return;
  MemoryStream decoded;
  document.Objects().DecodeStream(*stream, decoded);
  WriteBlock(out, "stream", decoded.Bytes());
}

}  // namespace lumenquill
