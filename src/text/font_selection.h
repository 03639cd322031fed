#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "codes/cmap_reader.h"
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

  // Appends the text of the string's codes to dest, as extracted text.
  void Convert(std::string_view codes, std::string& dest) const;
};

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
