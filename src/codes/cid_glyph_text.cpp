#include "codes/cid_glyph_text.h"

#include <algorithm>

#include "codes/code_helpers.h"
#include "codes/extracted_text.h"
#include "codes/unicode_text.h"

namespace lumenquill {
namespace {

constexpr size_t kCIDCount = 0x10000;

}  // namespace

std::vector<uint16_t> ReadCIDToGIDMap(std::string_view bytes) {
  std::vector<uint16_t> glyphs(std::min(bytes.size() / 2, kCIDCount));
  for (size_t cid = 0; cid < glyphs.size(); ++cid) glyphs[cid] = BigEndianAt(bytes, 2 * cid);
  return glyphs;
}

void WriteCIDsByGlyphs(const CIDGlyphCharacters& characters, std::string_view source,
                       std::string& dest) {
  const GlyphToUnicode& glyphs = *characters.glyphs;
  dest.reserve(dest.size() + source.size() * 2);
  for (size_t i = 0; i + 1 < source.size(); i += 2) {
    const uint16_t cid = BigEndianAt(source, i);
    uint16_t glyph = cid;
    if (characters.cid_to_gid) {
      const std::vector<uint16_t>& map = *characters.cid_to_gid;
      glyph = cid < map.size() ? map[cid] : 0;
    }
    const char32_t character = glyph < glyphs.size() ? glyphs[glyph] : 0;
    if (character == 0) {
      AppendUnknownCode(dest);
    } else {
      AppendUnicodeCharacter(character, dest);
    }
  }
}

}  // namespace lumenquill
