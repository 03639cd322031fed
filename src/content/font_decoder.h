#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "content/font_resource.h"
#include "reader/pdf_analyst.h"

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
  // See CheckDecoderReader.
  explicit FontDecoder(TPDFAnalyst* analyst);

  // The font of resource name (slash included) defined by object number. Raises
  // Error("オブジェクト番号が不正です。") for a number the reader does not accept; any other
  // error while reading is caught and gives a font with Failed set. The file position is
  // put back.
  FontResource DecodeFont(const std::string& name, int32_t object_number);
  // The font of a resource: by its object number, or, for a direct font dictionary, from the
  // dictionary at its offset.
  FontResource DecodeFont(const Resource& resource);

  // How many pairs of embedded TrueType program and /CIDToGIDMap one decoder reads: each may
  // give tables of 65,536 entries from a few bytes. Fonts past the bound get no characters from
  // their programs.
  static constexpr size_t kMaxEmbeddedCmaps = 64;

 private:
  TPDFAnalyst& analyst_;
  GlyphCharactersCache glyph_characters_;
};

}  // namespace lumenquill
