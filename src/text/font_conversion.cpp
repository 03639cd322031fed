#include "text/font_conversion.h"

#include "codes/predefined_conversion.h"
#include "codes/unicode_text.h"

namespace lumenquill {
namespace {

// The fallback of a font's ToUnicode program: a simple font's code table; for a Type0 font,
// its encoding's Adobe-Japan1 CIDs, or the CIDs of another collection through the embedded
// TrueType program's cmap (read when first needed).
FontConversion WithToUnicodeFallback(const FontResource& font, StringConverter label_converter,
                                     const CodeToUnicode* codes) {
  FontConversion conversion{ConversionKind::kToUnicode, nullptr, codes};
  if (codes != nullptr) {
    conversion.fallback = ConversionKind::kGlyphNames;
  } else if (font.subtype == "Type0" && font.cid_ordering == "Japan1" && label_converter) {
    conversion.fallback = ConversionKind::kLabel;
    conversion.converter = label_converter;
  } else if (font.HasForeignCIDs() && label_converter == ConvertCIDs &&
             (font.glyph_characters || font.cid_program.program >= 0)) {
    conversion.fallback = ConversionKind::kEmbeddedCmap;
  }
  return conversion;
}

const char* FallbackName(ConversionKind fallback) {
  switch (fallback) {
    case ConversionKind::kGlyphNames:
      return ", then glyph-names";
    case ConversionKind::kLabel:
      return ", then Adobe-Japan1";
    case ConversionKind::kEmbeddedCmap:
      return ", then embedded-cmap";
    default:
      return "";
  }
}

}  // namespace

FontConversion ChooseConversion(const FontResource& font) {
  const StringConverter label_converter = ConverterForLabel(font.encoding);
  const CodeToUnicode* codes = label_converter == WriteSingleByteText ? font.codes.get() : nullptr;
  if (font.cmap_data && font.to_unicode == ToUnicodeMap::kProgram) {
    return WithToUnicodeFallback(font, label_converter, codes);
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
  if (font.cmap_data) {
    return {ConversionKind::kCMapProgram, nullptr, codes,
            codes != nullptr ? ConversionKind::kGlyphNames : ConversionKind::kNone};
  }
  if (codes != nullptr) return {ConversionKind::kGlyphNames, nullptr, codes};
  if (label_converter != nullptr) return {ConversionKind::kLabel, label_converter};
  return {ConversionKind::kNone};
}

std::string ConversionName(const FontResource& font) {
  const FontConversion conversion = ChooseConversion(font);
  switch (conversion.kind) {
    case ConversionKind::kToUnicode:
      return std::string("ToUnicode") + FallbackName(conversion.fallback);
    case ConversionKind::kIdentityToUnicode:
      return "Identity-ToUnicode";
    case ConversionKind::kCMapProgram:
      return std::string("CMap-program") + FallbackName(conversion.fallback);
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
