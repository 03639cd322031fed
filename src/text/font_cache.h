#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "codes/cmap_reader.h"
#include "content/font_resource.h"
#include "content/pdf_font_decoder.h"

namespace lumenquill {

// The CMap reader built from a font's CMap programs (the font has some).
std::unique_ptr<CMapReader> ReadFontCMap(const TPDFFontResource& font);

// The fonts of one extraction, each font object (or font dictionary written in place) decoded
// once and its CMap reader built once: a font decodes to the same resource for every page and
// form that uses it, so decoding it again, and reading its CMap programs again, would only
// repeat the same work.
class FontCache final {
 public:
  explicit FontCache(TPDFFontDecoder& decoder) : decoder_(decoder) {}

  // Replaces what fonts holds with the fonts of the resource list, in its order.
  void DecodeFonts(const TPDFResourceList& resources, TPDFFontResourceList& fonts);

  // The CMap reader of a font with CMap data, read from that data on first use. Readers of at
  // most kMaxCachedReaders fonts are kept (each holds a 128 KiB table); past that, nothing is
  // returned and the caller builds its own.
  const CMapReader* CachedReader(const TPDFFontResource& font);

 private:
  static constexpr size_t kMaxCachedReaders = 64;

  // A font's object number and the offset of its dictionary written in place: two fonts
  // written in place differ by their offsets.
  using FontKey = std::pair<int32_t, int64_t>;
  static FontKey KeyOf(const TPDFResource& font) {
    return {font.ObjectNumber, font.DictionaryOffset};
  }

  TPDFFontDecoder& decoder_;
  std::map<FontKey, std::unique_ptr<TPDFFontResource>> fonts_;
  std::map<FontKey, std::unique_ptr<CMapReader>> readers_;
};

}  // namespace lumenquill
