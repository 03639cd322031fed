#include "text/font_cache.h"

#include "text/code_text_cache.h"
#include "text/font_selection.h"

namespace lumenquill {

FontCache::FontCache(FontDecoder& decoder) : decoder_(decoder) {}

FontCache::~FontCache() = default;

void FontCache::DecodeFonts(const ResourceList& resources, FontList& fonts) {
  fonts.clear();
  for (const Resource& resource : resources) {
    auto cached = fonts_.find(KeyOf(resource));
    if (cached == fonts_.end()) {
      cached = fonts_.emplace(KeyOf(resource), decoder_.DecodeFont(resource)).first;
    }
    // Each resource gets its own copy under its own name; the CMap programs and the tables
    // are shared, not copied.
    fonts.emplace_back(cached->second).name = resource.name;
  }
}

const CMapReader* FontCache::CachedReader(const FontResource& font) {
  if (!font.cmap_data) return nullptr;
  const auto cached = readers_.find(KeyOf(font));
  if (cached != readers_.end()) return cached->second.get();
  if (readers_.size() == kMaxCachedReaders) return nullptr;
  return readers_.emplace(KeyOf(font), ReadFontCMap(font)).first->second.get();
}

CodeTextCache* FontCache::CodeTexts(const FontResource& font, const FontSelection& selection) {
  const FontKey key = KeyOf(font);
  const auto kept = code_texts_.find(key);
  if (kept != code_texts_.end()) return kept->second.get();
  if (code_texts_.size() == kMaxCodeTextCaches || fonts_.find(key) == fonts_.end()) return nullptr;
  if (font.cmap_data) {
    // A reader the page owns goes with the page.
    const auto reader = readers_.find(key);
    if (reader == readers_.end() || reader->second.get() != selection.cmap) return nullptr;
  }
  return code_texts_.emplace(key, std::make_unique<CodeTextCache>(selection, code_text_budget_))
      .first->second.get();
}

std::unique_ptr<CMapReader> ReadFontCMap(const FontResource& font) {
  auto reader = std::make_unique<CMapReader>();
  font.cmap_data->SetPosition(0);
  reader->ReadCMap(*font.cmap_data);
  return reader;
}

}  // namespace lumenquill
