#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lumenquill {

// The byte classes of PDF syntax as the readers of this program see them. The tokenizer's white
// space is only LF, CR and space; the header of an object stream also accepts the other white
// space bytes of the format.

inline bool IsTokenWhiteSpace(uint8_t byte) { return byte == '\n' || byte == '\r' || byte == ' '; }

// LF, CR, space, tab, form feed and NUL.
inline bool IsAnyWhiteSpace(uint8_t byte) {
  return IsTokenWhiteSpace(byte) || byte == '\t' || byte == '\f' || byte == '\0';
}

inline bool IsEndOfLine(uint8_t byte) { return byte == '\n' || byte == '\r'; }

// The token white space and % ( ) / < > [ ].
inline bool IsTokenDelimiter(uint8_t byte) {
  static constexpr std::array<bool, 256> kDelimiters = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : std::string_view("\n\r %()/<>[]")) table[c] = true;
    return table;
  }();
  return kDelimiters[byte];
}

inline bool IsDecimalDigit(uint8_t byte) { return byte >= '0' && byte <= '9'; }

inline bool IsOctalDigit(uint8_t byte) { return byte >= '0' && byte <= '7'; }

// The value of a hexadecimal digit (0-9, A-F, a-f), or -1 for any other byte.
inline int HexDigitValue(uint8_t byte) {
  if (IsDecimalDigit(byte)) return byte - '0';
  if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
  if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
  return -1;
}

inline bool IsHexDigit(uint8_t byte) { return HexDigitValue(byte) >= 0; }

}  // namespace lumenquill
