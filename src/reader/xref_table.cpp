#include "reader/xref_table.h"

#include <stdexcept>
#include <type_traits>

namespace lumenquill {

void XrefTable::Grow(int32_t size) {
  if (size > Size()) entries_.resize(static_cast<size_t>(size));
}

std::optional<XrefEntry> XrefTable::Find(int32_t n) const {
  if (!Contains(n)) return std::nullopt;
  return std::visit(
      [](const auto& slot) -> std::optional<XrefEntry> {
        if constexpr (std::is_same_v<std::decay_t<decltype(slot)>, std::monostate>) {
          return std::nullopt;
        } else {
          return XrefEntry(slot);
        }
      },
      entries_[static_cast<size_t>(n)]);
}

bool XrefTable::IsFree(int32_t n) const {
  const std::optional<XrefEntry> entry = Find(n);
  return entry && std::holds_alternative<FreeEntry>(*entry);
}

std::optional<int32_t> XrefTable::FileOffset(int32_t n) const {
  const std::optional<XrefEntry> entry = Find(n);
  if (!entry) return std::nullopt;
  if (const auto* in_file = std::get_if<InFileEntry>(&*entry)) return in_file->offset;
  return std::nullopt;
}

bool XrefTable::SetIfUnlisted(int32_t n, const XrefEntry& entry) {
  if (!Contains(n)) throw std::logic_error("object number outside the cross-reference table");
  Slot& slot = entries_[static_cast<size_t>(n)];
  if (!std::holds_alternative<std::monostate>(slot)) return false;
  std::visit([&slot](const auto& listed) { slot = listed; }, entry);
  return true;
}

void XrefTable::Replace(int32_t n, const XrefEntry& entry) {
  if (!Contains(n)) throw std::logic_error("object number outside the cross-reference table");
  std::visit([this, n](const auto& listed) { entries_[static_cast<size_t>(n)] = listed; }, entry);
}

void XrefTable::Unlist(int32_t n) {
  if (!Contains(n)) throw std::logic_error("object number outside the cross-reference table");
  entries_[static_cast<size_t>(n)] = std::monostate{};
}

}  // namespace lumenquill
