#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumenquill {

// The character each glyph of a TrueType program stands for, indexed by glyph number; 0 for a
// glyph no character maps to. At most 65,536 entries, one past the largest glyph mapped.
using GlyphToUnicode = std::vector<char32_t>;

// The glyphs' characters by the program's Unicode cmap subtable: the full-repertoire one
// (platform 3, encoding 10, format 12) when it maps anything, else the BMP one (platform 3,
// encoding 1, format 4). A glyph several characters map to keeps the smallest. Every offset
// and count is checked against the data; a malformed table or program gives an empty table,
// as does a program without such a subtable.
GlyphToUnicode ReadTrueTypeCmap(std::string_view sfnt);

}  // namespace lumenquill
