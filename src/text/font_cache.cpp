#include "text/font_cache.h"

namespace lumenquill {
namespace {

// A copy of every field the extraction reads, failed or not, under its own resource name; the
// CMap programs are shared, not copied.
std::unique_ptr<TPDFFontResource> CopyFont(const TPDFFontResource& font, const std::string& name) {
  auto copy = std::make_unique<TPDFFontResource>(name, font.ObjectNumber);
  copy->DictionaryOffset = font.DictionaryOffset;
  copy->Subtype = font.Subtype;
  copy->FontName = font.FontName;
  copy->Encoding = font.Encoding;
  copy->Embedded = font.Embedded;
  copy->FontFileObject = font.FontFileObject;
  copy->Failed = font.Failed;
  copy->CMapData = font.CMapData;
  copy->Codes = font.Codes;
  copy->ToUnicode = font.ToUnicode;
  copy->CIDRegistry = font.CIDRegistry;
  copy->CIDOrdering = font.CIDOrdering;
  copy->GlyphCharacters = font.GlyphCharacters;
  return copy;
}

}  // namespace

void FontCache::DecodeFonts(const TPDFResourceList& resources, TPDFFontResourceList& fonts) {
  fonts.Clear();
  for (int32_t i = 0; i < resources.Count(); ++i) {
    const TPDFResource& resource = resources.Item(i);
    auto cached = fonts_.find(KeyOf(resource));
    if (cached == fonts_.end()) {
      cached = fonts_.emplace(KeyOf(resource), decoder_.DecodeFont(resource)).first;
    }
    fonts.Add(CopyFont(*cached->second, resource.Name));
  }
}

const TPDFCMapReader* FontCache::CachedReader(const TPDFFontResource& font) {
  if (!font.CMapData) return nullptr;
  const auto cached = readers_.find(KeyOf(font));
  if (cached != readers_.end()) return cached->second.get();
  if (readers_.size() == kMaxCachedReaders) return nullptr;
  return readers_.emplace(KeyOf(font), ReadFontCMap(font)).first->second.get();
}

std::unique_ptr<TPDFCMapReader> ReadFontCMap(const TPDFFontResource& font) {
  auto reader = std::make_unique<TPDFCMapReader>();
  font.CMapData->SetPosition(0);
  reader->ReadCMap(*font.CMapData);
  return reader;
}

}  // namespace lumenquill
