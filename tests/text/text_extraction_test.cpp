#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/flate_decode.h"
#include "support/deflate.h"
#include "support/document_bytes.h"
#include "support/lzw_codes.h"
#include "support/pdf_builder.h"
#include "support/png_rows.h"
#include "support/sfnt_builder.h"
#include "text/page_streams.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

using testing::Deflated;
using testing::LZWLiterals;
using testing::PngUpRows;

using ::testing::ElementsAre;
using testing::PdfBuilder;

const std::string kRule(70, '-');
const std::string kFont = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";

// A document of page_count pages, page n showing "Page n" in font /F1.
std::string Pages(int page_count) {
  PdfBuilder pdf;
  std::string kids;
  for (int n = 1; n <= page_count; ++n) kids += std::to_string(10 + 2 * n) + " 0 R ";
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(page_count) +
                     " /Resources << /Font << /F1 3 0 R >> >> >>")
      .Object(3, kFont);
  for (int n = 1; n <= page_count; ++n) {
    const int page = 10 + 2 * n;
    pdf.Object(page,
               "<< /Type /Page /Parent 2 0 R /Contents " + std::to_string(page + 1) + " 0 R >>")
        .Stream(page + 1, "", "BT /F1 12 Tf (Page " + std::to_string(n) + ") Tj ET");
  }
  return pdf.Trailer("/Root 1 0 R").Build();
}

class TextExtraction : public ::testing::Test {
 protected:
  void OpenDocument(const std::string& bytes) { document_ = testing::OpenDocumentBytes(bytes); }

  // Extracts the range and returns the text the sink received.
  std::string Extract(int32_t first, int32_t last) {
    options_.pages = PageRange{first, last};
    std::string text;
    finished_ = lumenquill::Extract(
        *document_, options_, [&text](std::string_view part) { text += part; }, cancel_,
        ExtractionProgress{[this](int32_t percent) {
                             positions_.push_back(percent);
                             if (cancel_at_ == percent) cancel_ = true;
                           },
                           [this] {
                             if (++forms_done_ == cancel_at_form_) cancel_ = true;
                           },
                           [this] { positions_.push_back(kFinished); },
                           {}},
        &substitutions_);
    return text;
  }

  static constexpr int32_t kFinished = 1100;
  std::unique_ptr<Document> document_;
  ExtractionOptions options_;
  std::vector<int32_t> positions_;
  Substitutions substitutions_;
  bool cancel_ = false;
  bool finished_ = false;
  int32_t cancel_at_ = -2;
  int forms_done_ = 0;
  int cancel_at_form_ = -1;
};

TEST_F(TextExtraction, BannersAndText) {
  OpenDocument(Pages(3));
  EXPECT_EQ(Extract(1, 3), "\r\n" + kRule + " Page 1\r\n\r\nPage 1\r\n\r\n" + kRule +
                               " Page 2\r\n\r\nPage 2\r\n\r\n" + kRule + " Page 3\r\n\r\nPage 3");
  EXPECT_THAT(positions_, ElementsAre(0, 50, 100, kFinished));
  EXPECT_FALSE(cancel_);

  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 3), "Page 1Page 2Page 3");
}

TEST_F(TextExtraction, RangesAndProgress) {
  OpenDocument(Pages(10));
  options_.new_line = "\n";
  EXPECT_EQ(Extract(2, 2), "\n" + kRule + " Page 2\n\nPage 2");
  EXPECT_THAT(positions_, ElementsAre(100, kFinished));

  positions_.clear();
  Extract(1, 5);
  EXPECT_THAT(positions_, ElementsAre(0, 25, 50, 75, 100, kFinished));

  positions_.clear();
  EXPECT_EQ(Extract(1, 1), "\n" + kRule + " Page 1\n\nPage 1");
  EXPECT_THAT(positions_, ElementsAre(100, kFinished));
}

TEST_F(TextExtraction, InvalidRanges) {
  OpenDocument(Pages(3));
  try {
    Extract(1, 4);
    FAIL();
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "ページ番号の指定が不正です。");
  }
  EXPECT_THAT(positions_, ElementsAre(kFinished));

  positions_.clear();
  EXPECT_THROW(Extract(0, 2), Error);
  positions_.clear();
  EXPECT_EQ(Extract(3, 2), "");  // an empty range is no error
  EXPECT_THAT(positions_, ElementsAre(kFinished));
}

// Catalog 1, pages node 2 over the kids given, page 3 with font /F1 (object 5) and the XObjects
// given and whose contents (stream 4) show "page", and form 6 with font /F1 whose compressed
// stream holds the form data. The trailer is left to the caller, who may add objects.
PdfBuilder PageWithForms(const std::string& xobjects, const std::string& form_data,
                         const std::string& contents = "4 0 R", const std::string& kids = "3 0 R") {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [" + kids + "] >>")
      .Object(3, "<< /Type /Page /Parent 2 0 R /Contents " + contents +
                     " /Resources << /Font << /F1 5 0 R >> /XObject << " + xobjects + " >> >> >>")
      .Stream(4, "", "BT /F1 1 Tf (page) Tj ET")
      .Object(5, kFont)
      .Stream(6, "/Subtype /Form /Resources << /Font << /F1 5 0 R >> >> /Filter /FlateDecode",
              Deflated(form_data));
  return pdf;
}

// A cancel set while the forms of a page are interpreted stops the extraction before the next
// form and the page's progress report.
TEST_F(TextExtraction, CancelBetweenFormsStopsBeforeTheNextForm) {
  PdfBuilder pdf = PageWithForms("/A 6 0 R /B 6 0 R /C 6 0 R", "BT (form) Tj ET");
  pdf.Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.page_banners = false;
  cancel_at_form_ = 2;
  EXPECT_EQ(Extract(1, 1), "formform");
  EXPECT_FALSE(finished_);
  EXPECT_EQ(forms_done_, 2);
  EXPECT_THAT(positions_, ElementsAre(kFinished));
}

TEST_F(TextExtraction, CancelAtAPageReportStopsBeforeTheNextPage) {
  OpenDocument(Pages(5));
  options_.page_banners = false;
  cancel_at_ = 25;
  EXPECT_EQ(Extract(1, 5), "Page 1Page 2");
  EXPECT_FALSE(finished_);
  EXPECT_THAT(positions_, ElementsAre(0, 25, kFinished));
}

// Forms with fonts come before the page's own content; a page without fonts gives only its
// banner and no progress report.
TEST_F(TextExtraction, FormsFirstAndPagesWithoutFonts) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [4 0 R 6 0 R] /Count 2 >>")
      .Object(3, kFont)
      .Object(4,
              "<< /Type /Page /Parent 2 0 R /Contents 5 0 R /Resources << /Font << /F1 3 0 R "
              ">> /XObject << /Fm 8 0 R /Plain 9 0 R >> >> >>")
      .Stream(5, "", "/Fm Do BT /F1 1 Tf (page) Tj ET")
      .Object(6,
              "<< /Type /Page /Parent 2 0 R /Contents 7 0 R /Resources << /XObject << /Fm 8 "
              "0 R >> >> >>")
      .Stream(7, "", "BT (no font) Tj ET")
      .Stream(8, "/Subtype /Form /Resources << /Font << /F2 3 0 R >> >>",
              "BT /F2 1 Tf (form) Tj ET")
      .Stream(9, "/Subtype /Form", "BT (fontless form) Tj ET")
      .Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.new_line = "|";
  EXPECT_EQ(Extract(1, 2), "|" + kRule + " Page 1||formpage||" + kRule + " Page 2||form");
  EXPECT_THAT(positions_, ElementsAre(0, kFinished));
}

// In layout order the page is read where its glyphs stand: the form drawn where Do draws it
// and by its matrix, not first; each page's lines are reported.
TEST_F(TextExtraction, LayoutOrderPlacesFormsWhereDrawn) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [4 0 R] /Count 1 >>")
      .Object(3, kFont)
      .Object(4,
              "<< /Type /Page /Parent 2 0 R /Contents 5 0 R /Resources << /Font << /F1 3 0 R "
              ">> /XObject << /Fm 8 0 R >> >> >>")
      .Stream(5, "", "/Fm Do BT /F1 12 Tf 72 700 Td (first) Tj 0 -100 Td (second) Tj ET")
      .Stream(8, "/Subtype /Form /Matrix [1 0 0 1 72 500] /Resources << /Font << /F1 3 0 R >> >>",
              "BT /F1 12 Tf (third) Tj ET")
      .Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.new_line = "|";
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1), "thirdfirst|second");

  options_.layout_order = true;
  std::vector<int32_t> pages_arranged;
  std::string text;
  ExtractionProgress progress;
  progress.page_arranged = [&](int32_t page, const std::vector<ArrangedLine>& lines) {
    pages_arranged.push_back(page);
    EXPECT_EQ(lines.size(), 3U);
  };
  lumenquill::Extract(*document_, options_, [&text](std::string_view part) { text += part; },
                      cancel_, progress);
  EXPECT_EQ(text, "first|second|third|");
  EXPECT_THAT(pages_arranged, ElementsAre(1));
}

// The walk lists a form once for each name and path that reaches it: the page's /A and /B name
// form 6 and form 7 names it twice more; the page's content lists its stream twice.
TEST_F(TextExtraction, AFormListedSeveralTimesGivesItsTextEachTime) {
  PdfBuilder pdf =
      PageWithForms("/A 6 0 R /B 6 0 R /C 7 0 R", "BT /F1 1 Tf (six) Tj ET", "[4 0 R 4 0 R]");
  pdf.Stream(7,
             "/Subtype /Form /Resources << /Font << /F1 5 0 R >> /XObject << /X 6 0 R /Y 6 0 R "
             ">> >>",
             "/X Do /Y Do BT /F1 1 Tf (seven) Tj ET")
      .Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1), "sixsixsevensixsixpagepage");
}

// A page whose forms hand over more than the bound keeps the text of the listings within it and
// passes over the rest, its own content included; the next page is whole again.
TEST_F(TextExtraction, APageOverTheContentBoundKeepsWhatCameBefore) {
  std::string form = "BT /F1 1 Tf (form) Tj ET ";
  form.resize(static_cast<size_t>(kMaxInflatedSize));
  const int64_t listings = kMaxContentPerPage / kMaxInflatedSize + 1;
  std::string names;
  for (int64_t i = 0; i < listings; ++i) names += "/X" + std::to_string(i) + " 6 0 R ";
  PdfBuilder pdf = PageWithForms(names, form, "4 0 R", "3 0 R 7 0 R");
  pdf.Object(7,
             "<< /Type /Page /Parent 2 0 R /Contents 8 0 R /Resources << /Font << /F1 5 0 R "
             ">> >> >>")
      .Stream(8, "", "BT /F1 1 Tf (two) Tj ET")
      .Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.page_banners = false;
  std::string within_bound;
  for (int64_t i = 1; i < listings; ++i) within_bound += "form";
  EXPECT_EQ(Extract(1, 2), within_bound + "two");
  EXPECT_THAT(positions_, ElementsAre(0, 100, kFinished));
}

// Each stream's last token stands alone, whatever follows it in the buffer: a form ending in T*
// breaks the line, and a page's string left open at its end gives its own bytes only.
TEST_F(TextExtraction, TheLastTokenOfAStreamStandsAlone) {
  OpenDocument(testing::PagesShowing({"/Fm Do BT /F1 1 Tf <41"},
                                     "/Font << /F1 3 0 R >> /XObject << /Fm 6 0 R >>")
                   .Stream(6, "/Subtype /Form /Resources << /Font << /F1 3 0 R >> >>",
                           "BT /F1 1 Tf (form) Tj T*")
                   .Build());
  options_.page_banners = false;
  options_.new_line = "|";
  EXPECT_EQ(Extract(1, 1), "form|A");
}

// A map to Unicode of the codes 1 and 2 to 日本, which Shift-JIS writes 93 FA 96 7B.
const std::string kToUnicode =
    "begincmap 2 beginbfchar <0001> <65E5> <0002> <672C> endbfchar endcmap";

std::string Hex(const std::string& data) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (const unsigned char c : data) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex + ">";
}

// A page whose /Contents is an array of an ASCIIHex, an ASCIIHex-and-Flate and a Flate stream,
// with a Type0 font carrying an embedded encoding CMap and a /ToUnicode map, and an
// unencoded inline image before the text.
TEST_F(TextExtraction, ContentArraysFiltersAndEmbeddedCMaps) {
  const std::string encoding_cmap =
      "/CIDInit /ProcSet findresource begin begincmap 1 begincidrange <0000> <FFFF> 0 "
      "endcidrange endcmap";
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3,
              "<< /Type /Page /Parent 2 0 R /Contents [4 0 R 5 0 R 6 0 R] /Resources << "
              "/Font << /F1 7 0 R /J 8 0 R >> >> >>")
      .Stream(4, "/Filter /ASCIIHexDecode",
              Hex("BI /W 4 /H 2 /BPC 8 /CS /G ID \x01\x02)\x04(\x06\x07\x08 EI\n"
                  "BT /F1 12 Tf 72 700 Td (hex) Tj"))
      .Stream(5, "/Filter [/ASCIIHexDecode /FlateDecode]", Hex(Deflated(" 0 -20 Td (flate) Tj ")))
      .Stream(6, "/Filter /FlateDecode", Deflated("/J 12 Tf <00010002> Tj ET"))
      .Object(7, kFont)
      .Object(8,
              "<< /Type /Font /Subtype /Type0 /BaseFont /Mincho /Encoding 9 0 R "
              "/ToUnicode 10 0 R /DescendantFonts [] >>")
      .Stream(9, "/Type /CMap /CMapName /Custom-H", encoding_cmap)
      .Stream(10, "", kToUnicode)
      .Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1), "hex\r\nflate\x93\xFA\x96{");  // 日本 in Shift-JIS
}

// A page whose /Contents is an LZW stream and a run-length stream under ASCII85.
TEST_F(TextExtraction, LZWAndRunLengthContent) {
  const std::string run_length =
      "\x13"
      "0 -20 Td (run) Tj ET"
      "\x80";
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3,
              "<< /Type /Page /Parent 2 0 R /Contents [4 0 R 5 0 R] /Resources << "
              "/Font << /F1 6 0 R >> >> >>")
      .Stream(4, "/Filter /LZWDecode", LZWLiterals("BT /F1 12 Tf 72 700 Td (lzw) Tj"))
      .Stream(5, "/Filter [/ASCIIHexDecode /RunLengthDecode]", Hex(run_length))
      .Object(6, kFont)
      .Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1), "lzw\r\nrun");
}

// Streams whose Flate data holds PNG predictor rows: the page's content, its parameters in an
// array by reference; a Type0 font's /ToUnicode map; and its embedded encoding CMap, whose
// parameter dictionary must not end the encoding dictionary around it.
TEST_F(TextExtraction, PredictedStreams) {
  const std::string content =
      "BT /F1 12 Tf 72 700 Td (predicted) Tj 0 -20 Td /J 12 Tf <00010002> Tj ET";
  const std::string encoding_cmap =
      "/CIDInit /ProcSet findresource begin begincmap 1 begincidrange <0000> <FFFF> 0 "
      "endcidrange endcmap";
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3,
              "<< /Type /Page /Parent 2 0 R /Contents 4 0 R /Resources << "
              "/Font << /F1 7 0 R /J 8 0 R >> >> >>")
      .Stream(4, "/Filter [/FlateDecode] /DecodeParms [5 0 R]", Deflated(PngUpRows(content, 8)))
      .Object(5, "<< /Predictor 12 /Columns 8 >>")
      .Object(7, kFont)
      .Object(8,
              "<< /Type /Font /Subtype /Type0 /BaseFont /Mincho /Encoding 9 0 R "
              "/ToUnicode 10 0 R /DescendantFonts [] >>")
      .Stream(9,
              "/Type /CMap /CMapName /Custom-H /Filter /FlateDecode "
              "/DecodeParms << /Predictor 15 /Columns 16 >>",
              Deflated(PngUpRows(encoding_cmap, 16)))
      .Stream(10, "/Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 5 >>",
              Deflated(PngUpRows(kToUnicode, 5)))
      .Trailer("/Root 1 0 R");
  OpenDocument(pdf.Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1), "predicted\r\n\x93\xFA\x96{");  // 日本 in Shift-JIS
}

// Content as iText, Qt and groff write it: Tf before the text object, a marked-content
// dictionary inside it, and a TrueType font whose /ToUnicode map has two-byte codes and a range
// with an array destination, and leaves a code to the font's encoding (as groff's maps do).
TEST_F(TextExtraction, FontsSelectedOutsideTextObjectsAndMappedByArrays) {
  const std::string to_unicode =
      "begincmap 1 begincodespacerange <0000> <FFFF> endcodespacerange 1 beginbfrange <0041> "
      "<0043> [<65E5> <672C> <0041>] endbfrange endcmap";
  OpenDocument(
      testing::PagesShowing(
          {"q 12 0 0 -12 85 743 cm /T 1 Tf BT /Span <</ActualText (x)>> BDC (ABCD) Tj EMC ET Q"},
          "/Font << /T 6 0 R >>")
          .Object(6, "<< /Type /Font /Subtype /TrueType /BaseFont /Sans /ToUnicode 7 0 R >>")
          .Stream(7, "", to_unicode)
          .Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1), "\x93\xFA\x96{AD");  // 日本A, then D by the font's encoding
}

// A simple font's codes give the characters of its encoding (the Symbol font's own without
// one), and of the glyph names its /Differences put over it; characters code page 932 lacks, and
// names of no character, become spaces. Names past code 255 are dropped.
TEST_F(TextExtraction, SimpleFontsGiveTheCharactersOfTheirEncodings) {
  OpenDocument(
      testing::PagesShowing({"BT /W 12 Tf (Caf\351 \223q\224 \226 \260) Tj "
                             "/D 12 Tf <01020304 93 C8C9CACB FEFF> Tj /S 12 Tf (ab\\271) Tj ET"},
                            "/Font << /W 6 0 R /D 7 0 R /S 8 0 R >>")
          .Object(6,
                  "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding "
                  ">>")
          .Object(7,
                  "<< /Type /Font /Subtype /Type1 /BaseFont /ABCDEF+Sub /Encoding << /Differences "
                  "[1 /T /e /x /t 200 /uni00B1 /u00D7 /a.sc /notaglyph 254 /A /B /C] "
                  "/BaseEncoding /WinAnsiEncoding >> >>")
          .Object(8, "<< /Type /Font /Subtype /Type1 /BaseFont /Symbol >>")
          .Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1),
            "Caf  \x81\x67q\x81\x68   \x81\x8B"
            "Text\x81\x67\x81\x7D\x81\x7E"
            "a AB\x83\xBF\x83\xC0\x81\x82");
}

// The expert encoding's small capitals, figures and ff ligature are their plain letters, the
// ZapfDingbats font's own encoding gives its circled numbers and shapes, and the standard
// encoding's fi ligature its two letters.
TEST_F(TextExtraction, ExpertDingbatAndLigatureCodes) {
  OpenDocument(
      testing::PagesShowing({"BT /E 12 Tf (\141\142\061\126) Tj /Z 12 Tf (\254\154) Tj "
                             "/L 12 Tf (\256le) Tj ET"},
                            "/Font << /E 6 0 R /Z 7 0 R /L 8 0 R >>")
          .Object(6,
                  "<< /Type /Font /Subtype /Type1 /BaseFont /Expert /Encoding /MacExpertEncoding "
                  ">>")
          .Object(7, "<< /Type /Font /Subtype /Type1 /BaseFont /ZapfDingbats >>")
          .Object(8, "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman >>")
          .Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1),
            "ab1ff\x87\x40\x81\x9C"
            "file");
}

// The resources as cairo and early writers make them: a nested dictionary before /Font, and
// direct font dictionaries, each read where it stands, their values found through references.
TEST_F(TextExtraction, NestedResourcesAndDirectFontDictionaries) {
  OpenDocument(
      testing::PagesShowing(
          {"BT /F1 12 Tf 72 700 Td (latin) Tj 0 -20 Td /J 12 Tf <00010002> Tj ET"},
          "/ExtGState << /a0 << /CA 1 /ca 1 >> >> /Font << /F1 << /Type /Font /Subtype /Type1 "
          "/BaseFont /Helvetica /Encoding 9 0 R >> /J << /Type /Font /Subtype /Type0 /BaseFont "
          "/Mincho /Encoding /Identity-H /ToUnicode 10 0 R /DescendantFonts [] >> >>")
          .Object(9, "/WinAnsiEncoding")
          .Stream(10, "", kToUnicode)
          .Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1), "latin\r\n\x93\xFA\x96{");
}

// Type0 fonts whose CIDs are not Adobe-Japan1 ones: /ToUnicode /Identity-H reads the codes as
// UTF-16 (a character beyond the BMP is one space); a TrueType program's cmap gives the
// characters of its glyphs, through a /CIDToGIDMap stream; without either, each CID is
// unknown. An Adobe-Japan1 font without /ToUnicode still goes through the CID table.
TEST_F(TextExtraction, CIDsOfOtherCollections) {
  const std::string program = testing::SfntWithCmap(testing::CmapTable(
      {{3, 10, testing::Format12Subtable({{0x65E5, 0x65E5, 1}, {0x672C, 0x672C, 2}})}}));
  const auto type0 = [](const std::string& font_entries, const std::string& cid_font) {
    return "<< /Type /Font /Subtype /Type0 /BaseFont /Sans /Encoding /Identity-H " + font_entries +
           " /DescendantFonts [" + cid_font + "] >>";
  };
  PdfBuilder pdf = testing::PagesShowing(
      {"BT /U 12 Tf <65E5672C0041D842DF9F> Tj /G 12 Tf <000100020003> Tj /K 12 Tf "
       "<02790022> Tj /J 12 Tf <02790022> Tj ET"},
      "/Font << /U 6 0 R /G 7 0 R /K 8 0 R /J 9 0 R >>");
  pdf.Object(6, type0("/ToUnicode /Identity-H",
                       "<< /Subtype /CIDFontType0 /CIDSystemInfo << /Registry (Adobe) "
                       "/Ordering (Identity) >> >>"))
      .Object(7, type0("", "10 0 R"))
      .Object(8, type0("",
                       "<< /Subtype /CIDFontType2 /CIDSystemInfo << /Registry (Adobe) "
                       "/Ordering (GB1) >> /FontDescriptor << /FontFile3 11 0 R >> >>"))
      .Object(9, type0("",
                       "<< /Subtype /CIDFontType0 /CIDSystemInfo << /Registry (Adobe) "
                       "/Ordering (Japan1) >> >>"))
      .Object(10,
              "<< /Type /Font /Subtype /CIDFontType2 /CIDSystemInfo << /Registry (Adobe) "
              "/Ordering (Identity) >> /FontDescriptor 12 0 R /CIDToGIDMap 13 0 R >>")
      .Stream(11, "/Subtype /CIDFontType0C", "not read")
      .Object(12, "<< /Type /FontDescriptor /FontName /Sans /FontFile2 14 0 R >>")
      .Stream(13, "/Filter /FlateDecode", Deflated(std::string("\0\0\0\2\0\1", 6)))
      .Stream(14, "/Filter /FlateDecode", Deflated(program));
  OpenDocument(pdf.Build());
  options_.page_banners = false;
  EXPECT_EQ(Extract(1, 1),
            "\x93\xFA\x96{A "  // 日本A and a space
            "\x96{\x93\xFA?"   // 本日 and a CID past the map
            "??"               // GB1 CIDs
            "\x81\x40"
            "A");  // Adobe-Japan1 CIDs 633 and 34
  // What the output encoding replaced: 𠮟 by the space, the three unknown codes by "?".
  EXPECT_EQ(substitutions_.unrepresentable, 1);
  EXPECT_EQ(substitutions_.unknown, 3);
  EXPECT_THAT(substitutions_.examples, ElementsAre(U'\U00020B9F'));
}

}  // namespace
}  // namespace lumenquill
