#include "content/font_decoder.h"

#include <gtest/gtest.h>

#include "support/deflate.h"
#include "support/document_bytes.h"
#include "support/pdf_builder.h"
#include "support/png_rows.h"
#include "support/sfnt_builder.h"

namespace lumenquill {
namespace {

using testing::Deflated;

using Objects = std::vector<std::pair<int32_t, std::string>>;

std::string Stream(const std::string& entries, const std::string& data) {
  return "<< " + entries + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
         "\nendstream";
}

// A font resource given by reference.
Resource ByNumber(const std::string& name, int32_t object_number) {
  return {name, object_number, std::nullopt};
}

// Decodes font object 5, whose dictionary entries are given, with the further objects.
class FontDecoding : public ::testing::Test {
 protected:
  FontResource Decode(const std::string& font_entries, Objects objects = {},
                      const std::string& name = "/F1") {
    objects.emplace_back(5, "<< /Type /Font " + font_entries + " >>");
    objects.emplace_back(3, "<< /Type /Page >>");
    document_ = testing::OpenDocumentBytes(
        testing::TreeDocument("<< /Type /Pages /Kids [3 0 R] >>", objects));
    return FontDecoder(*document_).DecodeFont(ByNumber(name, 5));
  }

  std::unique_ptr<Document> document_;
};

TEST_F(FontDecoding, SimpleFontWithANamedEncoding) {
  const auto font = Decode("/Subtype /TrueType /BaseFont /ABCDEF+Arial /Encoding /WinAnsiEncoding");
  EXPECT_EQ(font.name, "/F1");
  EXPECT_EQ(font.object_number, 5);
  EXPECT_EQ(font.subtype, "TrueType");
  EXPECT_EQ(font.font_name, "Arial");
  EXPECT_EQ(font.encoding, "WinAnsiEncoding");
  EXPECT_FALSE(font.embedded);
  EXPECT_EQ(font.font_file_object, -1);
  EXPECT_FALSE(font.failed);
  EXPECT_EQ(font.cmap_data, nullptr);
}

// The descriptor's name wins over /BaseFont, whichever stands first.
TEST_F(FontDecoding, DescriptorNameAndEmbeddedProgram) {
  const Objects descriptor = {
      {6, "<< /Type /FontDescriptor /FontName /Arial-Bold /Flags 32 /FontFile2 12 0 R >>"},
      {12, Stream("", "program")}};
  for (const char* entries :
       {"/Subtype /TrueType /BaseFont /Arial /FontDescriptor 6 0 R /Encoding /WinAnsiEncoding",
        "/Subtype /TrueType /FontDescriptor 6 0 R /BaseFont /Arial /Encoding /WinAnsiEncoding"}) {
    const auto font = Decode(entries, descriptor);
    EXPECT_EQ(font.font_name, "Arial-Bold");
    EXPECT_TRUE(font.embedded);
    EXPECT_EQ(font.font_file_object, 12);
    EXPECT_EQ(font.encoding, "WinAnsiEncoding");
  }
}

TEST_F(FontDecoding, DescriptorCarryingItsOwnData) {
  const auto font = Decode("/Subtype /Type1 /BaseFont /X /FontDescriptor 6 0 R",
                           {{6, Stream("/FontName /Y /Style << /Panose <01> >>", "(data) >>")}});
  EXPECT_TRUE(font.embedded);
  EXPECT_EQ(font.font_file_object, 6);
  EXPECT_EQ(font.font_name, "Y");
  EXPECT_EQ(font.encoding, "ビルドイン");

  // The ">>" of a parameter dictionary does not end the descriptor.
  const auto with_parameters = Decode(
      "/Subtype /Type1 /BaseFont /X /FontDescriptor 6 0 R",
      {{6, Stream("/Filter /FlateDecode /DecodeParms << /Predictor 12 >> /FontName /Z", "data")}});
  EXPECT_EQ(with_parameters.font_name, "Z");
}

TEST_F(FontDecoding, LabelsWithoutANamedEncoding) {
  EXPECT_EQ(Decode("/Subtype /Type1 /BaseFont /Helvetica").encoding, "標準");
  EXPECT_EQ(Decode("/Subtype /Type1 /FontDescriptor << /FontName /X /FontFile3 9 0 R >>",
                   {{9, Stream("", "x")}})
                .encoding,
            "ビルドイン");
  EXPECT_EQ(Decode("/Subtype /Type1 /Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding "
                   "/Differences [ 32 /space ] >> /BaseFont /Times-Roman")
                .encoding,
            "カスタム");
  const auto base_only = Decode("/Encoding << /BaseEncoding /MacRomanEncoding >> /BaseFont /T");
  EXPECT_EQ(base_only.encoding, "標準");
  EXPECT_EQ(base_only.font_name, "T");
  EXPECT_EQ(Decode("/Encoding 8 0 R", {{8, "<< /Differences [ 1 /a ] >>"}}).encoding, "カスタム");
}

TEST_F(FontDecoding, NamesFallBackAndAreCleaned) {
  EXPECT_EQ(Decode("/Subtype /Type3", {}, "/F3").font_name, "F3");
  EXPECT_EQ(Decode("/BaseFont /#82l#82r#83S#83V#83b#83N").font_name,
            "\x82\x6C\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(Decode("/BaseFont /AB+#82#20").font_name, "AB+#82#20");  // escapes kept, tag too
  EXPECT_EQ(Decode("/BaseFont /A#2FB").font_name, "A/B");
}

// A Type0 font keeps its own subtype; the name comes from the descendant's descriptor.
TEST_F(FontDecoding, DescendantFontsInTheirThreeForms) {
  const Objects cid_font = {
      {20,
       "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /Other /CIDSystemInfo << /Registry "
       "(Adobe) /Ordering (Japan1) /Supplement 2 >> /FontDescriptor 21 0 R /W [1 [500]] >>"},
      {21, "<< /Type /FontDescriptor /FontName /MS-Mincho >>"},
      {22, "[20 0 R]"}};
  for (const char* descendants :
       {"[20 0 R]", "22 0 R", "[<< /Subtype /CIDFontType0 /FontDescriptor 21 0 R >>]"}) {
    const auto font =
        Decode("/Subtype /Type0 /BaseFont /Base /Encoding /90ms-RKSJ-H /DescendantFonts " +
                   std::string(descendants),
               cid_font);
    EXPECT_EQ(font.subtype, "Type0") << descendants;
    EXPECT_EQ(font.encoding, "90ms-RKSJ-H") << descendants;
    EXPECT_EQ(font.font_name, "MS-Mincho") << descendants;
    EXPECT_FALSE(font.failed) << descendants;
  }
}

TEST_F(FontDecoding, ToUnicodeProgramIsInflated) {
  const std::string cmap = "begincmap 1 beginbfchar <01> <0041> endbfchar endcmap";
  const auto font = Decode("/Subtype /Type0 /Encoding /Identity-H /ToUnicode 30 0 R",
                           {{30, Stream("/Filter /FlateDecode", Deflated(cmap))}});
  ASSERT_NE(font.cmap_data, nullptr);
  EXPECT_EQ(font.cmap_data->Bytes(), "\n\n" + cmap);
  EXPECT_EQ(font.cmap_data->Position(), font.cmap_data->Size());
}

// The map to Unicode comes first whatever the order of the keys; the encoding CMap and the
// CMap it uses by reference follow in the order met.
TEST_F(FontDecoding, ToUnicodeComesFirstInCMapData) {
  const Objects programs = {
      {30, Stream("", "beginbfchar <01>")},
      {31, Stream("/Type /CMap /CMapName /Custom-H /CIDSystemInfo << /Registry (Adobe) >> "
                  "/UseCMap 32 0 R",
                  "encoding")},
      {32, Stream("/CMapName /Base-H", "used")}};
  for (const char* entries :
       {"/ToUnicode 30 0 R /Encoding 31 0 R", "/Encoding 31 0 R /ToUnicode 30 0 R"}) {
    const auto font = Decode(std::string("/Subtype /Type0 ") + entries, programs);
    EXPECT_EQ(font.encoding, "Custom-H") << entries;
    ASSERT_NE(font.cmap_data, nullptr) << entries;
    EXPECT_EQ(font.cmap_data->Bytes(), "\n\nbeginbfchar <01>\n\nused\n\nencoding") << entries;
  }
}

// The descendant's character collection, its strings literal, hexadecimal or by reference;
// the ToUnicode map as a program or as the identity's name. A program that maps nothing is
// taken as no map.
TEST_F(FontDecoding, CharacterCollectionAndToUnicodeKind) {
  const auto font = Decode(
      "/Subtype /Type0 /Encoding /Identity-H /ToUnicode /Identity-V /DescendantFonts [<< "
      "/Subtype /CIDFontType2 /CIDSystemInfo 20 0 R >>]",
      {{20, "<< /Supplement 0 /Registry <41646F6265> /Ordering 21 0 R >>"},
       {21, "(Iden\\164ity)"}});
  EXPECT_EQ(font.cid_registry, "Adobe");
  EXPECT_EQ(font.cid_ordering, "Identity");
  EXPECT_EQ(font.to_unicode, ToUnicodeMap::kIdentity);
  EXPECT_FALSE(font.failed);

  const auto mapped = Decode(
      "/Subtype /Type0 /ToUnicode 30 0 R /DescendantFonts [<< "
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) >> >>]",
      {{30, Stream("", "1 begincidrange <01> <02> 5 endcidrange")}});
  EXPECT_EQ(mapped.cid_ordering, "Japan1");
  EXPECT_EQ(mapped.to_unicode, ToUnicodeMap::kProgram);

  for (const char* program : {"", "begincmap 1 begincodespacerange <00> <FF> endcmap",
                              "0 beginbfchar endbfchar 0 beginbfrange\nendbfrange endcmap"}) {
    const auto empty = Decode("/Subtype /Type0 /ToUnicode 30 0 R", {{30, Stream("", program)}});
    EXPECT_EQ(empty.to_unicode, ToUnicodeMap::kNone) << program;
    EXPECT_EQ(empty.cmap_data, nullptr) << program;
  }

  const auto plain = Decode("/Subtype /Type0 /ToUnicode /None");
  EXPECT_EQ(plain.cid_ordering, "");
  EXPECT_EQ(plain.to_unicode, ToUnicodeMap::kNone);
}

// A CIDFontType2 of another collection than Adobe-Japan1, without /ToUnicode, whose program
// maps 'A' to glyph 1 and あ to glyph 2.
class ForeignCIDFont : public FontDecoding {
 protected:
  static std::string Program() {
    return testing::SfntWithCmap(testing::CmapTable(
        {{3, 10, testing::Format12Subtable({{0x41, 0x41, 1}, {0x3042, 0x3042, 2}})}}));
  }

  FontResource DecodeForeign(const std::string& cid_font_entries,
                             const std::string& font_entries = "", Objects objects = {}) {
    objects.push_back({21, "<< /Type /FontDescriptor /FontName /Sans /FontFile2 22 0 R >>"});
    objects.push_back({22, Stream("/Filter /FlateDecode", testing::Deflated(Program()))});
    return Decode("/Subtype /Type0 /Encoding /Identity-H " + font_entries +
                      " /DescendantFonts [<< /Subtype /CIDFontType2 /FontDescriptor 21 0 R "
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) >> " +
                      cid_font_entries + " >>]",
                  objects);
  }
};

TEST_F(ForeignCIDFont, GetsTheCharactersOfItsTrueTypeProgram) {
  const auto font = DecodeForeign("/CIDToGIDMap /Identity");
  ASSERT_NE(font.glyph_characters, nullptr);
  EXPECT_EQ(*font.glyph_characters->glyphs, (GlyphToUnicode{0, U'A', U'\u3042'}));
  EXPECT_FALSE(font.glyph_characters->cid_to_gid.has_value());
  EXPECT_FALSE(font.failed);

  const auto mapped = DecodeForeign(
      "/CIDToGIDMap 23 0 R", "",
      {{23, Stream("/Filter /FlateDecode", testing::Deflated(std::string("\0\0\0\2\0\1", 6)))}});
  ASSERT_NE(mapped.glyph_characters, nullptr);
  EXPECT_EQ(mapped.glyph_characters->cid_to_gid, (std::vector<uint16_t>{0, 2, 1}));

  // The same map in PNG rows of one glyph number each.
  const auto predicted = DecodeForeign(
      "/CIDToGIDMap 23 0 R", "",
      {{23, Stream("/Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 2 >>",
                   Deflated(testing::PngUpRows(std::string("\0\0\0\2\0\1", 6), 2)))}});
  ASSERT_NE(predicted.glyph_characters, nullptr);
  EXPECT_EQ(predicted.glyph_characters->cid_to_gid, (std::vector<uint16_t>{0, 2, 1}));
}

// The program is read when decoding only when nothing else gives the characters, and only a
// TrueType one; a ToUnicode program's font keeps where to read it, for the codes it leaves.
TEST_F(ForeignCIDFont, OnlyWhenNothingElseGivesTheCharacters) {
  EXPECT_NE(DecodeForeign("").glyph_characters, nullptr);
  EXPECT_EQ(DecodeForeign("", "/ToUnicode /Identity-H").glyph_characters, nullptr);
  const auto mapped =
      DecodeForeign("", "/ToUnicode 30 0 R", {{30, Stream("", "beginbfchar <01>")}});
  EXPECT_EQ(mapped.glyph_characters, nullptr);
  EXPECT_EQ(mapped.cid_program.program, 22);
  EXPECT_EQ(DecodeForeign("/Subtype /CIDFontType0").glyph_characters, nullptr);
  const auto japan1 = Decode(
      "/Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< /Subtype /CIDFontType2 "
      "/FontDescriptor 21 0 R /CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) >> >>]",
      {{21, "<< /FontFile2 22 0 R >>"}, {22, Stream("", Program())}});
  EXPECT_EQ(japan1.glyph_characters, nullptr);
}

// Fonts that share a program and map share their characters; past the bound on the pairs read,
// a font gets none.
TEST_F(ForeignCIDFont, ProgramsAreReadOnceAndBounded) {
  Objects objects;
  const int32_t fonts = FontDecoder::kMaxEmbeddedCmaps + 1;
  for (int32_t n = 100; n < 100 + 2 * fonts; n += 2) {
    objects.emplace_back(n,
                         "<< /Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< "
                         "/Subtype /CIDFontType2 /CIDSystemInfo << /Ordering (Identity) >> "
                         "/FontDescriptor << /FontFile2 " +
                             std::to_string(n + 1) + " 0 R >> >>] >>");
    objects.emplace_back(n + 1, Stream("", Program()));
  }
  Decode("/Subtype /Type1", objects);
  FontDecoder decoder(*document_);
  const auto first = decoder.DecodeFont(ByNumber("/A", 100));
  ASSERT_NE(first.glyph_characters, nullptr);
  EXPECT_EQ(decoder.DecodeFont(ByNumber("/B", 100)).glyph_characters, first.glyph_characters);
  for (int32_t n = 102; n < 100 + 2 * (fonts - 1); n += 2) {
    EXPECT_NE(decoder.DecodeFont(ByNumber("/F", n)).glyph_characters, nullptr) << n;
  }
  EXPECT_EQ(decoder.DecodeFont(ByNumber("/F", 100 + 2 * (fonts - 1))).glyph_characters, nullptr);
}

// A program that cannot be read, or whose cmap maps nothing, gives no characters; the font
// stands.
TEST_F(ForeignCIDFont, ADamagedProgramGivesNoCharacters) {
  for (const std::string& program : {Stream("/Length 99999", "short"), Stream("", "not a program"),
                                     std::string("<< /Length 5 >>")}) {
    const auto font = Decode(
        "/Subtype /Type0 /Encoding /Identity-H /DescendantFonts [<< /Subtype /CIDFontType2 "
        "/FontDescriptor << /FontFile2 22 0 R >> /CIDSystemInfo << /Ordering (GB1) >> >>]",
        {{22, program}});
    EXPECT_EQ(font.glyph_characters, nullptr) << program;
    EXPECT_FALSE(font.failed) << program;
    EXPECT_EQ(font.font_file_object, 22) << program;
  }
}

TEST_F(FontDecoding, FontObjectCarryingData) {
  const auto font = Decode(
      "/Subtype /Type0 /Encoding /Identity-H /Length 4 >>\nstream\nmap!"
      "\nendstream\n<<");
  ASSERT_NE(font.cmap_data, nullptr);
  EXPECT_EQ(font.cmap_data->Bytes(), "\n\nmap!");
}

// Names and dictionaries are found through references and chains of them; a loop of
// references gives no value.
TEST_F(FontDecoding, ValuesByReference) {
  const auto font =
      Decode("/Subtype 6 0 R /BaseFont 7 0 R /Encoding 9 0 R",
             {{6, "/TrueType"}, {7, "8 0 R"}, {8, "/ABCDEF+Arial"}, {9, "/WinAnsiEncoding"}});
  EXPECT_EQ(font.subtype, "TrueType");
  EXPECT_EQ(font.font_name, "Arial");
  EXPECT_EQ(font.encoding, "WinAnsiEncoding");
  EXPECT_FALSE(font.failed);

  const auto cid =
      Decode("/Subtype /Type0 /Encoding /Identity-H /DescendantFonts 6 0 R /ToUnicode 8 0 R",
             {{6, "[7 0 R]"},
              {7, "20 0 R"},
              {20, "<< /Subtype /CIDFontType2 /FontDescriptor 21 0 R >>"},
              {21, "22 0 R"},
              {22, "<< /FontName /MS-Gothic >>"},
              {8, "30 0 R"},
              {30, Stream("", "beginbfrange 1")}});
  EXPECT_EQ(cid.font_name, "MS-Gothic");
  ASSERT_NE(cid.cmap_data, nullptr);
  EXPECT_EQ(cid.cmap_data->Bytes(), "\n\nbeginbfrange 1");

  const auto looping =
      Decode("/Subtype /Type1 /BaseFont 6 0 R /Encoding 7 0 R", {{6, "7 0 R"}, {7, "6 0 R"}});
  EXPECT_FALSE(looping.failed);
  EXPECT_EQ(looping.font_name, "F1");
  EXPECT_EQ(looping.encoding, "標準");
}

// A direct font dictionary is read by itself: a nested dictionary and the next font's entries
// are not its own.
TEST_F(FontDecoding, DirectFontDictionary) {
  Decode("", {{6,
               "<< /F1 << /Subtype /Type1 /Encoding 9 0 R /Resources << /A << /BaseFont /X >> >> "
               "/Widths [1 2] >> /F2 << /BaseFont /Courier >> >>"},
              {9, "/WinAnsiEncoding"}});
  const PdfDictionary& fonts = *document_->Objects().Object(6)->Dictionary();
  FontDecoder decoder(*document_);
  const auto font = decoder.DecodeFont({"/F1", -1, *fonts.Find("/F1")->Dictionary()});
  EXPECT_EQ(font.object_number, -1);
  EXPECT_EQ(font.subtype, "Type1");
  EXPECT_EQ(font.font_name, "F1");
  EXPECT_EQ(font.encoding, "WinAnsiEncoding");
  EXPECT_FALSE(font.failed);
  EXPECT_EQ(decoder.DecodeFont({"/F2", -1, *fonts.Find("/F2")->Dictionary()}).font_name, "Courier");
}

// Entries of dictionaries nested in the font are not the font's: a Type3 font's resources
// name fonts of their own.
TEST_F(FontDecoding, NestedEntriesAreNotTheFonts) {
  const auto font = Decode(
      "/Subtype /Type3 /Resources << /Font << /G1 << /Subtype /Type1 /BaseFont /Inner "
      "/Encoding /MacRomanEncoding >> >> >> /Encoding << /Differences [65 /A] >>");
  EXPECT_EQ(font.subtype, "Type3");
  EXPECT_EQ(font.font_name, "F1");
  EXPECT_EQ(font.encoding, "カスタム");
}

// A font object that cannot be read, and a CMap program that runs past the end of the file,
// are failures, recorded in the font with what was read before them.
TEST_F(FontDecoding, FailuresAreRecordedInTheFont) {
  const auto font = Decode("/Subtype /Type1 /BaseFont /ABC+Name /Encoding 40 0 R",
                           {{40, "<< /Differences [1 /a] /UseCMap 41 0 R >>"},
                            {41, "<< /Filter /FlateDecode /Length 99999 >>\nstream\nx"}});
  EXPECT_TRUE(font.failed);
  EXPECT_EQ(font.subtype, "/Type1");  // not cleaned
  EXPECT_EQ(font.font_name, "/ABC+Name");
  EXPECT_EQ(font.encoding, "カスタム");  // as read before the failure

  Decode("/Subtype /Type1");
  const auto unread = FontDecoder(*document_).DecodeFont(ByNumber("/F2", 4));
  EXPECT_TRUE(unread.failed);
  EXPECT_EQ(unread.font_name, "???");
}

// Widths in text-space units: /Widths from /FirstChar with /MissingWidth outside, a Type3
// font's scaled by its matrix, the standard faces' without /Widths.
TEST_F(FontDecoding, SimpleFontWidths) {
  const auto font = Decode(
      "/Subtype /TrueType /BaseFont /X /FirstChar 65 /Widths [500 600 7 0 R] "
      "/FontDescriptor << /MissingWidth 250 >>",
      {{7, "700"}});
  ASSERT_NE(font.widths, nullptr);
  EXPECT_FLOAT_EQ(font.widths->by_code['A'], 0.5F);
  EXPECT_FLOAT_EQ(font.widths->by_code['C'], 0.7F);  // an indirect width
  EXPECT_FLOAT_EQ(font.widths->by_code['D'], 0.25F);
  EXPECT_FLOAT_EQ(font.widths->by_code['@'], 0.25F);

  const auto type3 = Decode(
      "/Subtype /Type3 /FontMatrix [0.01 0 0 0.01 0 0] /FirstChar 0 "
      "/Widths [50]");
  EXPECT_FLOAT_EQ(type3.widths->by_code[0], 0.5F);

  EXPECT_FLOAT_EQ(Decode("/Subtype /Type1 /BaseFont /Courier-Bold").widths->by_code['i'], 0.6F);
  const auto helvetica = Decode("/Subtype /Type1 /BaseFont /Helvetica");
  EXPECT_FLOAT_EQ(helvetica.widths->by_code['i'], 0.222F);
  EXPECT_FLOAT_EQ(helvetica.widths->by_code['W'], 0.944F);
  const auto times =
      Decode("/Subtype /Type1 /BaseFont /Times-Roman /Encoding << /Differences [65 /W] >>");
  EXPECT_FLOAT_EQ(times.widths->by_code['A'], 0.944F);  // the W its encoding puts at A
}

// /DW and /W in both forms, /DW2 and /W2; an array of more entries than CIDs keeps a bounded table.
TEST_F(FontDecoding, CIDFontWidths) {
  const auto font = Decode(
      "/Subtype /Type0 /Encoding /Identity-V /DescendantFonts [<< /Subtype /CIDFontType0 "
      "/DW 900 /W [1 [500 600] 10 20 250] /DW2 [880 -900] /W2 [5 [-500 250 880] 30 40 -800 500 "
      "880] >>]");
  ASSERT_NE(font.widths, nullptr);
  const FontWidths& widths = *font.widths;
  EXPECT_FLOAT_EQ(widths.Width(0), 0.9F);
  EXPECT_FLOAT_EQ(widths.Width(2), 0.6F);
  EXPECT_FLOAT_EQ(widths.Width(15), 0.25F);
  EXPECT_FLOAT_EQ(widths.Width(21), 0.9F);
  EXPECT_FLOAT_EQ(widths.Vertical(5), -0.5F);
  EXPECT_FLOAT_EQ(widths.Vertical(35), -0.8F);
  EXPECT_FLOAT_EQ(widths.Vertical(6), -0.9F);

  std::string many = "0 [";
  for (int k = 0; k < 100'000; ++k) many += "1 ";
  const auto hostile = Decode("/Subtype /Type0 /DescendantFonts [<< /W [" + many + "]] >>]");
  EXPECT_EQ(hostile.widths->widths.size(), FontWidths::kMaxRanges);
  EXPECT_FLOAT_EQ(hostile.widths->Width(100), 0.001F);
  EXPECT_FLOAT_EQ(hostile.widths->Width(70000), 1.0F);
}

}  // namespace
}  // namespace lumenquill
