#include "text/font_name_index.h"

#include <cstring>

namespace lumenquill {

FontNameIndex::FontNameIndex(const std::vector<std::string_view>& names) {
  size_t size = 2;
  while (size < names.size() * 2) size *= 2;
  slots_.assign(size, Slot{{0, 0, 0}, nullptr, -1});
  mask_ = size - 1;
  for (size_t i = 0; i < names.size(); ++i) {
    if (Find(names[i]) >= 0) continue;  // the first font of a name is the one selected
    const Key key = KeyOf(names[i]);
    size_t at = Home(key);
    while (slots_[at].index >= 0) at = (at + 1) & mask_;
    slots_[at] = {key, names[i].data(), static_cast<int32_t>(i)};
  }
}

int32_t FontNameIndex::Find(std::string_view name) const {
  const Key key = KeyOf(name);
  for (size_t at = Home(key);; at = (at + 1) & mask_) {
    const Slot& slot = slots_[at];
    if (slot.index < 0) return -1;
    // Beyond sixteen bytes the middle of the name is compared too.
    if (slot.key == key && (name.size() <= 2 * sizeof key.head ||
                            std::memcmp(slot.name, name.data(), name.size()) == 0)) {
      return slot.index;
    }
  }
}

FontNameIndex::Key FontNameIndex::KeyOf(std::string_view name) {
  Key key{0, 0, name.size()};
  if (name.size() >= sizeof key.head) {  // fixed-size copies, which compile to plain loads
    std::memcpy(&key.head, name.data(), sizeof key.head);
    std::memcpy(&key.tail, name.data() + name.size() - sizeof key.tail, sizeof key.tail);
    return key;
  }
  for (size_t i = 0; i < name.size(); ++i) {
    key.head |= uint64_t{static_cast<uint8_t>(name[i])} << (8 * i);
  }
  key.tail = key.head;
  return key;
}

size_t FontNameIndex::Home(const Key& key) const {
  const uint64_t mixed =
      (key.head ^ key.size) * 0x9E3779B97F4A7C15u ^ key.tail * 0xC2B2AE3D27D4EB4Fu;
  return static_cast<size_t>(mixed ^ (mixed >> 32)) & mask_;
}

std::vector<std::string_view> FontNamesOf(const FontList& fonts) {
  std::vector<std::string_view> names;
  names.reserve(fonts.size());
  for (const FontResource& font : fonts) names.push_back(font.name);
  return names;
}

}  // namespace lumenquill
