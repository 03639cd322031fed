#pragma once

#include <string>

#include "content/font_resource.h"
#include "text/label_conversion.h"

namespace lumenquill {

// The ways the strings of a font become text, in the order they are tried.
enum class ConversionKind {
  kToUnicode,          // the /ToUnicode program, through the font's CMap reader
  kIdentityToUnicode,  // /ToUnicode /Identity-H or -V: two-byte codes are UTF-16
  kCMapProgram,        // an embedded encoding CMap, without /ToUnicode
  kEmbeddedCmap,       // CIDs of another collection, through the TrueType program's cmap
  kUnknownCIDs,        // CIDs of another collection and nothing to convert them: "?" each
  kGlyphNames,         // a simple font's codes through its encoding and /Differences
  kLabel,              // the converter its encoding label names
  kNone,               // nothing is written
};

struct FontConversion {
  ConversionKind kind;
  // The converter of kIdentityToUnicode, kUnknownCIDs and kLabel, and of a kLabel fallback;
  // null for the others.
  StringConverter converter = nullptr;
  // A simple font's code table, unless its label names a Japanese CMap: what kGlyphNames
  // converts by, for the font's own strings or as the fallback.
  const CodeToUnicode* codes = nullptr;
  // For kToUnicode and kCMapProgram, how a code the program leaves unmapped converts: as the
  // font would convert it without the program (kGlyphNames, kLabel or kEmbeddedCmap), where
  // that is known; kNone leaves it an unknown code. A code the program maps keeps its mapping.
  ConversionKind fallback = ConversionKind::kNone;
};

// How the text extraction converts the font's strings. The font report shows the same choice.
FontConversion ChooseConversion(const FontResource& font);

// The choice's name in the font report: ToUnicode, Identity-ToUnicode, CMap-program,
// embedded-cmap, unknown-CIDs, glyph-names, single-byte (the label's converter copies ASCII),
// the label itself for any other converter it names, or none. A fallback follows as
// ", then glyph-names", ", then Adobe-Japan1" or ", then embedded-cmap".
std::string ConversionName(const FontResource& font);

}  // namespace lumenquill
