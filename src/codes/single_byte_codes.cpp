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

namespace {

bool IsPrintableASCII(char32_t unit) { return unit >= 0x20 && unit < 0x7F; }

// 1 when the table maps the code to itself as printable ASCII, else 0: as a number, so that
// several combine without a branch each (the table has an entry for every byte).
unsigned SelfMapped(const CodeToUnicode& table, char code) {
  const auto byte = static_cast<uint8_t>(code);
  return static_cast<unsigned>(IsPrintableASCII(byte)) & static_cast<unsigned>(table[byte] == byte);
}

// The end of the run of self-mapped codes from i on. The usual run is a whole line of text, so
// it is tried eight codes at a time, with one branch for the eight.
size_t SelfMappedRunEnd(const CodeToUnicode& table, std::string_view source, size_t i) {
  constexpr size_t kStep = 8;
  while (source.size() - i >= kStep) {
    unsigned all = 1;
    for (size_t k = 0; k < kStep; ++k) all &= SelfMapped(table, source[i + k]);
    if (all == 0) break;
    i += kStep;
  }
  while (i < source.size() && SelfMapped(table, source[i]) != 0) ++i;
  return i;
}

}  // namespace

void WriteByCodeTable(const CodeToUnicode& table, std::string_view source, std::string& dest) {
  size_t i = 0;
  while (i < source.size()) {
    // Printable ASCII is itself: a run of codes the table maps to themselves, as the usual
    // encodings do, is copied as it stands.
    const size_t run_end = SelfMappedRunEnd(table, source, i);
    if (run_end > i) {
      dest.append(source.data() + i, run_end - i);
      i = run_end;
      continue;
    }
    const char32_t unit = table[static_cast<uint8_t>(source[i++])];
    if (IsPrintableASCII(unit)) {
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
