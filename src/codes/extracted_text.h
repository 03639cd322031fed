#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/utf8_text.h"

namespace lumenquill {

// The text the extraction produces, before the output encoding: UTF-8, in which code points
// past Unicode's last one (U+10FFFF) stand for characters that only the encoder resolves:
//   kCP932Code + c   the code page 932 code c (one byte when below 0x100), as a Shift-JIS
//                    string gives it: Shift-JIS output writes it as it came, byte for byte;
//   kAdobeJapan1 + c the Adobe-Japan1 CID c: Shift-JIS output writes its code, the Unicode
//                    outputs its character;
//   kUnknownCode     a code no table knows: "?" in Shift-JIS, U+FFFD in Unicode.
// Each takes the four-byte form of UTF-8 (first byte 0xF4, second 0x90 or above). ASCII is
// itself, so line ends, spaces and page banners are written into it as they are.
inline constexpr char32_t kCP932Code = 0x110000;
inline constexpr char32_t kAdobeJapan1 = 0x120000;
inline constexpr char32_t kUnknownCode = 0x130000;
inline constexpr char32_t kLastExtractedCode = kUnknownCode;

// Appends the code point (a Unicode scalar value or one of the marks above) as UTF-8.
inline void AppendExtracted(char32_t c, std::string& dest) { AppendUtf8(c, dest); }

inline void AppendCP932Character(uint16_t code, std::string& dest) {
  AppendExtracted(kCP932Code + code, dest);
}
inline void AppendAdobeJapan1CID(uint16_t cid, std::string& dest) {
  AppendExtracted(kAdobeJapan1 + cid, dest);
}
inline void AppendUnknownCode(std::string& dest) { AppendExtracted(kUnknownCode, dest); }

// The code point that starts at text[i], i moved past it. A byte that starts no well-formed
// sequence, or a sequence past kLastExtractedCode, reads as kUnknownCode and takes that byte
// alone. i must be below text.size(). Inline: the encoder reads every character through it.
inline char32_t NextExtracted(std::string_view text, size_t& i) {
  const auto byte = [&text](size_t at) { return static_cast<uint8_t>(text[at]); };
  const uint8_t first = byte(i);
  if (first < 0x80) {
    ++i;
    return first;
  }
  size_t length = 0;
  char32_t c = 0;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
    c = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    c = first & 0x0F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    c = first & 0x07;
  }
  if (length == 0 || text.size() - i < length) {
    ++i;
    return kUnknownCode;
  }
  for (size_t k = 1; k < length; ++k) {
    const uint8_t next = byte(i + k);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kUnknownCode;
    }
    c = c << 6 | (next & 0x3F);
  }
  // Overlong forms and surrogates are not characters.
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > kLastExtractedCode) {
    ++i;
    return kUnknownCode;
  }
  i += length;
  return c;
}

}  // namespace lumenquill
