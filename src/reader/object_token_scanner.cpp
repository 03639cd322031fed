#include "reader/object_token_scanner.h"

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
    if (dictionary_.ReadEntry(token, stream_)) continue;
    if (token != "stream") return true;
    SkipStreamData(stream_, dictionary_.Length());
  }
}

}  // namespace lumenquill
