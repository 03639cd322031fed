#include "text/font_conversion.h"

#include <gtest/gtest.h>

#include "codes/predefined_conversion.h"
#include "codes/text_encoder.h"
#include "codes/unicode_text.h"
#include "text/font_selection.h"

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

FontResource WithToUnicode(FontResource font, const std::string& program) {
  font.cmap_data = std::make_shared<MemoryStream>("\n\n" + program);
  font.to_unicode = ToUnicodeMap::kProgram;
  return font;
}

// The font's strings in UTF-8, U+FFFD for an unknown code.
std::string Text(const FontResource& font, std::string_view codes) {
  const FontList fonts{font};
  const FontSelections selections(fonts, nullptr);
  std::string extracted;
  selections[0].Convert(codes, extracted);
  std::string text;
  TextEncoder({OutputEncoding::kUTF8}).Encode(extracted, text);
  return text;
}

// The ToUnicode program comes first; a code it leaves unmapped converts as the font would
// convert it without the program, where that is known.
TEST(FontConversion, ToUnicodeComesFirst) {
  FontResource font = WithToUnicode(Font("Type0", "Identity-H", "Identity"), "map");
  EXPECT_EQ(ChooseConversion(font).kind, ConversionKind::kToUnicode);
  EXPECT_EQ(ConversionName(font), "ToUnicode");
  font.glyph_characters = SomeGlyphCharacters();
  EXPECT_EQ(ChooseConversion(font).fallback, ConversionKind::kEmbeddedCmap);
  EXPECT_EQ(ConversionName(font), "ToUnicode, then embedded-cmap");

  const FontResource japan1 = WithToUnicode(Font("Type0", "Identity-H", "Japan1"), "map");
  EXPECT_EQ(ChooseConversion(japan1).fallback, ConversionKind::kLabel);
  EXPECT_EQ(ChooseConversion(japan1).converter, ConvertCIDs);
  EXPECT_EQ(ConversionName(japan1), "ToUnicode, then Adobe-Japan1");
  // Without a collection, or with a label that has no conversion, there is nothing to fall
  // back on.
  EXPECT_EQ(ConversionName(WithToUnicode(Font("Type0", "Identity-H"), "map")), "ToUnicode");
  EXPECT_EQ(ConversionName(WithToUnicode(Font("Type0", "Custom-H", "Japan1"), "map")), "ToUnicode");

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

// A mapping the program gives wins, even one that differs from what the font would give; the
// unmapped codes go to the fallback in runs, so a label's conversion splits them its own way.
TEST(FontConversion, FallbackTakesOnlyUnmappedCodes) {
  // CIDs 1 and 34 are a space and "A" in Adobe-Japan1; the map gives CID 843 as 字, which
  // Adobe-Japan1 does not.
  const FontResource japan1 = WithToUnicode(Font("Type0", "Identity-H", "Japan1"),
                                            "1 beginbfchar <034B> <5B57> endbfchar endcmap");
  EXPECT_NE(Text(Font("Type0", "Identity-H", "Japan1"), "\x03\x4B"), "字");
  EXPECT_EQ(Text(japan1, std::string("\x03\x4B\x00\x22\x00\x01\x03\x4B", 8)), "字A 字");

  FontResource rksj = WithToUnicode(Font("Type0", "90ms-RKSJ-H", "Japan1"),
                                    "1 beginbfchar <8140> <3000> endbfchar endcmap");
  // "A\x82" and "\xA0B" are unmapped two-byte codes: together, あ between two letters.
  EXPECT_EQ(Text(rksj,
                 "A\x82\xA0"
                 "B\x81\x40"),
            "AあB\u3000");

  FontResource foreign = WithToUnicode(Font("Type0", "Identity-H", "Identity"),
                                       "1 beginbfchar <0002> <0042> endbfchar endcmap");
  EXPECT_EQ(Text(foreign, std::string("\0\1\0\2", 4)), "\uFFFDB");
  foreign.glyph_characters = SomeGlyphCharacters();
  EXPECT_EQ(Text(foreign, std::string("\0\1\0\2\0\3", 6)), "AB\uFFFD");

  FontResource simple = WithToUnicode(Font("Type1", "WinAnsiEncoding"),
                                      "1 beginbfchar <41> <0061> endbfchar endcmap");
  simple.codes = std::make_shared<CodeToUnicode>(BaseEncodingCodes("WinAnsiEncoding"));
  EXPECT_EQ(ConversionName(simple), "ToUnicode, then glyph-names");
  EXPECT_EQ(Text(simple, "ABC"), "aBC");
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
