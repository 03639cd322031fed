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

void SkipValue(ByteStream& stream) {
  int64_t depth = 0;  // open dictionaries and arrays; a counter, so no nesting costs memory
  std::string token;
  for (;;) {
    ReadToken(stream, token);
    if (token == "%") {
      SkipLine(stream);
      continue;
    }
    if (token == "(") {
      SkipLiteralString(stream);
    } else if (token == "<") {
      if (stream.Peek(1) == "<") {
        stream.Move(1);
        ++depth;
      } else {
        uint8_t byte = 0;  // a hexadecimal string
        while (stream.TryReadByte(byte) && byte != '>') {
        }
      }
    } else if (token == "[") {
      ++depth;
    } else if (token == ">" || token == "]" || token == "endobj") {
      if (depth == 0 || token == "endobj") {
        stream.Move(-static_cast<int64_t>(token.size()));
        return;
      }
      if (token == ">" && stream.Peek(1) == ">") stream.Move(1);
      --depth;
    }
    if (depth == 0) return;
  }
}

void SkipObjectHeader(ByteStream& stream) {
  std::string token;
  for (int i = 0; i < 3; ++i) ReadToken(stream, token);
  ReadToken(stream, token);
  if (token == "%") {
    SkipLine(stream);
  } else {
    stream.Move(-static_cast<int64_t>(token.size()));
  }
}

}  // namespace lumenquill
