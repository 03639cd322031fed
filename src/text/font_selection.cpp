#include "text/font_selection.h"

#include "codes/predefined_conversion.h"

namespace lumenquill {
namespace {

// Simple fonts take one byte per code whatever code space their ToUnicode map declares;
// Type0 fonts take codes of the lengths their map gives.
bool IsSimpleFont(const std::string& subtype) {
  return subtype == "Type1" || subtype == "TrueType" || subtype == "Type3" || subtype == "MMType1";
}

}  // namespace

void FontSelection::ConvertUnmapped(std::string_view codes, std::string& dest) const {
  switch (conversion.fallback) {
    case ConversionKind::kGlyphNames:
      WriteByCodeTable(*conversion.codes, codes, dest);
      break;
    case ConversionKind::kLabel:
      conversion.converter(codes, dest);
      break;
    case ConversionKind::kEmbeddedCmap: {
      const CIDGlyphCharacters* characters = glyph_characters;
      if (characters == nullptr && font_cache != nullptr) {
        characters = font_cache->GlyphCharacters(cid_program);
      }
      if (characters != nullptr) {
        WriteCIDsByGlyphs(*characters, codes, dest);
      } else {
        WriteUnknownCIDs(codes, dest);
      }
      break;
    }
    default:
      break;
  }
}

FontSelections::FontSelections(const FontList& fonts, FontCache* cache) {
  selections_.reserve(fonts.size());
  for (const FontResource& font : fonts) {
    FontSelection& selection = selections_.emplace_back();
    selection.conversion = ChooseConversion(font);
    if (font.cmap_data) {
      selection.cmap = cache ? cache->CachedReader(font) : nullptr;
      if (!selection.cmap) {
        owned_readers_.push_back(ReadFontCMap(font));
        selection.cmap = owned_readers_.back().get();
      }
    }
    selection.code_bytes = IsSimpleFont(font.subtype) ? CodeBytes::kOneEach : CodeBytes::kByCMap;
    selection.glyph_characters = font.glyph_characters.get();
    selection.font_cache = cache;
    selection.cid_program = font.cid_program;
    selection.horizontal = font.encoding.empty() || font.encoding.back() != 'V';
  }
}

}  // namespace lumenquill
