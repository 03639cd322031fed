#include "codes/glyph_names.h"

#include <algorithm>
#include <string_view>

#include "codes/glyph_tables.h"
#include "reader/byte_classes.h"

namespace lumenquill {
namespace {

// The hexadecimal digits as a number; -1 unless they are all uppercase hexadecimal digits.
int32_t ParseHex(std::string_view digits) {
  int32_t value = 0;
  for (const char c : digits) {
    if (IsDecimalDigit(c)) {
      value = value * 16 + (c - '0');
    } else if (c >= 'A' && c <= 'F') {
      value = value * 16 + (c - 'A' + 10);
    } else {
      return -1;
    }
  }
  return value;
}

// The character of uniXXXX or uXXXX[XX]; 0 when the name is neither or its value is a
// surrogate or lies beyond Unicode.
char32_t HexNameToUnicode(std::string_view name) {
  int32_t value = -1;
  if (name.size() == 7 && name.starts_with("uni")) {
    value = ParseHex(name.substr(3));
  } else if (name.size() >= 5 && name.size() <= 7 && name[0] == 'u') {
    value = ParseHex(name.substr(1));
  }
  if (value <= 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return static_cast<char32_t>(value);
}

}  // namespace

char32_t GlyphNameToUnicode(std::string_view name) {
  name = name.substr(0, name.find('.'));
  const GlyphName* end = kGlyphNames + kGlyphNameCount;
  const GlyphName* found = std::lower_bound(
      kGlyphNames, end, name,
      [](const GlyphName& entry, std::string_view key) { return entry.name < key; });
  if (found != end && found->name == name) return found->unicode;
  return HexNameToUnicode(name);
}

}  // namespace lumenquill
