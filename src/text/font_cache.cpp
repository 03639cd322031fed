#include "text/font_cache.h"

namespace lumenquill {

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

std::unique_ptr<CMapReader> ReadFontCMap(const FontResource& font) {
  auto reader = std::make_unique<CMapReader>();
  font.cmap_data->SetPosition(0);
  reader->ReadCMap(*font.cmap_data);
  return reader;
}

}  // namespace lumenquill
