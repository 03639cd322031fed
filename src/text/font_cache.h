#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "codes/cmap_reader.h"
#include "content/font_decoder.h"
#include "content/font_resource.h"

namespace lumenquill {

class CodeTextCache;
struct FontSelection;

// The CMap reader built from a font's CMap programs (the font has some).
std::unique_ptr<CMapReader> ReadFontCMap(const FontResource& font);

// The fonts of one extraction, each font object (or direct font dictionary) decoded once and
// its CMap reader built once: a font decodes to the same resource for every page and form that
// uses it, so decoding it again, and reading its CMap programs again, would only repeat the
// same work.
class FontCache final {
 public:
  explicit FontCache(FontDecoder& decoder);
  ~FontCache();

  // Replaces what fonts holds with the fonts of the resource list, in its order.
  void DecodeFonts(const ResourceList& resources, FontList& fonts);

  // The CMap reader of a font with CMap data, read from that data on first use. Readers of at
  // most kMaxCachedReaders fonts are kept (each holds a 2 KiB page of its table for every 256
  // codes its programs map, up to some 500 KiB); past that, nothing is returned and the caller
  // builds its own.
  const CMapReader* CachedReader(const FontResource& font);

  // The characters of the CIDs by the font's embedded TrueType program, read on first use
  // (see FontDecoder::ReadGlyphCharacters); they live as long as the decoder.
  const CIDGlyphCharacters* GlyphCharacters(const CIDProgramObjects& objects) {
    return decoder_.ReadGlyphCharacters(objects).get();
  }

  // The texts of the codes of a font this cache decoded, converted by its selection, kept for
  // the whole extraction: a font shows the same codes page after page. Kept for at most
  // kMaxCodeTextCaches fonts whose CMap reader, when they have CMap data, is one this cache
  // keeps, within kCodeTextBudget for all of them; null for any other font.
  CodeTextCache* CodeTexts(const FontResource& font, const FontSelection& selection);

 private:
  static constexpr size_t kMaxCachedReaders = 64;
  // Each cache takes some 3 KiB of its own besides its share of the budget.
  static constexpr size_t kMaxCodeTextCaches = 256;
  static constexpr size_t kCodeTextBudget = size_t{8} << 20;

  // A font's object number and the identity of its direct dictionary: two direct font
  // dictionaries differ by their identities. The cached fonts hold their dictionaries, so an
  // identity is never reused while its key is kept.
  using FontKey = std::pair<int32_t, const void*>;
  static FontKey KeyOf(const Resource& font) {
    return {font.object_number, font.dictionary ? font.dictionary->Identity() : nullptr};
  }

  FontDecoder& decoder_;
  std::map<FontKey, FontResource> fonts_;
  std::map<FontKey, std::unique_ptr<CMapReader>> readers_;
  std::map<FontKey, std::unique_ptr<CodeTextCache>> code_texts_;
  size_t code_text_budget_ = kCodeTextBudget;
};

}  // namespace lumenquill
