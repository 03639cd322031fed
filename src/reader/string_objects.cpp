#include "reader/string_objects.h"

#include <cstdint>

#include "reader/decimal_text.h"

namespace lumenquill {
namespace {

bool IsOctalDigit(uint8_t byte) { return byte >= '0' && byte <= '7'; }

// Consumes an LF that follows a CR just read.
void SkipLineFeedAfterCarriageReturn(ByteStream& stream) {
  if (stream.Peek(1) == "\n") stream.Move(1);
}

// The byte an escape stands for, after its backslash and its first byte escaped; -1 for an
// escaped end of line, which stands for nothing.
int ReadEscape(ByteStream& stream, uint8_t escaped) {
  switch (escaped) {
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case '\n':
      return -1;
    case '\r':
      SkipLineFeedAfterCarriageReturn(stream);
      return -1;
    default:
      break;
  }
  if (!IsOctalDigit(escaped)) return escaped;  // \( \) \\ and unknown escapes: the byte itself
  int value = escaped - '0';
  for (int more = 0; more < 2 && !stream.AtEnd(); ++more) {
    const auto next = static_cast<uint8_t>(stream.Peek(1)[0]);
    if (!IsOctalDigit(next)) break;
    value = value * 8 + (next - '0');
    stream.Move(1);
  }
  return value & 0xFF;  // \400 and above overflow the byte; the high bit is dropped
}

}  // namespace

std::string ReadLiteralStringBytes(ByteStream& stream) {
  std::string bytes;
  int64_t depth = 0;  // unescaped "(" still open inside the string
  for (;;) {
    const uint8_t byte = stream.ReadByte();
    if (byte == ')') {
      if (depth == 0) return bytes;
      --depth;
    } else if (byte == '(') {
      ++depth;
    } else if (byte == '\\') {
      const int value = ReadEscape(stream, stream.ReadByte());
      if (value >= 0) bytes.push_back(static_cast<char>(value));
      continue;
    } else if (byte == '\r') {
      SkipLineFeedAfterCarriageReturn(stream);
      bytes.push_back('\n');
      continue;
    }
    bytes.push_back(static_cast<char>(byte));
  }
}

std::string ReadHexStringBytes(ByteStream& stream) {
  std::string bytes;
  int high = -1;  // the first digit of a pair, until its second arrives
  for (;;) {
    const char byte = static_cast<char>(stream.ReadByte());
    if (byte == '>') break;
    const int digit = HexDigitValue(byte);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<char>(high * 16 + digit));
      high = -1;
    }
  }
  if (high >= 0) bytes.push_back(static_cast<char>(high * 16));
  return bytes;
}

std::string HexStringText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2 + 2);
  text.push_back('<');
  for (const char byte : bytes) {
    const auto value = static_cast<uint8_t>(byte);
    text.push_back(kDigits[value >> 4]);
    text.push_back(kDigits[value & 0x0F]);
  }
  text.push_back('>');
  return text;
}

}  // namespace lumenquill
