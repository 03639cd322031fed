#include "reader/object_token_scanner.h"

#include "reader/pdf_analyst.h"
#include "reader/reading_primitives.h"

namespace lumenquill {

void SkipStreamData(ByteStream& stream, int32_t length) {
  if (stream.ReadByte() == '\r') stream.ReadByte();
  if (length > 0) stream.Move(length);
}

bool ObjectTokenScanner::Next(std::string& token) {
  for (;;) {
    ReadTokenPastStringsAndComments(stream_, token);
    if (token == "endobj") return false;
    if (token == "/Length") {
      stream_length_ = reader_.ReadIntegerValue(stream_);
    } else if (token == "stream") {
      SkipStreamData(stream_, stream_length_);
    } else {
      return true;
    }
  }
}

}  // namespace lumenquill
