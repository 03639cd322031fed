#include "text/font_conversion.h"

#include "codes/predefined_conversion.h"
#include "codes/unicode_text.h"

namespace lumenquill {

FontConversion ChooseConversion(const TPDFFontResource& font) {
  const StringConverter label_converter = ConverterForLabel(font.Encoding);
  const CodeToUnicode* codes = label_converter == WriteSingleByteText ? font.Codes.get() : nullptr;
  if (font.CMapData && font.ToUnicode == ToUnicodeMap::kProgram) {
    return {ConversionKind::kToUnicode, nullptr, codes};
  }
  if (font.Subtype == "Type0" && font.ToUnicode == ToUnicodeMap::kIdentity) {
    return {ConversionKind::kIdentityToUnicode, ConvertUTF16};
  }
  // The encoding CMap program and the Identity encodings give CIDs; only Adobe-Japan1 ones
  // have tables here.
  const bool gives_cids = font.CMapData || label_converter == ConvertCIDs;
  if (gives_cids && font.HasUnmappedForeignCIDs()) {
    if (font.GlyphCharacters && label_converter == ConvertCIDs) {
      return {ConversionKind::kEmbeddedCmap};
    }
    return {ConversionKind::kUnknownCIDs, WriteUnknownCIDs};
  }
  if (font.CMapData) return {ConversionKind::kCMapProgram, nullptr, codes};
  if (codes != nullptr) return {ConversionKind::kGlyphNames, nullptr, codes};
  if (label_converter != nullptr) return {ConversionKind::kLabel, label_converter};
  return {ConversionKind::kNone};
}

std::string ConversionName(const TPDFFontResource& font) {
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
      return conversion.converter == WriteSingleByteText ? "single-byte" : font.Encoding;
    case ConversionKind::kNone:
      break;
  }
  return "none";
}

}  // namespace lumenquill
