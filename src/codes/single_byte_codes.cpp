#include "codes/single_byte_codes.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "codes/glyph_tables.h"
#include "codes/predefined_conversion.h"

namespace lumenquill {

CodeToUnicode BaseEncodingCodes(std::string_view name) {
  const uint16_t* upper_half = kStandardEncodingUpperHalf;
  if (name == "WinAnsiEncoding") {
    upper_half = kWinAnsiEncodingUpperHalf;
  } else if (name == "MacRomanEncoding") {
    upper_half = kMacRomanEncodingUpperHalf;
  }
  CodeToUnicode table{};
  for (uint16_t code = 0x20; code <= 0x7E; ++code) table[code] = code;
  for (size_t code = 0x80; code < table.size(); ++code) table[code] = upper_half[code - 0x80];
  return table;
}

CodeToUnicode SymbolFontCodes() {
  CodeToUnicode table{};
  std::copy(std::begin(kSymbolFontUnicode), std::end(kSymbolFontUnicode), table.begin());
  return table;
}

void WriteByCodeTable(const CodeToUnicode& table, std::string_view source, std::string& dest) {
  dest.reserve(dest.size() + source.size());
  for (const char c : source) {
    const uint16_t unit = table[static_cast<uint8_t>(c)];
    if (unit >= 0x20 && unit < 0x7F) {
      dest.push_back(static_cast<char>(unit));  // printable ASCII is itself in code page 932
    } else if (unit == 0) {
      dest.push_back(' ');
    } else {
      AppendUCS2Unit(unit, dest);
    }
  }
}

}  // namespace lumenquill
