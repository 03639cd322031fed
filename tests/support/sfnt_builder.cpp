#include "support/sfnt_builder.h"

namespace lumenquill::testing {

std::string U16(uint32_t value) {
  return {static_cast<char>(value >> 8 & 0xFF), static_cast<char>(value & 0xFF)};
}

std::string U32(uint32_t value) { return U16(value >> 16) + U16(value & 0xFFFF); }

std::string Format4Subtable(const std::vector<CmapSegment>& segments,
                            const std::vector<uint16_t>& glyph_array) {
  std::string ends, starts, deltas, range_offsets, array;
  for (const CmapSegment& s : segments) {
    ends += U16(s.end);
    starts += U16(s.start);
    deltas += U16(s.delta);
    range_offsets += U16(s.range_offset);
  }
  for (const uint16_t glyph : glyph_array) array += U16(glyph);
  const std::string body = U16(static_cast<uint32_t>(segments.size() * 2)) + U16(0) + U16(0) +
                           U16(0) + ends + U16(0) + starts + deltas + range_offsets + array;
  return U16(4) + U16(static_cast<uint32_t>(body.size() + 6)) + U16(0) + body;
}

std::string Format12Subtable(const std::vector<CmapGroup>& groups, uint32_t group_count) {
  std::string body;
  for (const CmapGroup& g : groups) body += U32(g.start) + U32(g.end) + U32(g.glyph);
  const auto count = group_count == UINT32_MAX ? static_cast<uint32_t>(groups.size()) : group_count;
  return U16(12) + U16(0) + U32(static_cast<uint32_t>(16 + body.size())) + U32(0) + U32(count) +
         body;
}

std::string CmapTable(const std::vector<CmapSubtable>& subtables) {
  std::string records, data;
  const auto offset = static_cast<uint32_t>(4 + 8 * subtables.size());
  for (const CmapSubtable& s : subtables) {
    records += U16(s.platform) + U16(s.encoding) + U32(offset + static_cast<uint32_t>(data.size()));
    data += s.bytes;
  }
  return U16(0) + U16(static_cast<uint32_t>(subtables.size())) + records + data;
}

std::string SfntWithCmap(const std::string& cmap) {
  const uint32_t directory_end = 12 + 2 * 16;
  return U32(0x00010000) + U16(2) + U16(32) + U16(1) + U16(0) + "head" + U32(0) +
         U32(directory_end) + U32(4) + "cmap" + U32(0) + U32(directory_end + 4) +
         U32(static_cast<uint32_t>(cmap.size())) + "HEAD" + cmap;
}

}  // namespace lumenquill::testing
