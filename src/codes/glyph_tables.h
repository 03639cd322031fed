#pragma once

#include <cstdint>

namespace lumenquill {

struct GlyphName {
  const char* name;
  uint16_t unicode;
};

// The generated tables (tools/make_glyph_tables.py): the Adobe Glyph List's names of single
// characters, sorted by name; the Unicode of the codes 0x80 to 0xFF of the base encodings that
// keep ASCII below them, and of every code of MacExpert and of the Symbol and ZapfDingbats
// fonts' own encodings; 0 for none.
extern const GlyphName kGlyphNames[];
extern const int kGlyphNameCount;
extern const uint16_t kStandardEncodingUpperHalf[128];
extern const uint16_t kWinAnsiEncodingUpperHalf[128];
extern const uint16_t kMacRomanEncodingUpperHalf[128];
extern const uint16_t kPDFDocEncodingUpperHalf[128];
extern const uint16_t kMacExpertEncoding[256];
extern const uint16_t kSymbolFontUnicode[256];
extern const uint16_t kDingbatsFontUnicode[256];

}  // namespace lumenquill
