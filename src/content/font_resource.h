#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "codes/cid_glyph_text.h"
#include "codes/single_byte_codes.h"
#include "content/font_widths.h"
#include "content/page_resources.h"
#include "reader/memory_stream.h"

namespace lumenquill {

// The three encoding labels that are words rather than names from the file.
inline constexpr const char* kCustomEncoding = "カスタム";     // an encoding with /Differences
inline constexpr const char* kBuiltInEncoding = "ビルドイン";  // the embedded program's own
inline constexpr const char* kStandardEncoding = "標準";       // the standard encoding

// What a font's /ToUnicode entry gives: a CMap program (the first of cmap_data), the name
// Identity-H or Identity-V (two-byte codes that are UTF-16 themselves), or nothing.
enum class ToUnicodeMap { kNone, kProgram, kIdentity };

// The objects of a CIDFontType2's embedded TrueType program and of its /CIDToGIDMap stream: -1
// without a program, and for /Identity.
struct CIDProgramObjects {
  int32_t program = -1;
  int32_t cid_to_gid_map = -1;
};

// What the text extraction knows of one font: its subtype, cleaned name, encoding label, and
// the CMap programs that come with it.
struct FontResource : Resource {
  FontResource(std::string name, int32_t object_number)
      : Resource{std::move(name), object_number, std::nullopt} {}

  std::string subtype = "???";
  std::string font_name = "???";
  std::string encoding = "???";
  bool embedded = false;
  int32_t font_file_object = -1;
  bool failed = false;
  // The font's CMap programs, each preceded by LF LF, the /ToUnicode map first; none when the
  // font has no program. The position is left at the end. Shared: the programs never change
  // once decoded, so the extraction's copies of a font, one per page that uses it, hold the
  // same bytes.
  std::shared_ptr<MemoryStream> cmap_data;
  // A simple font's character for each code, by its encoding and /Differences; none for a
  // composite font. Shared as cmap_data is.
  std::shared_ptr<const CodeToUnicode> codes;
  ToUnicodeMap to_unicode = ToUnicodeMap::kNone;
  // The descendant CIDFont's /CIDSystemInfo; empty without one, and for a simple font.
  std::string cid_registry;
  std::string cid_ordering;
  // Where a CIDFontType2 descendant's characters come from.
  CIDProgramObjects cid_program;
  // The characters of the CIDs by that program, read when decoding only for a font that
  // HasUnmappedForeignCIDs and embeds one with a Unicode cmap. Shared as cmap_data is.
  std::shared_ptr<const CIDGlyphCharacters> glyph_characters;
  // The advances of its glyphs; none for a font that could not be read. Shared as cmap_data is.
  std::shared_ptr<const FontWidths> widths;

  // Whether the font is a Type0 font whose CIDs are of a character collection other than
  // Adobe-Japan1: the Japanese tables would read its CIDs as other characters. A font without
  // /CIDSystemInfo is taken as Adobe-Japan1.
  bool HasForeignCIDs() const {
    return subtype == "Type0" && !cid_ordering.empty() && cid_ordering != "Japan1";
  }
  // Whether it has such CIDs and no /ToUnicode to give their characters.
  bool HasUnmappedForeignCIDs() const {
    return HasForeignCIDs() && to_unicode == ToUnicodeMap::kNone;
  }
};

// Fonts in the order they were added; the content interpreter searches it from the start.
using FontList = std::vector<FontResource>;

}  // namespace lumenquill
