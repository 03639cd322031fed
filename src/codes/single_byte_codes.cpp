#include "codes/single_byte_codes.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "codes/glyph_tables.h"
#include "codes/latin_ligatures.h"
#include "codes/unicode_text.h"

namespace lumenquill {

namespace {

CodeToUnicode WholeTable(const uint16_t (&units)[256]) {
  CodeToUnicode table{};
  std::copy(std::begin(units), std::end(units), table.begin());
  return table;
}

}  // namespace

CodeToUnicode BaseEncodingCodes(std::string_view name) {
  if (name == "MacExpertEncoding") return WholeTable(kMacExpertEncoding);
  const uint16_t* upper_half = kStandardEncodingUpperHalf;
  if (name == "WinAnsiEncoding") {
    upper_half = kWinAnsiEncodingUpperHalf;
  } else if (name == "MacRomanEncoding") {
    upper_half = kMacRomanEncodingUpperHalf;
  } else if (name == "PDFDocEncoding") {
    upper_half = kPDFDocEncodingUpperHalf;
  }
  CodeToUnicode table{};
  for (uint16_t code = 0x20; code <= 0x7E; ++code) table[code] = code;
  for (size_t code = 0x80; code < table.size(); ++code) table[code] = upper_half[code - 0x80];
  return table;
}

std::optional<CodeToUnicode> FontOwnCodes(std::string_view font_name) {
  if (font_name == "Symbol") return WholeTable(kSymbolFontUnicode);
  if (font_name == "ZapfDingbats") return WholeTable(kDingbatsFontUnicode);
  return std::nullopt;
}

void WriteByCodeTable(const CodeToUnicode& table, std::string_view source, std::string& dest) {
  const auto is_printable_ascii = [](char32_t unit) { return unit >= 0x20 && unit < 0x7F; };
  size_t i = 0;
  while (i < source.size()) {
    // Printable ASCII is itself: a run of codes the table maps to themselves, as the usual
    // encodings do, is copied as it stands.
    size_t run_end = i;
    while (run_end < source.size()) {
      const auto code = static_cast<uint8_t>(source[run_end]);
      if (!is_printable_ascii(code) || table[code] != code) break;
      ++run_end;
    }
    if (run_end > i) {
      dest.append(source.data() + i, run_end - i);
      i = run_end;
      continue;
    }
    const char32_t unit = table[static_cast<uint8_t>(source[i++])];
    if (is_printable_ascii(unit)) {
      dest.push_back(static_cast<char>(unit));
    } else if (unit == 0) {
      dest.push_back(' ');
    } else if (const std::string_view letters = LatinLigatureLetters(unit); !letters.empty()) {
      dest.append(letters);
    } else {
      AppendUnicodeCharacter(unit, dest);
    }
  }
}

}  // namespace lumenquill
