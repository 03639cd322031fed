#include "content/resource_lists.h"

#include "content/list_index_error.h"
#include "reader/reader_errors.h"

namespace lumenquill {

TPDFResource& TPDFResourceList::Add(std::string name, int32_t object_number) {
  items_.push_back(std::make_unique<TPDFResource>(std::move(name), object_number));
  return *items_.back();
}

void TPDFResourceList::AppendCopies(const TPDFResourceList& other) {
  for (const auto& item : other.items_) {
    Add(item->Name, item->ObjectNumber).DictionaryOffset = item->DictionaryOffset;
  }
}

const TPDFResource& TPDFResourceList::Item(int32_t index) const {
  if (index < 0 || index >= Count()) {
    throw IndexError("Index値が不正です。[ " + std::to_string(index) + " ]");
  }
  return *items_[static_cast<size_t>(index)];
}

const std::string& TPDFResourceList::GetName(int32_t index) const { return Item(index).Name; }

int32_t TPDFResourceList::GetObjectNumber(int32_t index) const { return Item(index).ObjectNumber; }

TPageResource::TPageResource() = default;
TPageResource::~TPageResource() = default;

TPageChildResourceList& TPageResource::AddChild(std::string name, int32_t object_number) {
  Children.push_back(std::make_unique<TPageChildResourceList>(std::move(name), object_number));
  return *Children.back();
}

void TPageResource::AppendCategories(const TPageResource& other) {
  Fonts.AppendCopies(other.Fonts);
  XObjects.AppendCopies(other.XObjects);
  ColorSpaces.AppendCopies(other.ColorSpaces);
  ExtGStates.AppendCopies(other.ExtGStates);
  Patterns.AppendCopies(other.Patterns);
  Properties.AppendCopies(other.Properties);
  Shadings.AppendCopies(other.Shadings);
}

TPageChildResourceList& TPageResource::GetChild(int32_t index) const {
  return *Children[CheckListIndex(index, Children.size())];
}

TPageResource& TPageResourceList::Add() {
  items_.push_back(std::make_unique<TPageResource>());
  return *items_.back();
}

TPageResource& TPageResourceList::GetItem(int32_t index) const {
  return *items_[CheckListIndex(index, items_.size())];
}

}  // namespace lumenquill
