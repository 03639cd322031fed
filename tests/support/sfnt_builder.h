#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumenquill::testing {

// Pieces of TrueType programs, for tests of what reads their cmap table.

// Big-endian fields.
std::string U16(uint32_t value);
std::string U32(uint32_t value);

// A segment of a format 4 subtable: codes start to end, mapped by the delta, or through the
// glyph array when the range offset is not 0.
struct CmapSegment {
  uint16_t start;
  uint16_t end;
  uint16_t delta;
  uint16_t range_offset;
};
std::string Format4Subtable(const std::vector<CmapSegment>& segments,
                            const std::vector<uint16_t>& glyph_array = {});

// A group of a format 12 subtable: characters start to end, to glyphs from glyph on.
struct CmapGroup {
  uint32_t start;
  uint32_t end;
  uint32_t glyph;
};
// group_count is the count written, the number of groups unless given.
std::string Format12Subtable(const std::vector<CmapGroup>& groups,
                             uint32_t group_count = UINT32_MAX);

struct CmapSubtable {
  uint16_t platform;
  uint16_t encoding;
  std::string bytes;
};
std::string CmapTable(const std::vector<CmapSubtable>& subtables);

// A program of two tables: "head" of four bytes, and the cmap table after it.
std::string SfntWithCmap(const std::string& cmap);

}  // namespace lumenquill::testing
