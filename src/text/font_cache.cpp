#include "text/font_cache.h"

namespace lumenquill {

void FontCache::DecodeFonts(const TPDFResourceList& resources, TPDFFontResourceList& fonts) {
  fonts.Clear();
  for (int32_t i = 0; i < resources.Count(); ++i) {
    const TPDFResource& resource = resources.Item(i);
    auto cached = fonts_.find(KeyOf(resource));
    if (cached == fonts_.end()) {
      cached = fonts_.emplace(KeyOf(resource), decoder_.DecodeFont(resource)).first;
    }
    // Each resource gets its own copy under its own name; the CMap programs and the tables
    // are shared, not copied.
    auto copy = std::make_unique<TPDFFontResource>(*cached->second);
    copy->Name = resource.Name;
    fonts.Add(std::move(copy));
  }
}

const CMapReader* FontCache::CachedReader(const TPDFFontResource& font) {
  if (!font.CMapData) return nullptr;
  const auto cached = readers_.find(KeyOf(font));
  if (cached != readers_.end()) return cached->second.get();
  if (readers_.size() == kMaxCachedReaders) return nullptr;
  return readers_.emplace(KeyOf(font), ReadFontCMap(font)).first->second.get();
}

std::unique_ptr<CMapReader> ReadFontCMap(const TPDFFontResource& font) {
  auto reader = std::make_unique<CMapReader>();
  font.CMapData->SetPosition(0);
  reader->ReadCMap(*font.CMapData);
  return reader;
}

}  // namespace lumenquill
