#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "codes/cid_glyph_text.h"
#include "codes/cmap_reader.h"
#include "codes/single_byte_codes.h"
#include "content/font_resource.h"
#include "text/font_cache.h"
#include "text/font_conversion.h"

namespace lumenquill {

// What selecting a font sets, worked out once for each font of a list: a page may switch fonts
// at every string.
struct FontSelection {
  FontConversion conversion{ConversionKind::kLabel, ConverterForLabel("")};
  const CMapReader* cmap = nullptr;  // set when the font has CMap data
  CodeBytes code_bytes = CodeBytes::kByCMap;
  const CIDGlyphCharacters* glyph_characters = nullptr;
  bool horizontal = true;
  // Where the characters of an embedded TrueType program come from when the font has none
  // read yet: a ToUnicode program's fallback reads them only for a code it leaves unmapped.
  FontCache* font_cache = nullptr;
  CIDProgramObjects cid_program;

  // Appends the text of the string's codes to dest, as extracted text. Inline: a page may hold
  // a string for every character or two, and the conversions are calls of their own.
  void Convert(std::string_view codes, std::string& dest) const;

 private:
  // Appends the text of codes the CMap program leaves unmapped, by the conversion's fallback.
  void ConvertUnmapped(std::string_view codes, std::string& dest) const;
};

inline void FontSelection::Convert(std::string_view codes, std::string& dest) const {
  switch (conversion.kind) {
    case ConversionKind::kToUnicode:
    case ConversionKind::kCMapProgram:
      if (conversion.fallback == ConversionKind::kNone) {
        ConvertByCMap(cmap, codes, dest, code_bytes);
      } else {
        ConvertByCMap(*cmap, codes, dest, code_bytes,
                      [this](std::string_view unmapped, std::string& text) {
                        ConvertUnmapped(unmapped, text);
                      });
      }
      break;
    case ConversionKind::kEmbeddedCmap:
      WriteCIDsByGlyphs(*glyph_characters, codes, dest);
      break;
    case ConversionKind::kGlyphNames:
      WriteByCodeTable(*conversion.codes, codes, dest);
      break;
    case ConversionKind::kIdentityToUnicode:
    case ConversionKind::kUnknownCIDs:
    case ConversionKind::kLabel:
      conversion.converter(codes, dest);
      break;
    case ConversionKind::kNone:
      break;
  }
}

// The selections of every font of a list, by font index. Takes a CMap reader for every font
// with CMap programs from the cache when one is given and holds it, else builds and owns it.
// The fonts must outlive the selections.
class FontSelections final {
 public:
  FontSelections(const FontList& fonts, FontCache* cache);
  FontSelections(const FontSelections&) = delete;
  FontSelections& operator=(const FontSelections&) = delete;

  const FontSelection& operator[](size_t index) const { return selections_[index]; }
  size_t size() const { return selections_.size(); }

 private:
  std::vector<std::unique_ptr<CMapReader>> owned_readers_;  // those not from the cache
  std::vector<FontSelection> selections_;
};

}  // namespace lumenquill
