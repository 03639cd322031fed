#include "content/font_resource.h"

#include "content/list_index_error.h"

namespace lumenquill {

void TPDFFontResource::Assign(const TPDFFontResource& source) {
  if (source.Failed) {
    Failed = true;
    return;
  }
  ObjectNumber = source.ObjectNumber;
  DictionaryOffset = source.DictionaryOffset;
  Name = source.Name;
  Subtype = source.Subtype;
  FontName = source.FontName;
  Encoding = source.Encoding;
  Embedded = source.Embedded;
  FontFileObject = source.FontFileObject;
  Failed = false;
  Codes = source.Codes;
  ToUnicode = source.ToUnicode;
  CIDRegistry = source.CIDRegistry;
  CIDOrdering = source.CIDOrdering;
  GlyphCharacters = source.GlyphCharacters;
  CMapData.reset();
  if (source.CMapData) {
    CMapData = std::make_shared<MemoryStream>(std::string(source.CMapData->Bytes()));
    CMapData->SetPosition(CMapData->Size());
    source.CMapData->SetPosition(source.CMapData->Size());
  }
}

int32_t TPDFFontResourceList::Add(std::unique_ptr<TPDFFontResource> font) {
  fonts_.push_back(std::move(font));
  return Count() - 1;
}

TPDFFontResource& TPDFFontResourceList::GetItem(int32_t index) const {
  return *fonts_[CheckListIndex(index, fonts_.size())];
}

}  // namespace lumenquill
