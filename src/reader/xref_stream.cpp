#include "reader/xref_stream.h"

#include <limits>

#include "reader/reader_errors.h"

namespace lumenquill {
namespace {

constexpr const char* kBadXrefStream = "相互参照ストリームが不正です。";
constexpr int32_t kMaxFieldWidth = 8;

// A big-endian field of width bytes at data[at]; width 0 gives fallback.
uint64_t ReadField(std::string_view data, size_t at, int32_t width, uint64_t fallback) {
  if (width == 0) return fallback;
  uint64_t value = 0;
  for (int32_t i = 0; i < width; ++i) {
    value = value << 8 | static_cast<uint8_t>(data[at + static_cast<size_t>(i)]);
  }
  return value;
}

// The integers of a direct array of integers; nothing when the value is anything else.
std::optional<std::vector<int32_t>> IntegerArray(const PdfValue* value) {
  const PdfArray* array = value ? value->Array() : nullptr;
  if (!array) return std::nullopt;
  std::vector<int32_t> integers;
  for (const PdfValue& element : *array) {
    const std::optional<int32_t> integer = element.Integer();
    if (!integer) return std::nullopt;
    integers.push_back(*integer);
  }
  return integers;
}

int32_t CheckedField(uint64_t value, uint64_t limit) {
  if (value > limit) throw LoadError(kBadXrefStream);
  return static_cast<int32_t>(value);
}

}  // namespace

XrefStreamLayout ReadXrefStreamLayout(const PdfDictionary& dictionary) {
  XrefStreamLayout layout;
  const PdfValue* size_value = dictionary.Find("/Size");
  const std::optional<int32_t> size = size_value ? size_value->Integer() : std::nullopt;
  if (!size || *size < 0 || *size > kMaxObjectCount) throw LoadError(kBadXrefStream);
  layout.size = *size;

  const std::optional<std::vector<int32_t>> widths = IntegerArray(dictionary.Find("/W"));
  if (!widths || widths->size() != 3) throw LoadError(kBadXrefStream);
  int32_t entry_width = 0;
  for (size_t i = 0; i < 3; ++i) {
    const int32_t width = (*widths)[i];
    if (width < 0 || width > kMaxFieldWidth) throw LoadError(kBadXrefStream);
    layout.widths[i] = width;
    entry_width += width;
  }
  if (entry_width == 0) throw LoadError(kBadXrefStream);

  const PdfValue* index = dictionary.Find("/Index");
  if (!index) {
    layout.sections.emplace_back(0, layout.size);
    return layout;
  }
  const std::optional<std::vector<int32_t>> pairs = IntegerArray(index);
  if (!pairs || pairs->size() % 2 != 0) throw LoadError(kBadXrefStream);
  for (size_t i = 0; i < pairs->size(); i += 2) {
    const int32_t first = (*pairs)[i];
    const int32_t count = (*pairs)[i + 1];
    if (first < 0 || count < 0 || int64_t{first} + count > kMaxObjectCount) {
      throw LoadError(kBadXrefStream);
    }
    layout.sections.emplace_back(first, count);
  }
  return layout;
}

void ForEachXrefStreamEntry(const XrefStreamLayout& layout, std::string_view data,
                            const std::function<void(const XrefStreamEntry&)>& visit) {
  const auto& [type_width, location_width, index_width] = layout.widths;
  const int64_t entry_width = int64_t{type_width} + location_width + index_width;
  int64_t entries = 0;
  for (const auto& [first, count] : layout.sections) entries += count;
  if (entries * entry_width > static_cast<int64_t>(data.size())) throw LoadError(kBadXrefStream);

  constexpr uint64_t kMaxOffset = std::numeric_limits<int32_t>::max();
  size_t at = 0;
  for (const auto& [first, count] : layout.sections) {
    for (int32_t i = 0; i < count; ++i) {
      // A missing type field means type 1; the other fields default to 0.
      const uint64_t type = ReadField(data, at, type_width, 1);
      const uint64_t location = ReadField(data, at + type_width, location_width, 0);
      const uint64_t index = ReadField(data, at + type_width + location_width, index_width, 0);
      at += static_cast<size_t>(entry_width);

      XrefStreamEntry entry;
      entry.number = first + i;
      if (type == 1) {
        entry.type = 1;
        entry.location = CheckedField(location, kMaxOffset);
      } else if (type == 2) {
        entry.type = 2;
        entry.location = CheckedField(location, kMaxObjectCount - 1);
        entry.index = CheckedField(index, kMaxOffset);
      }
      visit(entry);
    }
  }
}

}  // namespace lumenquill
