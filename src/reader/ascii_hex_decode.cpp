#include <string>

#include "reader/decimal_text.h"
#include "reader/stream_filters.h"

namespace lumenquill {
// The two digits of a byte must stand side by side: a digit followed by anything else is lost
// with that byte. The ">" end marker is not recognised; it is skipped like any other byte.
std::string DecodeASCIIHex(std::string_view bytes) {
  std::string decoded;
  decoded.reserve(bytes.size() / 2);
  for (size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
    const int high = HexDigitValue(bytes[i]);
    if (high < 0) continue;
    if (i + 1 == bytes.size() || bytes[i + 1] == '\0') break;
    const int low = HexDigitValue(bytes[++i]);
    if (low >= 0) decoded.push_back(static_cast<char>(high << 4 | low));
  }
  return decoded;
}

}  // namespace lumenquill
