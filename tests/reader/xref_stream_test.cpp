#include "reader/xref_stream.h"

#include <gtest/gtest.h>

#include "reader/object_parser.h"
#include "reader/object_resolver.h"
#include "reader/object_stream.h"
#include "reader/section_stream_data.h"
#include "support/deflate.h"

namespace lumenquill {
namespace {

PdfDictionary Dictionary(const std::string& text) {
  ObjectParser parser(text);
  return *parser.ReadValue()->Dictionary();
}

// The layout of a dictionary with the given /Size, /W and further entries.
XrefStreamLayout Layout(const std::string& entries) {
  return ReadXrefStreamLayout(Dictionary("<< /Type /XRef " + entries + " >>"));
}

// value in width bytes, high byte first.
std::string Field(uint64_t value, int width) {
  std::string bytes;
  for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) {
    bytes.push_back(static_cast<char>(value >> shift & 0xFF));
  }
  return bytes;
}

std::vector<XrefStreamEntry> Entries(const XrefStreamLayout& layout, const std::string& data) {
  std::vector<XrefStreamEntry> entries;
  ForEachXrefStreamEntry(layout, data,
                         [&entries](const XrefStreamEntry& entry) { entries.push_back(entry); });
  return entries;
}

TEST(XrefStream, LayoutChecks) {
  const XrefStreamLayout layout = Layout("/Size 5 /W [1 2 1]");
  EXPECT_EQ(layout.size, 5);
  EXPECT_EQ(layout.widths, (std::array<int32_t, 3>{1, 2, 1}));
  ASSERT_EQ(layout.sections.size(), 1u);
  EXPECT_EQ(layout.sections[0], std::make_pair(0, 5));
  EXPECT_EQ(Layout("/Size 9 /W [0 8 0] /Index [2 3 7 2]").sections,
            (std::vector<std::pair<int32_t, int32_t>>{{2, 3}, {7, 2}}));

  for (const char* bad :
       {"/Size 5", "/Size 5 /W [1 2]", "/Size 5 /W [1 2 1 1]", "/Size 5 /W [1 9 1]",
        "/Size 5 /W [1 -1 1]", "/Size 5 /W [0 0 0]", "/Size 5 /W 4", "/Size 5 /W [1 x 1]",
        "/W [1 2 1]", "/Size -1 /W [1 2 1]", "/Size 8388609 /W [1 2 1]",
        "/Size 5 /W [1 2 1] /Index [0]", "/Size 5 /W [1 2 1] /Index [-1 2]",
        "/Size 5 /W [1 2 1] /Index [0 -2]", "/Size 5 /W [1 2 1] /Index [8388607 2]"}) {
    EXPECT_THROW(Layout(bad), LoadError) << bad;
  }
}

TEST(XrefStream, EntryTypesAndSubsections) {
  const XrefStreamLayout layout = Layout("/Size 12 /W [1 4 2] /Index [0 2 10 2]");
  const std::string data = Field(0, 1) + Field(3, 4) + Field(65535, 2) +  // free
                           Field(1, 1) + Field(1234, 4) + Field(0, 2) +   // in the file
                           Field(2, 1) + Field(7, 4) + Field(3, 2) +      // in stream 7
                           Field(9, 1) + Field(5, 4) + Field(5, 2);       // unknown type
  const std::vector<XrefStreamEntry> entries = Entries(layout, data);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].number, 0);
  EXPECT_EQ(entries[0].type, 0);
  EXPECT_EQ(entries[1].number, 1);
  EXPECT_EQ(entries[1].type, 1);
  EXPECT_EQ(entries[1].location, 1234);
  EXPECT_EQ(entries[2].number, 10);
  EXPECT_EQ(entries[2].type, 2);
  EXPECT_EQ(entries[2].location, 7);
  EXPECT_EQ(entries[2].index, 3);
  EXPECT_EQ(entries[3].number, 11);
  EXPECT_EQ(entries[3].type, 0);

  // Without a type field every entry is in the file.
  const std::vector<XrefStreamEntry> untyped =
      Entries(Layout("/Size 2 /W [0 2 0]"), Field(10, 2) + Field(20, 2));
  ASSERT_EQ(untyped.size(), 2u);
  EXPECT_EQ(untyped[1].type, 1);
  EXPECT_EQ(untyped[1].location, 20);
}

TEST(XrefStream, DataAndFieldBounds) {
  const XrefStreamLayout layout = Layout("/Size 2 /W [1 2 1]");
  const std::string whole = Field(1, 1) + Field(9, 2) + Field(0, 1) + Field(1, 1) + Field(8, 2);
  int visited = 0;
  // A truncated table is refused before any entry is taken.
  EXPECT_THROW(ForEachXrefStreamEntry(layout, whole, [&](const XrefStreamEntry&) { ++visited; }),
               LoadError);
  EXPECT_EQ(visited, 0);
  EXPECT_EQ(Entries(layout, whole + Field(0, 1) + "extra").size(), 2u);

  const XrefStreamLayout wide = Layout("/Size 1 /W [1 8 8]");
  EXPECT_EQ(Entries(wide, Field(1, 1) + Field(0x7FFFFFFF, 8) + Field(0, 8))[0].location,
            0x7FFFFFFF);
  EXPECT_THROW(Entries(wide, Field(1, 1) + Field(0x80000000, 8) + Field(0, 8)), LoadError);
  EXPECT_THROW(Entries(wide, Field(2, 1) + Field(8388608, 8) + Field(0, 8)), LoadError);
  EXPECT_THROW(Entries(wide, Field(2, 1) + Field(5, 8) + Field(0x80000000, 8)), LoadError);
}

TEST(ObjectStream, SplitsTheObjectsAtTheirOffsets) {
  const std::string data = "11 0 12 6 13 10 (one) [2] <</A 3>>";
  const std::vector<PackedObject> objects = SplitObjectStream(data, 3, 16);
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[0].number, 11);
  EXPECT_EQ(data.substr(objects[0].begin, objects[0].size), "(one) ");
  EXPECT_EQ(objects[1].number, 12);
  EXPECT_EQ(data.substr(objects[1].begin, objects[1].size), "[2] ");
  EXPECT_EQ(data.substr(objects[2].begin, objects[2].size), "<</A 3>>");
  EXPECT_TRUE(SplitObjectStream(data, 0, 16).empty());

  EXPECT_THROW(SplitObjectStream(data, 5, 16), LoadError);  // /N past what the header holds
  EXPECT_THROW(SplitObjectStream(data, 3, 99), LoadError);  // /First outside the data
  EXPECT_THROW(SplitObjectStream(data, 3, -1), LoadError);
  EXPECT_THROW(SplitObjectStream(data, -1, 16), LoadError);
  EXPECT_THROW(SplitObjectStream("1 0 2 0 x", 2, 8), LoadError);        // offsets not increasing
  EXPECT_THROW(SplitObjectStream("1 4 2 2 abcdef", 2, 8), LoadError);   // offsets going back
  EXPECT_THROW(SplitObjectStream("1 0 2 60 abcdef", 2, 9), LoadError);  // offset outside
  EXPECT_THROW(SplitObjectStream("1 0 x 3 abcdef", 2, 8), LoadError);   // not integers
  EXPECT_THROW(SplitObjectStream("1 0 2 3 abc", 2, 8), LoadError);      // truncated after header
}

TEST(SectionStreamData, FiltersWithTheirParameters) {
  // Two rows of three bytes, the second stored as "up" differences.
  const std::string rows = std::string("\x00\x01\x02\x03\x02\x01\x01\x01", 8);
  const std::string raw = testing::Deflated(rows);
  const XrefTable no_objects;  // every value is direct
  ObjectResolver objects("", no_objects);
  const auto decode = [&objects](const std::string& dictionary, std::string_view data) {
    return DecodeSectionStream(objects.StreamFilters(Dictionary(dictionary)), data);
  };
  EXPECT_EQ(decode("<< /Filter /FlateDecode /DecodeParms << /Columns 3 /Predictor 12 >> >>", raw),
            std::string("\x01\x02\x03\x02\x03\x04", 6));
  EXPECT_EQ(decode("<< /Filter [/FlateDecode] >>", raw), rows);
  EXPECT_EQ(decode("<< /Length 3 >>", "abc"), "abc");
  EXPECT_EQ(decode("<< /Filter /ASCIIHexDecode >>", "616263>"), "abc");
  EXPECT_THROW(decode("<< /Filter /JBIG2Decode >>", raw), Error);
  EXPECT_THROW(decode("<< /Filter /FlateDecode >>", "not zlib"), Error);
}

}  // namespace
}  // namespace lumenquill
