#include "codes/truetype_cmap.h"

#include <algorithm>
#include <optional>

namespace lumenquill {
namespace {

constexpr uint32_t kGlyphCount = 0x10000;
constexpr uint32_t kCodePointCount = 0x110000;

// Bounded big-endian reads of one table: a read past its end gives nothing.
class TableBytes {
 public:
  explicit TableBytes(std::string_view bytes) : bytes_(bytes) {}

  bool Has(uint64_t offset, uint64_t size) const {
    return offset <= bytes_.size() && size <= bytes_.size() - offset;
  }
  std::optional<uint16_t> U16(uint64_t offset) const {
    if (!Has(offset, 2)) return std::nullopt;
    return static_cast<uint16_t>(Byte(offset) << 8 | Byte(offset + 1));
  }
  std::optional<uint32_t> U32(uint64_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    return static_cast<uint32_t>(Byte(offset) << 24 | Byte(offset + 1) << 16 |
                                 Byte(offset + 2) << 8 | Byte(offset + 3));
  }
  // The bytes from offset to the end; none when offset lies past it.
  std::optional<TableBytes> From(uint64_t offset) const {
    if (offset > bytes_.size()) return std::nullopt;
    return TableBytes(bytes_.substr(static_cast<size_t>(offset)));
  }
  std::optional<TableBytes> Slice(uint64_t offset, uint64_t size) const {
    if (!Has(offset, size)) return std::nullopt;
    return TableBytes(bytes_.substr(static_cast<size_t>(offset), static_cast<size_t>(size)));
  }
  uint64_t Size() const { return bytes_.size(); }

 private:
  uint32_t Byte(uint64_t offset) const {
    return static_cast<uint8_t>(bytes_[static_cast<size_t>(offset)]);
  }

  std::string_view bytes_;
};

// Glyph to character, the smallest character kept; glyph 0 (.notdef) stands for none.
class GlyphTable {
 public:
  GlyphTable() : glyphs_(kGlyphCount, 0) {}

  void Map(uint32_t glyph, char32_t character) {
    if (glyph == 0 || glyph >= kGlyphCount) return;
    char32_t& kept = glyphs_[glyph];
    if (kept == 0 || character < kept) kept = character;
    any_ = true;
  }
  // The table without its unmapped tail; empty when nothing was mapped.
  GlyphToUnicode Take() {
    if (!any_) return {};
    const auto last =
        std::find_if(glyphs_.rbegin(), glyphs_.rend(), [](char32_t c) { return c != 0; });
    glyphs_.erase(last.base(), glyphs_.end());
    return std::move(glyphs_);
  }

 private:
  GlyphToUnicode glyphs_;
  bool any_ = false;
};

// Format 4: segments of 16-bit codes, each mapped by a delta or through the glyph array that
// its range offset points into. Codes a previous segment covered are passed over, so
// overlapping segments cannot make the work grow past one pass over the codes.
bool ReadFormat4(const TableBytes& table, GlyphTable& glyphs) {
  const std::optional<uint16_t> seg_count_x2 = table.U16(6);
  if (!seg_count_x2 || *seg_count_x2 < 2) return false;
  const uint64_t seg_count = *seg_count_x2 / 2;
  const uint64_t ends = 14;
  const uint64_t starts = ends + 2 * seg_count + 2;  // past the reserved pad
  const uint64_t deltas = starts + 2 * seg_count;
  const uint64_t range_offsets = deltas + 2 * seg_count;
  if (!table.Has(range_offsets, 2 * seg_count)) return false;
  uint32_t next_code = 0;
  for (uint64_t i = 0; i < seg_count; ++i) {
    const uint32_t end = *table.U16(ends + 2 * i);
    const uint32_t start = *table.U16(starts + 2 * i);
    const uint32_t delta = *table.U16(deltas + 2 * i);
    const uint64_t range_offset_at = range_offsets + 2 * i;
    const uint32_t range_offset = *table.U16(range_offset_at);
    for (uint32_t code = std::max(start, next_code); code <= end; ++code) {
      uint32_t glyph = code + delta;
      if (range_offset != 0) {
        const std::optional<uint16_t> entry =
            table.U16(range_offset_at + range_offset + 2 * uint64_t{code - start});
        if (!entry) return false;
        glyph = *entry == 0 ? 0 : *entry + delta;
      }
      glyphs.Map(glyph & 0xFFFF, code);
    }
    next_code = std::max(next_code, end + 1);
  }
  return true;
}

// Format 12: groups of characters mapped to consecutive glyphs. As in format 4, characters a
// previous group covered are passed over.
bool ReadFormat12(const TableBytes& table, GlyphTable& glyphs) {
  const std::optional<uint32_t> group_count = table.U32(12);
  if (!group_count || *group_count > (table.Size() - 16) / 12) return false;
  uint32_t next_code = 0;
  for (uint64_t i = 0; i < *group_count; ++i) {
    const uint64_t group = 16 + 12 * i;
    const uint32_t start = *table.U32(group);
    const uint32_t end = *table.U32(group + 4);
    const uint32_t first_glyph = *table.U32(group + 8);
    if (start > end || end >= kCodePointCount) return false;
    for (uint32_t code = std::max(start, next_code); code <= end; ++code) {
      const uint64_t glyph = uint64_t{first_glyph} + (code - start);
      if (glyph >= kGlyphCount) break;
      glyphs.Map(static_cast<uint32_t>(glyph), code);
    }
    next_code = std::max(next_code, end + 1);
  }
  return true;
}

// The cmap table of the program, by its table directory.
std::optional<TableBytes> FindCmapTable(const TableBytes& sfnt) {
  const std::optional<uint16_t> table_count = sfnt.U16(4);
  if (!table_count) return std::nullopt;
  for (uint64_t i = 0; i < *table_count; ++i) {
    const uint64_t record = 12 + 16 * i;
    const std::optional<uint32_t> tag = sfnt.U32(record);
    if (!tag || !sfnt.Has(record, 16)) return std::nullopt;
    if (*tag == 0x636D6170) return sfnt.Slice(*sfnt.U32(record + 8), *sfnt.U32(record + 12));
  }
  return std::nullopt;
}

// The subtable of the cmap table for the platform and encoding, when it has the format.
std::optional<TableBytes> FindSubtable(const TableBytes& cmap, uint16_t platform, uint16_t encoding,
                                       uint16_t format) {
  const std::optional<uint16_t> record_count = cmap.U16(2);
  if (!record_count) return std::nullopt;
  for (uint64_t i = 0; i < *record_count; ++i) {
    const uint64_t record = 4 + 8 * i;
    if (!cmap.Has(record, 8)) return std::nullopt;
    if (*cmap.U16(record) != platform || *cmap.U16(record + 2) != encoding) continue;
    const std::optional<TableBytes> subtable = cmap.From(*cmap.U32(record + 4));
    if (subtable && subtable->U16(0) == format) return subtable;
  }
  return std::nullopt;
}

GlyphToUnicode ReadSubtable(const std::optional<TableBytes>& subtable,
                            bool (*read)(const TableBytes&, GlyphTable&)) {
  GlyphTable glyphs;
  if (!subtable || !read(*subtable, glyphs)) return {};
  return glyphs.Take();
}

}  // namespace

GlyphToUnicode ReadTrueTypeCmap(std::string_view sfnt) {
  const std::optional<TableBytes> cmap = FindCmapTable(TableBytes(sfnt));
  if (!cmap) return {};
  GlyphToUnicode glyphs = ReadSubtable(FindSubtable(*cmap, 3, 10, 12), ReadFormat12);
  if (glyphs.empty()) glyphs = ReadSubtable(FindSubtable(*cmap, 3, 1, 4), ReadFormat4);
  return glyphs;
}

}  // namespace lumenquill
