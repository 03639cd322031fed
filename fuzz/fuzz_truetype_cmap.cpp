// Reading the cmap table of an embedded TrueType program: the data is the program; its first
// 64 bytes are also converted as CIDs through the glyphs' characters, once with the glyph
// numbers as CIDs and once with the data read as a /CIDToGIDMap.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "codes/cid_glyph_text.h"
#include "codes/truetype_cmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string program(reinterpret_cast<const char*>(data), size);
  lumenquill::CIDGlyphCharacters characters{
      std::make_shared<lumenquill::GlyphToUnicode>(lumenquill::ReadTrueTypeCmap(program)),
      std::nullopt};
  std::string text;
  lumenquill::WriteCIDsByGlyphs(characters, program.substr(0, 64), text);
  characters.cid_to_gid = lumenquill::ReadCIDToGIDMap(program);
  lumenquill::WriteCIDsByGlyphs(characters, program.substr(0, 64), text);
  return 0;
}
