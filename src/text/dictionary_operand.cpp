#include "text/dictionary_operand.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "reader/pdf_strings.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

// Consumes the next byte when it is the given one.
bool TakeByte(ByteStream& content, char byte) {
  if (content.Peek(1) != std::string_view(&byte, 1)) return false;
  content.Move(1);
  return true;
}

}  // namespace

bool OpensDictionary(ByteStream& content) { return TakeByte(content, '<'); }

void SkipDictionary(ByteStream& content) {
  // Each level costs two bytes of the stream, so the count needs no bound of its own.
  int64_t depth = 1;
  std::string token;
  while (depth > 0) {
    ReadToken(content, token);
    if (token == "<") {
      if (OpensDictionary(content)) {
        ++depth;
      } else {
        while (content.ReadByte() != '>') {
        }
      }
    } else if (token == ">") {
      if (TakeByte(content, '>')) --depth;
    } else if (token == "(") {
      SkipLiteralString(content);
    } else if (token == "%") {
      SkipLine(content);
    }
  }
}

}  // namespace lumenquill
