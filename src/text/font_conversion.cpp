#include "text/font_conversion.h"

#include "codes/predefined_conversion.h"
#include "codes/unicode_text.h"

namespace lumenquill {

FontConversion ChooseConversion(const FontResource& font) {
  const StringConverter label_converter = ConverterForLabel(font.encoding);
  const CodeToUnicode* codes = label_converter == WriteSingleByteText ? font.codes.get() : nullptr;
  if (font.cmap_data && font.to_unicode == ToUnicodeMap::kProgram) {
    return {ConversionKind::kToUnicode, nullptr, codes};
  }
  if (font.subtype == "Type0" && font.to_unicode == ToUnicodeMap::kIdentity) {
    return {ConversionKind::kIdentityToUnicode, ConvertUTF16};
  }
  // The encoding CMap program and the Identity encodings give CIDs; only Adobe-Japan1 ones
  // have tables here.
  const bool gives_cids = font.cmap_data || label_converter == ConvertCIDs;
  if (gives_cids && font.HasUnmappedForeignCIDs()) {
    if (font.glyph_characters && label_converter == ConvertCIDs) {
      return {ConversionKind::kEmbeddedCmap};
    }
    return {ConversionKind::kUnknownCIDs, WriteUnknownCIDs};
  }
  if (font.cmap_data) return {ConversionKind::kCMapProgram, nullptr, codes};
  if (codes != nullptr) return {ConversionKind::kGlyphNames, nullptr, codes};
  if (label_converter != nullptr) return {ConversionKind::kLabel, label_converter};
  return {ConversionKind::kNone};
}

std::string ConversionName(const FontResource& font) {
  const FontConversion conversion = ChooseConversion(font);
  switch (conversion.kind) {
    case ConversionKind::kToUnicode:
      return "ToUnicode";
    case ConversionKind::kIdentityToUnicode:
      return "Identity-ToUnicode";
    case ConversionKind::kCMapProgram:
      return "CMap-program";
    case ConversionKind::kEmbeddedCmap:
      return "embedded-cmap";
    case ConversionKind::kUnknownCIDs:
      return "unknown-CIDs";
    case ConversionKind::kGlyphNames:
      return "glyph-names";
    case ConversionKind::kLabel:
      return conversion.converter == WriteSingleByteText ? "single-byte" : font.encoding;
    case ConversionKind::kNone:
      break;
  }
  return "none";
}

}  // namespace lumenquill
