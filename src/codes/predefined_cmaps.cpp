#include "codes/predefined_cmaps.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>

#include "codes/extracted_text.h"
#include "codes/tables/adobe_japan1_cmaps.h"

namespace lumenquill {
namespace {

// A CMap laid out for lookups by index. One-byte and two-byte codes are kept apart because a
// lead byte may be 0x00 (the Adobe-Japan1-N CMaps), where both would share an index.
struct FlatCMap {
  std::array<bool, 0x100> lead_byte{};
  std::array<uint16_t, 0x100> one_byte{};
  std::array<uint16_t, 0x10000> two_byte{};
};

template <typename Table>
void AddRanges(std::span<const CodeRange> ranges, Table& table) {
  for (const CodeRange& range : ranges) {
    for (uint32_t code = range.first; code <= range.last; ++code) {
      table[code] = static_cast<uint16_t>(range.result + (code - range.first));
    }
  }
}

// A CMap's mappings over those of its base, which come first.
void AddMappings(const CMapTable& cmap, FlatCMap& flat) {
  if (cmap.base >= 0) AddMappings(kAdobeJapan1CMaps[cmap.base], flat);
  for (const CodeRange& range : cmap.notdef) {
    for (uint32_t code = range.first; code <= range.last; ++code) {
      flat.one_byte[code] = range.result;
    }
  }
  AddRanges(cmap.one_byte, flat.one_byte);
  AddRanges(cmap.two_byte, flat.two_byte);
}

std::unique_ptr<const FlatCMap> Flatten(const CMapTable& cmap) {
  auto flat = std::make_unique<FlatCMap>();
  for (const CodeRange& range : cmap.lead_bytes) {
    for (uint32_t byte = range.first; byte <= range.last; ++byte) flat->lead_byte[byte] = true;
  }
  AddMappings(cmap, *flat);
  return flat;
}

void Convert(const FlatCMap& cmap, std::string_view source, std::string& dest) {
  dest.reserve(dest.size() + source.size() * 4);
  for (size_t i = 0; i < source.size(); ++i) {
    const auto byte = static_cast<uint8_t>(source[i]);
    if (!cmap.lead_byte[byte]) {
      AppendAdobeJapan1CID(cmap.one_byte[byte], dest);
    } else if (i + 1 < source.size()) {
      AppendAdobeJapan1CID(cmap.two_byte[byte << 8 | static_cast<uint8_t>(source[++i])], dest);
    }
  }
}

// Each CMap is flattened when a string first goes through it.
template <size_t kIndex>
void ConvertThroughCMap(std::string_view source, std::string& dest) {
  static const std::unique_ptr<const FlatCMap> cmap = Flatten(kAdobeJapan1CMaps[kIndex]);
  Convert(*cmap, source, dest);
}

template <size_t... kIndices>
constexpr std::array<CMapConverter, sizeof...(kIndices)> MakeConverters(
    std::index_sequence<kIndices...>) {
  return {ConvertThroughCMap<kIndices>...};
}

constexpr auto kConverters =
    MakeConverters(std::make_index_sequence<std::size(kAdobeJapan1CMaps)>());

}  // namespace

CMapConverter PredefinedCMapConverter(std::string_view name) {
  for (size_t i = 0; i < kConverters.size(); ++i) {
    if (kAdobeJapan1CMaps[i].name == name) return kConverters[i];
  }
  return nullptr;
}

}  // namespace lumenquill
