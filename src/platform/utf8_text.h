#pragma once

#include <string>

namespace lumenquill {

// Appends a code point as UTF-8: one to four bytes. Values up to 0x1FFFFF take the four-byte
// form, so the extracted text's marks beyond Unicode (codes/extracted_text.h) are written alike.
inline void AppendUtf8(char32_t c, std::string& dest) {
  if (c < 0x80) {
    dest.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    const char bytes[] = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    dest.append(bytes, 2);
  } else if (c < 0x10000) {
    const char bytes[] = {static_cast<char>(0xE0 | (c >> 12)),
                          static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                          static_cast<char>(0x80 | (c & 0x3F))};
    dest.append(bytes, 3);
  } else {
    const char bytes[] = {static_cast<char>(0xF0 | (c >> 18)),
                          static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                          static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                          static_cast<char>(0x80 | (c & 0x3F))};
    dest.append(bytes, 4);
  }
}

}  // namespace lumenquill
