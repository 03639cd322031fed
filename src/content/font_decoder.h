#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "content/font_resource.h"
#include "reader/document.h"

namespace lumenquill {

// The characters of the CIDs by each embedded TrueType program read, by the object numbers of
// the program and of the /CIDToGIDMap stream (-1 for /Identity); none for a program or map that
// gave none.
using GlyphCharactersCache =
    std::map<std::pair<int32_t, int32_t>, std::shared_ptr<const CIDGlyphCharacters>>;

// Turns a font dictionary of the document into a font resource: subtype, cleaned font name,
// encoding label, whether a program is embedded, and the CMap programs that come with it.
class FontDecoder final {
 public:
  // See CheckDecodable.
  explicit FontDecoder(Document& document);

  // The font of a resource: the font object its number names, or its direct dictionary. An
  // object that cannot be read, and any error while reading, give a font with failed set.
  FontResource DecodeFont(const Resource& resource);

  // How many pairs of embedded TrueType program and /CIDToGIDMap one decoder reads: each may
  // give tables of 65,536 entries from a few bytes. Fonts past the bound get no characters from
  // their programs.
  static constexpr size_t kMaxEmbeddedCmaps = 64;

  // The characters of the CIDs by a font's embedded TrueType program through its
  // /CIDToGIDMap, read once for the fonts that share both, and kept while the decoder lives;
  // none without such a program, when its cmap maps nothing, when either cannot be read, or
  // past kMaxEmbeddedCmaps. A decoded font has them already when nothing else gives its
  // characters; a font whose ToUnicode program leaves codes unmapped reads them on first need.
  std::shared_ptr<const CIDGlyphCharacters> ReadGlyphCharacters(const CIDProgramObjects& objects);

 private:
  std::shared_ptr<const CIDGlyphCharacters> MakeGlyphCharacters(int32_t program,
                                                                int32_t cid_to_gid_map);
  // The decoded data of stream object n; empty when it holds no stream.
  std::string DecodeStreamObject(int32_t n);

  Document& document_;
  GlyphCharactersCache glyph_characters_;
};

}  // namespace lumenquill
