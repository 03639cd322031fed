#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "reader/document.h"
#include "reader/memory_stream.h"
#include "reader/object_parser.h"
#include "support/document_bytes.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

PdfValue Parse(const std::string& text) {
  ObjectParser parser(text);
  const std::optional<PdfValue> value = parser.ReadValue();
  EXPECT_TRUE(value.has_value()) << text;
  return value.value_or(PdfNull{});
}

TEST(ObjectParser, ReadsTypedValues) {
  const PdfValue value = Parse(
      "<< /Int 12 /Real 1.5 /Big 9999999999 /Ref 7 0 R /Name /A#20B /Lit (a(b)c) /Hex <616> "
      "/Arr [1 /N true null] /Dup 1 /Dup 2 %comment\n >>");
  const PdfDictionary& dictionary = *value.Dictionary();
  EXPECT_EQ(dictionary.Find("/Int")->Integer(), 12);
  EXPECT_EQ(dictionary.Find("/Real")->Integer(), std::nullopt);
  EXPECT_EQ(dictionary.Find("/Real")->Number(), 1.5);
  EXPECT_TRUE(dictionary.Find("/Big")->Is<double>());
  EXPECT_EQ(*dictionary.Find("/Ref")->Reference(), (PdfReference{7, 0}));
  EXPECT_EQ(dictionary.Find("/Name")->Name(), "/A#20B");
  EXPECT_EQ(dictionary.Find("/Lit")->String()->bytes, "a(b)c");
  EXPECT_EQ(dictionary.Find("/Hex")->String()->bytes, "a`");
  const PdfArray& array = *dictionary.Find("/Arr")->Array();
  ASSERT_EQ(array.size(), 4u);
  EXPECT_EQ(array[2].As<bool>() != nullptr && *array[2].As<bool>(), true);
  EXPECT_TRUE(array[3].IsNull());
  EXPECT_EQ(dictionary.Find("/Dup")->Integer(), 1);  // the first of a key written twice
  EXPECT_EQ(dictionary.size(), 10u);

  // A damaged array or dictionary ends at "endobj", which is left for the caller.
  ObjectParser damaged("[1 2 endobj ");
  EXPECT_EQ(damaged.ReadValue()->Array()->size(), 2u);
  EXPECT_EQ(damaged.NextToken(), "endobj");
  // What starts no value gives nothing, the position unchanged.
  for (const char* none : {"] ", ">> ", "endobj ", "R ", ""}) {
    ObjectParser parser(none);
    EXPECT_FALSE(parser.ReadValue().has_value()) << none;
    EXPECT_EQ(parser.Position(), 0) << none;
  }
}

TEST(ObjectParser, BoundsNestingAndSize) {
  const std::string deep(ObjectParser::kMaxDepth + 1, '[');
  EXPECT_FALSE(ObjectParser(deep + "1").ReadValue().has_value());
  EXPECT_TRUE(ObjectParser(deep.substr(1) + "1").ReadValue().has_value());
  std::string many = "[";
  for (int64_t i = 0; i < ObjectParser::kMaxValues; ++i) many += "1 ";
  EXPECT_FALSE(ObjectParser(many + "]").ReadValue().has_value());
}

TEST(ObjectParser, FindsStreamDataByLength) {
  const std::string text = "<< /Length 5 0 R >>\r\nstream\r\nabcdef\r\nendstream\n";
  ObjectParser parser(text);
  const std::optional<PdfValue> body = parser.ReadObjectBody([](const PdfValue& length) {
    EXPECT_EQ(*length.Reference(), (PdfReference{5, 0}));
    return std::optional<int32_t>(6);
  });
  const PdfStream& stream = *body->Stream();
  EXPECT_EQ(stream.length, 6);
  EXPECT_EQ(text.substr(static_cast<size_t>(stream.keyword_end)), "\r\nabcdef\r\nendstream\n");
  EXPECT_EQ(parser.NextToken(), "endstream");
}

TEST(ObjectResolver, FollowsBoundedChainsAndDecodesOnDemand) {
  testing::PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Object(3, "4 0 R")
      .Object(4, "(end)")
      .Object(5, "5 0 R")
      .Object(6, "<< /Length 6 0 R >>\nstream\nabc\nendstream")
      .Object(7, "<< /Length 8 0 R >>\nstream\nabc\nendstream")
      .Object(8, "3")
      .Free(9)
      .Trailer("/Root 1 0 R");
  const std::unique_ptr<Document> document = testing::OpenDocumentBytes(pdf.Build());
  ObjectResolver& objects = document->Objects();
  EXPECT_EQ(objects.Resolve(PdfReference{3, 0}).String()->bytes, "end");
  EXPECT_EQ(objects.FollowReferences(PdfReference{3, 0}), 4);
  EXPECT_TRUE(objects.Resolve(PdfReference{5, 0}).IsNull());  // a loop ends at the bound
  EXPECT_EQ(objects.Object(9), nullptr);
  EXPECT_EQ(objects.Object(99), nullptr);
  // A /Length that refers to its own stream reads as no length.
  EXPECT_EQ(objects.Object(6)->Stream()->length, 0);
  MemoryStream decoded;
  objects.DecodeStream(*objects.Object(7)->Stream(), decoded);
  EXPECT_EQ(decoded.Bytes(), "abc");
  EXPECT_EQ(objects.Object(7), objects.Object(7));  // read once, then cached
  EXPECT_EQ(objects.Integer(PdfReference{8, 0}), 3);
  EXPECT_EQ(objects.Integer(PdfReference{3, 0}), std::nullopt);
}

// An object number inside the table that no section listed, or whose offset lies outside the
// file, is never read.
TEST(ObjectResolver, UnlistedObjectsReadNothing) {
  testing::PdfBuilder pdf = testing::PagesShowing({});
  pdf.Object(6, "<< /Kids 4 0 R >>").WrongOffset(6, 999999);
  const std::unique_ptr<Document> document = testing::OpenDocumentBytes(pdf.Build());
  for (const int32_t n : {4, 6}) {
    EXPECT_EQ(document->Objects().Object(n), nullptr) << n;
    EXPECT_EQ(document->Objects().ObjectText(n), std::nullopt) << n;
    EXPECT_EQ(document->Objects().FollowReferences(PdfReference{n, 0}), std::nullopt) << n;
  }
}


FilterParameters Parameters(int32_t predictor, int32_t colors, int32_t bits, int32_t columns,
                            int32_t early_change = 1) {
  return {.predictor = predictor,
          .colors = colors,
          .bits_per_component = bits,
          .columns = columns,
          .early_change = early_change};
}

// The filters of a stream dictionary with their parameters, direct or by reference: a lone
// dictionary belongs to the first filter, an array may hold nulls and be shorter than the
// filters, a reference that leads nowhere and a value that is no integer give the defaults,
// and /F and /DP, which name a file and an inline image's parameters, are not read.
TEST(ObjectResolver, StreamFiltersAndTheirParameters) {
  testing::PdfBuilder pdf = testing::PagesShowing({});
  pdf.Object(10, "[/ASCII85Decode /LZWDecode /FlateDecode]")
      .Object(11, "[null 12 0 R 13 0 R]")
      .Object(12, "<< /EarlyChange 0 >>")
      .Object(13, "14 0 R")
      .Object(14, "<< /Predictor 15 /Columns 15 0 R >>")
      .Object(15, "7");
  const std::unique_ptr<Document> document = testing::OpenDocumentBytes(pdf.Build());
  const auto filters = [&document](const std::string& dictionary) {
    return document->Objects().StreamFilters(*Parse(dictionary).Dictionary());
  };
  using ::testing::ElementsAre;

  FilterChain chain = filters(
      "<< /Filter /FlateDecode /DecodeParms << /Predictor 12 /Colors 3 /BitsPerComponent 16 "
      "/Columns 5 /EarlyChange 0 /K -1 >> >>");
  EXPECT_THAT(chain.names, ElementsAre("/FlateDecode"));
  EXPECT_THAT(chain.parameters, ElementsAre(Parameters(12, 3, 16, 5, 0)));

  chain = filters("<< /Filter 10 0 R /DecodeParms 11 0 R >>");
  EXPECT_THAT(chain.names, ElementsAre("/ASCII85Decode", "/LZWDecode", "/FlateDecode"));
  EXPECT_THAT(chain.parameters, ElementsAre(FilterParameters{}, Parameters(1, 1, 8, 1, 0),
                                            Parameters(15, 1, 8, 7)));

  chain = filters("<< /Filter [/FlateDecode /ASCIIHexDecode] /DecodeParms << /Predictor 10 >> >>");
  EXPECT_THAT(chain.parameters, ElementsAre(Parameters(10, 1, 8, 1), FilterParameters{}));
  chain = filters(
      "<< /Filter [/FlateDecode /RunLengthDecode] /DecodeParms [<< /Colors /Three >>] >>");
  EXPECT_THAT(chain.parameters, ElementsAre(Parameters(1, 0, 8, 1), FilterParameters{}));
  chain = filters("<< /Filter /FlateDecode /DecodeParms 30 0 R >>");
  EXPECT_THAT(chain.parameters, ElementsAre(FilterParameters{}));

  chain = filters("<< /F /FlateDecode /DP << /Columns 4 >> /Length 3 >>");
  EXPECT_TRUE(chain.names.empty());
  EXPECT_TRUE(chain.parameters.empty());
}

}  // namespace
}  // namespace lumenquill
