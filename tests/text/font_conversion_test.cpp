#include "text/font_conversion.h"

#include <gtest/gtest.h>

#include "codes/predefined_conversion.h"
#include "codes/unicode_text.h"

namespace lumenquill {
namespace {

FontResource Font(const std::string& subtype, const std::string& encoding,
                  const std::string& ordering = "") {
  FontResource font("/F", 5);
  font.subtype = subtype;
  font.encoding = encoding;
  font.cid_registry = ordering.empty() ? "" : "Adobe";
  font.cid_ordering = ordering;
  return font;
}

std::shared_ptr<const CIDGlyphCharacters> SomeGlyphCharacters() {
  return std::make_shared<CIDGlyphCharacters>(
      CIDGlyphCharacters{std::make_shared<GlyphToUnicode>(GlyphToUnicode{0, U'A'}), {}});
}

// Adobe-Japan1 CIDs, and those of fonts that name no collection, keep their tables.
TEST(FontConversion, JapaneseCIDsAndLabels) {
  for (const char* ordering : {"Japan1", ""}) {
    const FontConversion identity = ChooseConversion(Font("Type0", "Identity-H", ordering));
    EXPECT_EQ(identity.kind, ConversionKind::kLabel) << ordering;
    EXPECT_EQ(identity.converter, ConvertCIDs) << ordering;
    EXPECT_EQ(ConversionName(Font("Type0", "Identity-V", ordering)), "Identity-V") << ordering;
  }
  EXPECT_EQ(ConversionName(Font("Type0", "UniJIS-UTF16-H", "Japan1")), "UniJIS-UTF16-H");
  EXPECT_EQ(ChooseConversion(Font("Type0", "UniJIS-UTF16-H")).converter, ConvertUTF16);
  EXPECT_EQ(ConversionName(Font("Type0", "WinAnsiEncoding")), "single-byte");
  EXPECT_EQ(ConversionName(Font("Type0", "GBK-EUC-H", "GB1")), "none");
  EXPECT_EQ(ChooseConversion(Font("Type0", "GBK-EUC-H")).converter, nullptr);
}

TEST(FontConversion, ToUnicodeComesFirst) {
  FontResource font = Font("Type0", "Identity-H", "Identity");
  font.cmap_data = std::make_shared<MemoryStream>("\n\nmap");
  font.to_unicode = ToUnicodeMap::kProgram;
  font.glyph_characters = SomeGlyphCharacters();
  EXPECT_EQ(ChooseConversion(font).kind, ConversionKind::kToUnicode);
  EXPECT_EQ(ConversionName(font), "ToUnicode");

  // The identity's name: two-byte codes are UTF-16, whatever the collection; a simple font
  // keeps its codes.
  for (const char* ordering : {"Japan1", "Identity", ""}) {
    FontResource identity = Font("Type0", "Identity-H", ordering);
    identity.to_unicode = ToUnicodeMap::kIdentity;
    const FontConversion conversion = ChooseConversion(identity);
    EXPECT_EQ(conversion.kind, ConversionKind::kIdentityToUnicode) << ordering;
    EXPECT_EQ(conversion.converter, ConvertUTF16) << ordering;
  }
  FontResource simple = Font("TrueType", "WinAnsiEncoding");
  simple.to_unicode = ToUnicodeMap::kIdentity;
  simple.codes = std::make_shared<CodeToUnicode>();
  EXPECT_EQ(ConversionName(simple), "glyph-names");
}

// CIDs of another collection go through the embedded program's cmap when there is one, and
// are otherwise unknown: never read as Adobe-Japan1 CIDs.
TEST(FontConversion, CIDsOfOtherCollections) {
  FontResource font = Font("Type0", "Identity-V", "Identity");
  EXPECT_EQ(ConversionName(font), "unknown-CIDs");
  EXPECT_EQ(ChooseConversion(font).converter, WriteUnknownCIDs);
  font.glyph_characters = SomeGlyphCharacters();
  EXPECT_EQ(ChooseConversion(font).kind, ConversionKind::kEmbeddedCmap);
  EXPECT_EQ(ConversionName(font), "embedded-cmap");

  // An encoding CMap program gives CIDs too; the program's characters are only read for the
  // Identity encodings, where codes are CIDs.
  FontResource custom = Font("Type0", "Custom-H", "GB1");
  custom.cmap_data = std::make_shared<MemoryStream>("\n\nencoding");
  custom.glyph_characters = SomeGlyphCharacters();
  EXPECT_EQ(ConversionName(custom), "unknown-CIDs");
  custom.cid_ordering = "Japan1";
  EXPECT_EQ(ConversionName(custom), "CMap-program");

  // A label whose codes are characters, not CIDs, keeps its conversion.
  EXPECT_EQ(ConversionName(Font("Type0", "UniJIS-UCS2-H", "Identity")), "UniJIS-UCS2-H");
}

TEST(FontConversion, SimpleFonts) {
  FontResource font = Font("Type1", "WinAnsiEncoding");
  EXPECT_EQ(ConversionName(font), "single-byte");
  font.codes = std::make_shared<CodeToUnicode>();
  EXPECT_EQ(ChooseConversion(font).kind, ConversionKind::kGlyphNames);
  EXPECT_EQ(ChooseConversion(font).codes, font.codes.get());
  // Codes a ToUnicode program leaves unmapped go through the same table.
  FontResource mapped = font;
  mapped.cmap_data = std::make_shared<MemoryStream>("\n\nmap");
  mapped.to_unicode = ToUnicodeMap::kProgram;
  EXPECT_EQ(ChooseConversion(mapped).codes, font.codes.get());
  // A label that names a Japanese CMap keeps its conversion, without the table; an unknown one
  // writes nothing.
  font.encoding = "90ms-RKSJ-H";
  EXPECT_EQ(ConversionName(font), "90ms-RKSJ-H");
  EXPECT_EQ(ChooseConversion(font).codes, nullptr);
  font.encoding = "???";
  EXPECT_EQ(ChooseConversion(font).kind, ConversionKind::kNone);
  font.cmap_data = std::make_shared<MemoryStream>("\n\nprogram");
  EXPECT_EQ(ConversionName(font), "CMap-program");
}

}  // namespace
}  // namespace lumenquill
