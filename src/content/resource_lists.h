#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumenquill {

// One named resource: the key under which content refers to it (slash included) and the
// object that defines it, or, for a dictionary written in place, where that dictionary stands.
class TPDFResource {
 public:
  TPDFResource(std::string name, int32_t object_number)
      : Name(std::move(name)), ObjectNumber(object_number) {}
  virtual ~TPDFResource() = default;

  std::string Name;
  int32_t ObjectNumber;  // -1 for a dictionary written in place
  // The byte offset in the file of the "<<" of a dictionary written in place; -1 otherwise.
  int64_t DictionaryOffset = -1;
};

// Resources in the order their keys stand in the dictionary; duplicates are kept.
class TPDFResourceList {
 public:
  TPDFResource& Add(std::string name, int32_t object_number);
  // Adds a copy of every resource of other, in its order.
  void AppendCopies(const TPDFResourceList& other);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // These raise IndexError("Index値が不正です。[ index ]") outside 0..Count-1.
  const TPDFResource& Item(int32_t index) const;
  const std::string& GetName(int32_t index) const;
  int32_t GetObjectNumber(int32_t index) const;

 private:
  std::vector<std::unique_ptr<TPDFResource>> items_;
};

class TPageChildResourceList;

// The resources of one page or one form XObject, by category, and (for a page) every form
// XObject the page reaches, nested forms flattened into one list.
class TPageResource {
 public:
  TPageResource();
  ~TPageResource();
  TPageResource(const TPageResource&) = delete;
  TPageResource& operator=(const TPageResource&) = delete;

  TPageChildResourceList& AddChild(std::string name, int32_t object_number);
  // Adds copies of the resources of every category of other; its forms are not copied.
  void AppendCategories(const TPageResource& other);
  // Raises IndexError outside the list.
  TPageChildResourceList& GetChild(int32_t index) const;
  int32_t ChildCount() const { return static_cast<int32_t>(Children.size()); }

  TPDFResourceList Fonts;
  TPDFResourceList XObjects;
  TPDFResourceList ColorSpaces;
  TPDFResourceList ExtGStates;
  TPDFResourceList Patterns;
  TPDFResourceList Properties;
  TPDFResourceList Shadings;
  std::vector<std::unique_ptr<TPageChildResourceList>> Children;
};

// One form XObject of a page, with the form's own resources.
class TPageChildResourceList {
 public:
  TPageChildResourceList(std::string name, int32_t object_number)
      : Name(std::move(name)), ObjectNumber(object_number) {}

  std::string Name;
  int32_t ObjectNumber;
  TPageResource Resources;
};

// The resources of every page read, in reading order.
class TPageResourceList {
 public:
  TPageResource& Add();
  // Raises IndexError outside the list.
  TPageResource& GetItem(int32_t index) const;
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }

 private:
  std::vector<std::unique_ptr<TPageResource>> items_;
};

}  // namespace lumenquill
