#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "codes/truetype_cmap.h"
#include "content/font_resource.h"
#include "reader/pdf_analyst.h"

namespace lumenquill {

// The glyphs' characters of each embedded TrueType program read, by its object number.
using TrueTypeCmapCache = std::map<int32_t, std::shared_ptr<const GlyphToUnicode>>;

// Turns a font dictionary of the document into a font resource: subtype, cleaned font name,
// encoding label, whether a program is embedded, and the CMap programs that come with it.
class TPDFFontDecoder final {
 public:
  // Raises "nilは代入できません。" or "対応できない形式です。" (see CheckDecoderReader).
  explicit TPDFFontDecoder(TPDFAnalyst* analyst);

  // The font of resource name (slash included) defined by object number. Raises
  // Error("オブジェクト番号が不正です。") for a number the reader does not accept; any other
  // error while reading is caught and gives a font with Failed set. The file position is
  // put back.
  std::unique_ptr<TPDFFontResource> DecodeFont(const std::string& name, int32_t object_number);
  // The font of a resource: by its object number, or, for a font dictionary written in place,
  // from the dictionary at its offset.
  std::unique_ptr<TPDFFontResource> DecodeFont(const TPDFResource& resource);

  // How many embedded TrueType programs one decoder reads the cmap of: each may give a table
  // of 65,536 characters from a few bytes. Fonts past the bound get no characters from theirs.
  static constexpr size_t kMaxTrueTypePrograms = 64;

 private:
  TPDFAnalyst& analyst_;
  TrueTypeCmapCache truetype_cmaps_;
};

}  // namespace lumenquill
