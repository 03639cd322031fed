#include "codes/extracted_text.h"

namespace lumenquill {

char32_t NextExtracted(std::string_view text, size_t& i) {
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
