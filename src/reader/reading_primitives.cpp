#include "reader/reading_primitives.h"

#include "reader/pdf_strings.h"

namespace lumenquill {

void SkipWhiteSpace(ByteStream& stream) {
  const std::string_view rest = stream.Rest();
  size_t blanks = 0;
  while (blanks < rest.size() && IsTokenWhiteSpace(static_cast<uint8_t>(rest[blanks]))) ++blanks;
  stream.Move(static_cast<int64_t>(blanks));
  if (blanks == rest.size()) throw ReadError();
}

void SkipLine(ByteStream& stream) {
  for (;;) {
    const uint8_t byte = stream.ReadByte();
    if (IsEndOfLine(byte)) return;
  }
}

void ReadToken(ByteStream& stream, std::string& token) {
  token.clear();  // empty when reading raises
  token.assign(NextToken(stream));
}

void ReadTokenPastStringsAndComments(ByteStream& stream, std::string& token) {
  for (;;) {
    ReadToken(stream, token);
    if (token == "(") {
      SkipLiteralString(stream);
    } else if (token == "%") {
      SkipLine(stream);
    } else {
      return;
    }
  }
}

}  // namespace lumenquill
