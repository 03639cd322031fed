#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "content/font_resource.h"

namespace lumenquill {

// Finds a font of a page's list by the name a Tf gives, the first font of a name winning. A
// page may switch fonts at every string and may name thousands of fonts, so a lookup must cost
// little whatever the list: an open-addressing table, twice as large as the list, whose slots
// hold each name's first and last eight bytes, so that a name of up to sixteen bytes compares
// as three numbers.
class FontNameIndex final {
 public:
  // The names of the fonts in list order; they must outlive the index.
  explicit FontNameIndex(const std::vector<std::string_view>& names);
  // The index in the list of the first font of that name, or -1 when no font has it.
  int32_t Find(std::string_view name) const;

 private:
  struct Key {
    uint64_t head;  // the first eight bytes, zero-padded
    uint64_t tail;  // the last eight bytes, zero-padded
    size_t size;
    bool operator==(const Key&) const = default;
  };
  struct Slot {
    Key key;
    const char* name;
    int32_t index;  // -1 for an empty slot
  };
  static Key KeyOf(std::string_view name);
  size_t Home(const Key& key) const;

  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

// The names of the fonts of a list, in its order, for an index of them.
std::vector<std::string_view> FontNamesOf(const FontList& fonts);

}  // namespace lumenquill
