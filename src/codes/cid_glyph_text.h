#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/truetype_cmap.h"

namespace lumenquill {

// The characters of a CIDFont's two-byte codes by its embedded TrueType program: each code is
// a CID (the Identity-H and Identity-V encodings), each CID a glyph through the font's
// /CIDToGIDMap, each glyph a character through the program's cmap.
struct CIDGlyphCharacters {
  // Shared by every font that embeds the same program.
  std::shared_ptr<const GlyphToUnicode> glyphs;
  // The glyph of each CID, from a /CIDToGIDMap stream; none for /Identity, where the glyph
  // number is the CID. A CID past the end of the map has glyph 0, which is no character.
  std::optional<std::vector<uint16_t>> cid_to_gid;
};

// The big-endian two-byte glyph numbers of a /CIDToGIDMap stream, at most one per CID (65,536);
// an odd last byte is dropped.
std::vector<uint16_t> ReadCIDToGIDMap(std::string_view bytes);

// Each two-byte code of source as its glyph's character, appended to dest as extracted text
// (see AppendUnicodeCharacter): an unknown code for a glyph without a character, as for an
// unknown CID. An odd last byte is ignored.
void WriteCIDsByGlyphs(const CIDGlyphCharacters& characters, std::string_view source,
                       std::string& dest);

}  // namespace lumenquill
