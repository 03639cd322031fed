#include "codes/cmap_reader.h"

#include <gtest/gtest.h>

#include "codes/extracted_text.h"
#include "reader/memory_stream.h"
#include "support/shift_jis.h"

namespace lumenquill {
namespace {

std::unique_ptr<CMapReader> Read(const std::string& program) {
  auto reader = std::make_unique<CMapReader>();
  MemoryStream stream(program);
  reader->ReadCMap(stream);
  return reader;
}

std::string Extracted(const CMapReader& reader, const std::string& bytes) {
  std::string out;
  ConvertByCMap(&reader, bytes, out);
  return out;
}

// As the Shift-JIS output writes it.
std::string Convert(const CMapReader& reader, const std::string& bytes) {
  return testing::ShiftJIS(Extracted(reader, bytes));
}

// Codes no mapping sets are unknown codes: "?" in Shift-JIS.
TEST(CMapReader, AnEmptyProgramMapsNothing) {
  const auto reader = Read("/CIDInit /ProcSet findresource begin begincmap endcmap ");
  EXPECT_EQ(reader->GetValue(0), kUnknownCode);
  EXPECT_FALSE(reader->HasOneByteCodes());
  std::string unknown;
  AppendUnknownCode(unknown);
  EXPECT_EQ(Extracted(*reader, "\x01\x02\x03\x04"), unknown + unknown);
  EXPECT_EQ(Convert(*reader, "\x01\x02\x03\x04"), "??");
}

TEST(CMapReader, BfCharAndTheOneByteSplit) {
  const auto reader = Read(
      "begincmap 1 begincodespacerange <00> <FF> endcodespacerange\n"
      "2 beginbfchar <01> <0041> <0203> <3042> endbfchar endcmap ");
  EXPECT_TRUE(reader->HasOneByteCodes());
  EXPECT_EQ(reader->MinOneByteCode(), 1);
  EXPECT_EQ(reader->MaxOneByteCode(), 1);
  // 0x01 is a one-byte code; every other byte starts a two-byte code.
  EXPECT_EQ(Convert(*reader, "\x01\x02\x03\x01"),
            "A\x82\xA0"
            "A");
}

TEST(CMapReader, Ranges) {
  const auto reader = Read(
      "beginbfrange <0000> <00FF> <0000>\n<0001> <0003> [<0041> <0062> <0063>]\n"
      "<FFF0> <1000F> <0041> <20000> <20001> <0041> <0010> <0005> <0041> endbfrange\n"
      "begincidrange <8140> <817E> 633 endcidrange endcmap ");
  EXPECT_EQ(reader->GetValue(0x0000), 0);
  EXPECT_EQ(reader->GetValue(0x0010), 0x10);  // a reversed range is dropped
  EXPECT_EQ(reader->GetValue(0xFFF0), 0x41);
  EXPECT_EQ(reader->GetValue(0xFFFF), 0x50);
  EXPECT_EQ(reader->GetValue(0x8140), 633);
  EXPECT_EQ(reader->GetValue(0x817E), 695);
}

// An array gives each code of the range its own element: a short array leaves the codes past
// its end unmapped, a long one's extra elements are dropped, and a dropped range takes nothing.
TEST(CMapReader, RangesWithArrays) {
  const auto reader = Read(
      "beginbfrange <0001> <0003> [<0054> <0068> <00660069>] <0020> <0023> [<0041> % note\n"
      "<0042>] <0030> <0030> [<0043> <0044>] <0041> <0040> [<0045>] <0050> <0050> <0046> "
      "endbfrange endcmap ");
  EXPECT_EQ(reader->GetValue(0x0001), 0x54);
  EXPECT_EQ(reader->GetValue(0x0002), 0x68);
  EXPECT_EQ(reader->GetValue(0x0003), 0x66);
  EXPECT_EQ(reader->GetValue(0x0021), 0x42);
  EXPECT_EQ(reader->GetValue(0x0022), kUnknownCode);
  EXPECT_EQ(reader->GetValue(0x0023), kUnknownCode);
  EXPECT_EQ(reader->GetValue(0x0030), 0x43);
  EXPECT_EQ(reader->GetValue(0x0031), kUnknownCode);
  EXPECT_EQ(reader->GetValue(0x0041), kUnknownCode);
  EXPECT_EQ(reader->GetValue(0x0050), 0x46);
  // A section that ends inside an array ends the range there.
  const auto cut = Read("beginbfrange <0001> <0002> [<0041> endbfrange <0003> <0042> endcmap ");
  EXPECT_EQ(cut->GetValue(1), 0x41);
  EXPECT_EQ(cut->GetValue(2), kUnknownCode);
}

// Values past 0xFFFF are kept modulo 2^16, and so are values past INT32_MAX: a range starting
// near it goes on counting through the top of the table into 0.
TEST(CMapReader, RangeValuesWrapAtSixteenBits) {
  const auto reader = Read(
      "begincidrange <0000> <0002> 2147483647 <0010> <0013> 2147483645 <0020> <0021> 65536 "
      "endcidrange beginbfrange <0030> <0031> 2147483647 endbfrange endcmap ");
  EXPECT_EQ(reader->GetValue(0x0000), 0xFFFF);
  EXPECT_EQ(reader->GetValue(0x0001), 0x0000);
  EXPECT_EQ(reader->GetValue(0x0002), 0x0001);
  EXPECT_EQ(reader->GetValue(0x0010), 0xFFFD);
  EXPECT_EQ(reader->GetValue(0x0013), 0x0000);
  EXPECT_EQ(reader->GetValue(0x0020), 0x0000);
  EXPECT_EQ(reader->GetValue(0x0021), 0x0001);
  EXPECT_EQ(reader->GetValue(0x0031), 0x0000);
}

TEST(CMapReader, IdentityRangeMapsEveryCode) {
  const auto reader = Read("1 beginbfrange <0000> <FFFF> <0000> endbfrange endcmap ");
  for (uint32_t code = 0; code <= 0xFFFF; code += 0x1111) {
    EXPECT_EQ(reader->GetValue(static_cast<uint16_t>(code)), code);
  }
}

// The table is kept in pages of 256 codes: a range across a page boundary writes both pages,
// and the codes around it, in a written page or not, stay unmapped.
TEST(CMapReader, RangesAcrossPagesLeaveTheirNeighboursUnmapped) {
  const auto reader = Read(
      "1 beginbfrange <01FE> <0201> <3042> endbfrange 1 beginbfchar <02FF> <00660069> endbfchar "
      "endcmap ");
  EXPECT_EQ(reader->GetValue(0x01FE), 0x3042);
  EXPECT_EQ(reader->GetValue(0x0201), 0x3045);
  EXPECT_TRUE(reader->IsMapped(0x0200));
  for (const uint16_t code : {0x01FD, 0x0202, 0x0300, 0x0000, 0xFFFF}) {
    EXPECT_FALSE(reader->IsMapped(code)) << code;
    EXPECT_EQ(reader->GetValue(code), kUnknownCode) << code;
  }
  EXPECT_EQ(Convert(*reader, "\x02\xFF\x01\xFE"), "fi\x82\xA0");
  EXPECT_EQ(Read("endcmap ")->GetValue(0x01FE), kUnknownCode);  // every reader has a table of its own
}

TEST(CMapReader, DecimalValuesAndComments) {
  const auto reader = Read(
      "% a comment <05> <0041>\n(a string <06> <0041>) beginbfchar <07> 66 8 <0043> endbfchar "
      "endcmap ");
  EXPECT_EQ(reader->GetValue(5), kUnknownCode);
  EXPECT_EQ(reader->GetValue(6), kUnknownCode);
  EXPECT_EQ(reader->GetValue(7), 66);
  EXPECT_EQ(reader->GetValue(8), 0x43);
  // A two-digit value after a decimal source counts as a one-byte code.
  const auto decimal_source = Read("beginbfchar 9 <41> endbfchar endcmap ");
  EXPECT_EQ(decimal_source->GetValue(9), 0x41);
  EXPECT_TRUE(decimal_source->HasOneByteCodes());
  EXPECT_EQ(decimal_source->MinOneByteCode(), 0x41);
}

// A destination of several units gives all its characters: a ligature its letters (as does a
// Latin ligature character, which code page 932 lacks), a character with a variation selector
// the character alone, a surrogate pair one character (a space in Shift-JIS). A range
// whose start has several units gives each code the whole string, its last unit counted on; a
// later mapping of the code replaces the whole destination.
TEST(CMapReader, MultiUnitDestinationsGiveEveryCharacter) {
  const auto reader = Read(
      "beginbfchar <0001> <00660069> <0002> <845BDB40DD00> <0003> <D83DDE00> <0004> "
      "<0041004200430044> <0005> <00660066> <0006> <FB01> endbfchar beginbfrange <0010> <0011> "
      "<00660066> "
      "<0020> <0021> [<0041> <00660066006C>] endbfrange beginbfchar <0005> <0078> endbfchar "
      "endcmap ");
  EXPECT_EQ(reader->GetValue(1), 0x66);
  EXPECT_EQ(Convert(*reader, std::string("\0\1\0\2\0\3\0\4\0\5\0\6", 12)), "fi\x8A\x8B ABCDxfi");
  EXPECT_EQ(Convert(*reader, std::string("\0\x10\0\x11\0\x20\0\x21", 8)), "fffgAffl");
  const auto single = Read("beginbfrange <0010> <0010> <00660069> endbfrange endcmap ");
  EXPECT_EQ(Convert(*single, std::string("\0\x10", 2)), "fi");
  std::string one_each;
  ConvertByCMap(reader.get(), "\1\2", one_each, CodeBytes::kOneEach);
  EXPECT_EQ(testing::ShiftJIS(one_each), "fi\x8A\x8B");
}

// Destinations written again and again over one code are dropped as they are replaced; those
// still named, a range's included, stay whole.
TEST(CMapReader, ReplacedDestinationsAreDropped) {
  std::string program = "beginbfrange <0010> <0012> <00410030> endbfrange beginbfchar\n";
  for (int i = 0; i < 100'000; ++i) program += i % 2 == 0 ? "<01> <00660069>\n" : "<01> <FB02>\n";
  const auto reader = Read(program + "endbfchar endcmap ");
  EXPECT_EQ(Convert(*reader, std::string("\x01\0\x10\0\x12", 5)), "flA0A2");
}

// A surrogate pair is one character beyond the BMP, in a bfchar or counting on from the start
// of a bfrange; a lone surrogate is U+FFFD. Shift-JIS writes a space for each.
TEST(CMapReader, SurrogatePairDestinationsAreOneCharacter) {
  const auto reader = Read(
      "beginbfchar <01> <D842DF9F> <02> <DC00> <03> <0041> endbfchar "
      "beginbfrange <10> <12> <D83DDE00> endbfrange endcmap ");
  EXPECT_EQ(reader->GetValue(1), 0x20B9FU);
  EXPECT_EQ(reader->GetValue(0x12), 0x1F602U);
  EXPECT_EQ(Extracted(*reader, "\x01\x02\x12"),
            "\xF0\xA0\xAE\x9F"  // 𠮟
            "\xEF\xBF\xBD"       // U+FFFD
            "\xF0\x9F\x98\x82");  // 😂
  EXPECT_EQ(Convert(*reader, "\x01\x03\x02\x03\x10\x11\x12"), " A A   ");
}

// White space between the digits of a code is skipped; a code without digits, one with its top
// bit set and one beyond 32 bits name no code, and never wrap round to a small one. A source
// of two digits is a one-byte code.
TEST(CMapReader, HexCodes) {
  const auto reader = Read(
      "beginbfchar <0 0 4 1> <0042> <> <0043> <80000000> <0044> <100000000> <0045> endbfchar "
      "endcmap ");
  EXPECT_EQ(reader->GetValue(0x41), 0x42);
  int mapped = 0;
  for (int32_t code = 0; code <= 0xFFFF; ++code) {
    if (reader->IsMapped(static_cast<uint16_t>(code))) ++mapped;
  }
  EXPECT_EQ(mapped, 1);
  EXPECT_FALSE(reader->HasOneByteCodes());

  const auto one_byte = Read("beginbfchar <7F> <0041> <20> <0042> endbfchar endcmap ");
  EXPECT_TRUE(one_byte->HasOneByteCodes());
  EXPECT_EQ(one_byte->MinOneByteCode(), 0x20);
  EXPECT_EQ(one_byte->MaxOneByteCode(), 0x7F);
}

TEST(CMapReader, OnlyTheFirstProgramIsRead) {
  const auto reader = Read(
      "beginbfchar <01> <0041> endbfchar endcmap\n\nbeginbfchar <02> <0042> endbfchar endcmap ");
  EXPECT_EQ(reader->GetValue(1), 0x41);
  EXPECT_EQ(reader->GetValue(2), kUnknownCode);
}

TEST(CMapReader, AProgramCutShortKeepsWhatWasRead) {
  const auto reader = Read("beginbfchar <01> <0041> <02> <00");
  EXPECT_EQ(reader->GetValue(1), 0x41);
  EXPECT_EQ(reader->GetValue(2), kUnknownCode);
}

// Ranges rewriting the whole table over and over end the reading after a bounded amount.
TEST(CMapReader, RepeatedWholeTableRangesAreBounded) {
  std::string program = "beginbfrange\n";
  for (int i = 0; i < 100'000; ++i) program += "<0000> <FFFF> <0041>\n";
  program += "endbfrange beginbfchar <0001> <0042> endbfchar endcmap ";
  const auto reader = Read(program);
  EXPECT_EQ(reader->GetValue(0), 0x41);
  EXPECT_EQ(reader->GetValue(1), 0x42);  // never reached
}

TEST(ConvertByCMap, SplitsAndEnds) {
  EXPECT_EQ(
      [] {
        std::string out = "x";
        ConvertByCMap(nullptr, "ab", out);
        return out;
      }(),
      "x");
  const auto reader = Read("beginbfrange <20> <7E> <0020> endbfrange endcmap ");
  // A byte outside the one-byte range starts a two-byte code; a lone last one gives nothing.
  EXPECT_EQ(Convert(*reader, "Hi\x81"), "Hi");
  EXPECT_EQ(Convert(*reader, "Hi\x81\x40"), "Hi?");
  // One code per byte, whatever the range.
  std::string out;
  ConvertByCMap(reader.get(), "Hi\x81", out, CodeBytes::kOneEach);
  EXPECT_EQ(testing::ShiftJIS(out), "Hi?");
}

}  // namespace
}  // namespace lumenquill
