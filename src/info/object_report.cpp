#include "info/object_report.h"

#include <string>

#include "reader/reading_primitives.h"
#include "reader/stream_dictionary.h"

namespace lumenquill {
namespace {

void WriteBlock(std::ostream& out, const char* label, std::string_view bytes) {
  out << label << ' ' << bytes.size() << '\n';
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out << '\n';
}

}  // namespace

void WriteObjectReport(TPDFAnalyst& reader, int32_t n, std::ostream& out) {
  const std::unique_ptr<MemoryStream> object = reader.GetObjectStream(n);
  const std::string_view bytes = object->Bytes();
  out << "object " << n << ' ';
  WriteBlock(out, "size", bytes.substr(0, bytes.size() - 1));  // without the added LF

  StreamDictionary dictionary(reader);
  std::string token;
  for (;;) {
    ReadTokenPastStringsAndComments(*object, token);
    if (token == "endobj") return;
    if (dictionary.ReadEntry(token, *object) || token != "stream") continue;
    MemoryStream decoded;
    dictionary.DecodeData(*object, decoded);
    WriteBlock(out, "stream", decoded.Bytes());
    return;
  }
}

}  // namespace lumenquill
