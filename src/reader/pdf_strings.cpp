#include "reader/pdf_strings.h"

#include "reader/decimal_text.h"

namespace lumenquill {
namespace {

bool IsDecimalDigit(uint8_t byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

uint8_t DigitValue(uint8_t byte) { return IsDecimalDigit(byte) ? byte - '0' : 0; }

int OctalToByte(std::string_view digits) {
  uint8_t padded[3] = {'0', '0', '0'};
  const size_t count = digits.size() < 3 ? digits.size() : 3;
  for (size_t i = 0; i < count; ++i) {
    padded[3 - count + i] = static_cast<uint8_t>(digits[i]);
  }
  return DigitValue(padded[0]) * 64 + DigitValue(padded[1]) * 8 + DigitValue(padded[2]);
}

std::string HexToBytes(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const int high = HexDigitValue(text[i]);
    if (high < 0) continue;
    if (i + 1 == text.size()) break;
    const int low = HexDigitValue(text[++i]);
    if (low >= 0) bytes.push_back(static_cast<char>(high << 4 | low));
  }
  return bytes;
}

std::string ReadHexString(ByteStream& source) {
  std::string digits;
  uint8_t byte = 0;
  while (source.TryReadByte(byte) && byte != '>') {
    if (HexDigitValue(static_cast<char>(byte)) >= 0) digits.push_back(static_cast<char>(byte));
  }
  return digits;
}

void ReadLiteralString(ByteStream& source, std::string& dest) {
  uint8_t byte = 0;
  bool examine_held_byte = false;  // a byte that ended a numeric escape is read again
  for (;;) {
    if (!examine_held_byte && !source.TryReadByte(byte)) return;
    examine_held_byte = false;
    if (byte == ')') return;
    if (byte != '\\') {
      dest.push_back(static_cast<char>(byte));
      continue;
    }
    uint8_t escaped = 0;
    if (!source.TryReadByte(escaped)) return;
    switch (escaped) {
      case '\r': {
        uint8_t next = 0;
        if (source.TryReadByte(next) && next != '\n') source.Move(-1);
        break;
      }
      case '\n':
        break;
      case '(':
      case ')':
      case '\\':
        dest.push_back(static_cast<char>(escaped));
        break;
      case 'b':
        dest.push_back('\b');
        break;
      case 'f':
        dest.push_back('\f');
        break;
      case 'n':
        dest.push_back('\n');
        break;
      case 'r':
        dest.push_back('\r');
        break;
      case 't':
        dest.push_back('\t');
        break;
      default:
        if (!IsDecimalDigit(escaped)) break;  // the backslash and the byte are dropped
        std::string digits(1, static_cast<char>(escaped));
        bool string_ended = false;
        while (digits.size() < 3) {
          if (!source.TryReadByte(byte) || byte == ')') {
            string_ended = true;
            break;
          }
          if (!IsDecimalDigit(byte)) {
            examine_held_byte = true;
            break;
          }
          digits.push_back(static_cast<char>(byte));
        }
        dest.push_back(static_cast<char>(OctalToByte(digits)));
        if (string_ended) return;
    }
  }
}

}  // namespace lumenquill
