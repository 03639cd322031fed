#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "support/pdf_builder.h"
#include "support/shift_jis.h"
#include "text/content_interpreter.h"
#include "text/number_to_int.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

// A decoder on a minimal document, and fonts made by hand, to interpret content buffers.
class ContentInterpreter : public ::testing::Test {
 protected:
  void SetUp() override {
    document_ = testing::OpenDocumentBytes(testing::SimpleDocument(1));
    decoder_ = std::make_unique<TextExtractor>(*document_);
    decoder_->options.new_line = "|";
  }

  FontResource& AddFont(const std::string& name, const std::string& encoding,
                        const std::string& cmap = "") {
    FontResource& font = fonts_.emplace_back(name, 9);
    font.encoding = encoding;
    if (!cmap.empty()) font.cmap_data = std::make_unique<MemoryStream>("\n\n" + cmap);
    return font;
  }

  // The text of content laid out as the extraction lays out a content buffer.
  std::string Text(const std::string& content) { return Raw("\n\n" + content + "\n\n"); }

  std::string Raw(const std::string& bytes) {
    MemoryStream buffer(bytes);
    std::string output;
    const int64_t written = decoder_->DecodeContent(buffer, output, fonts_);
    EXPECT_EQ(written, static_cast<int64_t>(output.size()));
    return testing::ShiftJIS(output);
  }

  std::unique_ptr<Document> document_;
  std::unique_ptr<TextExtractor> decoder_;
  FontList fonts_;
};

// A move down of at least the threshold breaks the line; the first move only records.
TEST_F(ContentInterpreter, LineBreaksFromPositioning) {
  AddFont("/F1", "WinAnsiEncoding");
  EXPECT_EQ(Text("BT /F1 12 Tf 72 700 Td (A) Tj 0 -14 Td (B) Tj ET"), "A|B");
  EXPECT_EQ(Text("BT 1 0 0 1 72 700 Tm (A) Tj 1 0 0 1 150 700 Tm (B) Tj ET"), "AB");
  EXPECT_EQ(Text("BT 1 0 0 1 72 700 Tm (A) Tj 1 0 0 1 72 697 Tm (B) Tj ET"), "AB");
  EXPECT_EQ(Text("BT 1 0 0 1 72 700 Tm (A) Tj 1 0 0 1 72 686 Tm (B) Tj ET"), "A|B");
  EXPECT_EQ(Text("BT 1 0 0 1 72 700 Tm (A) Tj 1 0 0 1 72 0 Tm (B) Tj ET"), "AB");
  // Positions carry over from one text object to the next.
  EXPECT_EQ(Text("BT 72 700 Td (A) Tj ET BT 72 650 Td (B) Tj ET"), "A|B");
  EXPECT_EQ(Text("BT (A) Tj T* (B) Tj ET"), "A|B");
  // An odd count of numbers: the last two still are the operands.
  EXPECT_EQ(Text("BT 5 72 700 Td (A) Tj 0 -20 TD (B) Tj ET"), "A|B");
}

// Td and TD move in the unit of the text matrix: cairo and pango set the font size in Tm and
// move by fractions of a line. Tm itself is compared by its translation, and BT restores the
// unit matrix.
TEST_F(ContentInterpreter, RelativeMovesAreMeasuredInTheTextMatrixUnit) {
  AddFont("/F1", "WinAnsiEncoding");
  const std::string cairo = "BT 12 0 0 -12 72 84 Tm /F1 1 Tf (A) Tj 0 -1.5 Td (B) Tj ";
  EXPECT_EQ(Text(cairo + "0 -1.5 Td (C) Tj ET"), "A|B|C");
  EXPECT_EQ(Text(cairo + "0.2 0 Td (C) Tj ET"), "A|BC");
  EXPECT_EQ(Text(cairo + "ET BT 0 -1.5 Td (C) Tj 0 -1.5 Td (D) Tj ET"), "A|B|CD");
  const std::string moves = " Tm (A) Tj 0 -1.5 Td (B) Tj 0 -1.5 Td (C) Tj ET";
  EXPECT_EQ(Text("BT 0 12 -12 0 72 84" + moves), "A|B|C");  // rotated
  EXPECT_EQ(Text("BT 1e300 0 0 1e300 0 0" + moves), "A|B|C");
  EXPECT_EQ(Text("BT 0 0 0 0 0 0" + moves), "ABC");
}

TEST_F(ContentInterpreter, NoLineBreaksInModeZero) {
  decoder_->options.line_breaks = false;
  EXPECT_EQ(Text("BT 72 700 Td (A) Tj 0 -14 Td (B) Tj T* (C) Tj [(D) -200 (E)] TJ ET"), "ABCD E");
}

// The ' and " operators move to the next line before their string, like T* then Tj.
TEST_F(ContentInterpreter, QuoteOperatorsStartANewLine) {
  EXPECT_EQ(Text("BT 72 700 Td (A) Tj (B) ' 1 2 (C) \" ET"), "A|B|C");
  decoder_->options.line_breaks = false;
  EXPECT_EQ(Text("BT (A) Tj (B) ' ET"), "AB");
}

TEST_F(ContentInterpreter, VerticalFonts) {
  AddFont("/V", "UniJIS-UCS2-V");
  const std::string a = std::string("<0041>");
  EXPECT_EQ(Text("BT /V 12 Tf " + a + " Tj T* " + a + " Tj ET"), "AA");
  EXPECT_EQ(
      Text("BT /V 12 Tf 700 72 Td " + a + " Tj 0 -14 Td " + a + " Tj -14 0 Td " + a + " Tj ET"),
      "AA|A");
}

// The predefined CMaps' vertical labels lay text out in columns, their horizontal ones in lines.
TEST_F(ContentInterpreter, VerticalPredefinedCMaps) {
  const std::string moves = " Tj 0 -14 Td <2422> Tj -14 0 Td <2422> Tj ET";
  for (const char* label : {"78-V", "Add-V", "Ext-V", "NWP-V"}) {
    fonts_.clear();
    AddFont("/V", label);
    EXPECT_EQ(Text("BT /V 12 Tf 700 72 Td <2422>" + moves), "\x82\xA0\x82\xA0|\x82\xA0") << label;
  }
  fonts_.clear();
  AddFont("/H", "78-H");
  EXPECT_EQ(Text("BT /H 12 Tf 700 72 Td <2422>" + moves), "\x82\xA0|\x82\xA0\x82\xA0");
}

TEST_F(ContentInterpreter, SpacesFromTextArrays) {
  EXPECT_EQ(Text("BT [(A) -120 (B)] TJ ET"), "A B");
  EXPECT_EQ(Text("BT [(A) -100 (B)] TJ ET"), "AB");
  EXPECT_EQ(Text("BT [(A) -100.5 (B)] TJ ET"), "AB");
  EXPECT_EQ(Text("BT [(A) -100.6 (B) -1e12 (C)] TJ ET"), "A B C");
  EXPECT_EQ(Text("BT [<41> 250 % note\n (B)] TJ ET"), "AB");
}

TEST_F(ContentInterpreter, FontSelection) {
  AddFont("/Ja", "90ms-RKSJ-H");
  AddFont("/Id", "Identity-H");
  EXPECT_EQ(Text("BT /Ja 10 Tf <82A0> Tj /Id 10 Tf <0279> Tj /Missing 10 Tf <0279> Tj ET"),
            "\x82\xA0\x81\x40\x81\x40");
  // Before any Tf, strings are single-byte text.
  EXPECT_EQ(Text("BT <82A041> Tj ET"), "  A");
}

// Names are operands like numbers: Tf selects the name just before its size, inside and outside
// text objects, whatever operators came before.
TEST_F(ContentInterpreter, TfTakesTheNameBeforeItsSize) {
  AddFont("/Id", "Identity-H");
  EXPECT_EQ(Text("BT /GS1 gs (X) Tj (Y) Tj ET"), "XY");
  EXPECT_EQ(Text("BT 0 i /RelativeColorimetric ri /Id 12 Tf <0279> Tj ET"), "\x81\x40");
  EXPECT_EQ(Text("BT /CS0 cs 0 0 0 scn /GS0 gs /Id .5 Tf <0279> Tj ET"), "\x81\x40");
  EXPECT_EQ(Text("q 12 0 0 -12 85 743 cm /Id 1 Tf BT <0279> Tj ET Q"), "\x81\x40");
  EXPECT_EQ(Text("BT /Id /Missing 1 Tf <0279> Tj ET"), " y");
  EXPECT_EQ(Text("BT /Id % a comment\n 1 Tf <0279> Tj ET"), "\x81\x40");
}

// Marked-content dictionaries are passed over whole, with the dictionaries and strings inside.
TEST_F(ContentInterpreter, DictionaryOperandsAreNotOutput) {
  EXPECT_EQ(Text("BT /P <</MCID 3>> BDC (A) Tj EMC ET"), "A");
  EXPECT_EQ(Text("BT /Span <</ActualText (x>>) /D <</E <FEFF0041> /F [(y)]>> >> BDC (A) Tj "
                 "EMC ET"),
            "A");
  EXPECT_EQ(Text("BT (A) Tj /P <</MCID 3 BDC (B) Tj ET"), "A");  // never closed
}

// q and Q save and restore the font in a stack; a Q without its q changes nothing.
TEST_F(ContentInterpreter, SavedFonts) {
  AddFont("/Ja", "90ms-RKSJ-H");
  AddFont("/Id", "Identity-H");
  const std::string show = "BT <0279> Tj ET ";
  EXPECT_EQ(Text("/Id 1 Tf q /Ja 1 Tf q /Id 1 Tf Q " + show + "Q " + show + "Q " + show),
            "\x02y\x81\x40\x81\x40");
  EXPECT_EQ(Text("BT /Ja 1 Tf ET q BT /Id 1 Tf ET q BT /Ja 1 Tf ET Q " + show + "Q " + show),
            "\x81\x40\x02y");
  EXPECT_EQ(Text("q /Id 1 Tf Q " + show), " y");  // back to no font
}

std::string Repeated(const std::string& text, size_t count) {
  std::string repeated;
  for (size_t i = 0; i < count; ++i) repeated += text;
  return repeated;
}

// Past the bound q saves nothing, and its Q restores nothing: the Q still pair with their q.
TEST_F(ContentInterpreter, SavedFontsAreBounded) {
  AddFont("/Ja", "90ms-RKSJ-H");
  AddFont("/Id", "Identity-H");
  const size_t bound = lumenquill::ContentInterpreter::kMaxSavedFonts;
  const std::string show = "BT <0279> Tj ET ";
  EXPECT_EQ(Text(Repeated("q ", bound - 1) + "/Ja 1 Tf q /Id 1 Tf Q " + show), "\x02y");
  EXPECT_EQ(Text(Repeated("q ", bound) + "/Ja 1 Tf q /Id 1 Tf Q " + show), "\x81\x40");
  EXPECT_EQ(Text("/Ja 1 Tf q /Id 1 Tf " + Repeated("q ", bound + 1) + "/Ja 1 Tf " +
                 Repeated("Q ", bound + 1) + show + "Q " + show),
            "\x81\x40\x02y");
}

TEST_F(ContentInterpreter, ConversionsByLabel) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"EUC-H", "<A4A2>"},
      {"H", "<2422>"},
      {"UniJIS-UCS2-H", "<3042>"},
      {"83pv-RKSJ-H", "<82A0>"},
      {"90pv-RKSJ-H", "<82A0>"},
      {"Add-RKSJ-V", "<82A0>"},
      {"78-RKSJ-V", "<82A0>"},
      {"78-EUC-H", "<A4A2>"},
      {"RKSJ-V", "<82A0>"},
      {"Hiragana", "<31>"},
      {"UniJIS-UTF16-H", "<3042>"},
      {"UniJIS-UTF8-V", "<E38182>"},
      {"UniJIS2004-UTF32-H", "<00003042>"}};
  for (const auto& [label, string] : cases) {
    fonts_.clear();
    AddFont("/F", label);
    EXPECT_EQ(Text("BT /F 1 Tf " + string + " Tj ET"), "\x82\xA0") << label;
  }
  fonts_.clear();
  AddFont("/F", "GBK-EUC-H");  // a label no conversion knows
  EXPECT_EQ(Text("BT /F 1 Tf (abc) Tj ET"), "");
  fonts_.clear();
  AddFont("/F", "WinAnsiEncoding");
  EXPECT_EQ(Text("BT /F 1 Tf (Caf\\351) Tj ET"), "Caf ");
}

// A font with CMap programs converts through them, whatever its label.
TEST_F(ContentInterpreter, FontsWithCMapData) {
  AddFont("/T", "Identity-H", "begincmap 1 beginbfchar <0001> <3042> endbfchar endcmap");
  EXPECT_EQ(Text("BT /T 1 Tf <00010002> Tj ET"), "\x82\xA0?");
}

// A simple font reads one byte per code, even when its map's codes have two bytes.
TEST_F(ContentInterpreter, SimpleFontsReadOneBytePerCode) {
  const std::string map =
      "begincmap 1 begincodespacerange <0000> <FFFF> endcodespacerange 2 beginbfchar <0041> "
      "<3042> <0042> <0044> endbfchar endcmap";
  for (const char* subtype : {"Type1", "TrueType", "Type3", "MMType1"}) {
    fonts_.clear();
    AddFont("/S", "WinAnsiEncoding", map).subtype = subtype;
    AddFont("/C", "Identity-H", map).subtype = "Type0";
    EXPECT_EQ(Text("BT /S 1 Tf (AB) Tj /C 1 Tf <00410042> Tj ET"),
              "\x82\xA0"
              "D\x82\xA0"
              "D")
        << subtype;
  }
}

TEST_F(ContentInterpreter, StringsOutsideTextObjectsAreNotOutput) {
  EXPECT_EQ(Text("(hidden) Tj BT (shown) Tj ET (a \\) b) BT (again) Tj ET"), "shownagain");
}

TEST_F(ContentInterpreter, InlineImages) {
  // /W 10 /H 2 /BPC 8 without a colour space: 20 data bytes, then EI.
  EXPECT_EQ(Text("BI /W 10 /H 2 /BPC 8 ID\nABCDEFGHIJ(BT (no)Tj\nEI BT (after) Tj ET"), "after");
  EXPECT_EQ(Text("BI /W 2 /H 2 /BPC 8 /CS /RGB /F /AHx ID 00ff>\nEI BT (hex) Tj ET"), "hex");
  EXPECT_EQ(Text("BI /W 2 /H 2 /F [/A85] ID 9jqo^~>\nEI BT (a85) Tj ET"), "a85");
  EXPECT_EQ(Text("BI /W 2 /H 1 /BPC 8 /CS [/I /RGB 1 <000000FFFFFF>] ID ab EI BT (idx) Tj ET"),
            "idx");
  // A mask without /BPC cannot be passed over: the buffer ends.
  EXPECT_EQ(Text("BI /W 8 /H 1 /IM true ID \x01 EI BT (lost) Tj ET"), "");
  // A length past the end of the buffer is not skipped, and no EI follows.
  EXPECT_EQ(Text("BI /W 100000 /H 100000 /BPC 8 /CS /RGB ID xyz EI BT (lost) Tj ET"), "");
}

TEST_F(ContentInterpreter, DamageEndsQuietly) {
  EXPECT_EQ(Raw("BT (one) Tj ET BT (two"), "onetwo");
  EXPECT_EQ(Raw("BT <41"), "A");
  EXPECT_EQ(Raw("BT (one) Tj ET BT /F1"), "one");
}

TEST(NumberToInt, RoundsHalvesToEven) {
  EXPECT_EQ(NumberToInt("2.5"), 2);
  EXPECT_EQ(NumberToInt("3.5"), 4);
  EXPECT_EQ(NumberToInt("-100.5"), -100);
  EXPECT_EQ(NumberToInt("-100.6"), -101);
  EXPECT_EQ(NumberToInt("+4"), 4);
  EXPECT_EQ(NumberToInt("-.5"), 0);
  EXPECT_EQ(NumberToInt("null"), 0);
  EXPECT_EQ(NumberToInt("-32768"), -32768);  // a value like any other, not a failure
  EXPECT_EQ(NumberToInt(""), std::nullopt);
  EXPECT_EQ(NumberToInt("1.2.3"), std::nullopt);
  EXPECT_EQ(NumberToInt("-1e12"), INT32_MIN);
  EXPECT_EQ(NumberToInt("1e12"), INT32_MAX);
}

}  // namespace
}  // namespace lumenquill
