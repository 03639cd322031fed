#include "content/font_resource.h"

#include "content/list_index_error.h"

namespace lumenquill {

int32_t TPDFFontResourceList::Add(std::unique_ptr<TPDFFontResource> font) {
  fonts_.push_back(std::move(font));
  return Count() - 1;
}

TPDFFontResource& TPDFFontResourceList::GetItem(int32_t index) const {
  return *fonts_[CheckListIndex(index, fonts_.size())];
}

}  // namespace lumenquill
