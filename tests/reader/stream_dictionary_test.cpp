#include "reader/stream_dictionary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "open_document.h"
#include "reader/reading_primitives.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Objects = std::vector<std::pair<int32_t, std::string>>;

// Reads stream dictionaries as the readers of stream objects do: every key goes to ReadEntry.
class StreamDictionaryTest : public ::testing::Test {
 protected:
  // Opens a one-page document that also holds objects (numbered from 4), then reads the
  // dictionary entries of body; returns the tokens ReadEntry gave back, up to the ">>".
  StringList Scan(const std::string& body, const Objects& objects = {}) {
    Objects all = objects;
    all.emplace_back(3, "<< /Type /Page /Parent 2 0 R >>");
    testing::Open(reader_, testing::TreeDocument("<< /Type /Pages /Kids [3 0 R] /Count 1 >>", all));
    MemoryStream stream(body + " >>\nstream\n");
    dictionary_.emplace(reader_);
    StringList others;
    std::string token;
    for (;;) {
      ReadTokenPastStringsAndComments(stream, token);
      if (token == ">") break;
      if (!dictionary_->ReadEntry(token, stream)) others.push_back(token);
    }
    EXPECT_EQ(stream.Peek(9), ">\nstream\n");
    return others;
  }

  FilterChain Filters() const { return dictionary_->Filters(); }

  TPDFAnalyst reader_;
  std::optional<StreamDictionary> dictionary_;
};

FilterParameters Parameters(int32_t predictor, int32_t colors, int32_t bits, int32_t columns,
                            int32_t early_change = 1) {
  return {.predictor = predictor,
          .colors = colors,
          .bits_per_component = bits,
          .columns = columns,
          .early_change = early_change};
}

TEST_F(StreamDictionaryTest, DirectValuesAndTheOtherKeys) {
  EXPECT_THAT(Scan("/Type /XObject /Length 12 /Filter /FlateDecode /DecodeParms << /Predictor 12 "
                   "/Colors 3 /BitsPerComponent 16 /Columns 5 /EarlyChange 0 /K -1 >> "
                   "/Subtype /Form"),
              ElementsAre("/Type", "/XObject", "/Subtype", "/Form"));
  EXPECT_EQ(dictionary_->Length(), 12);
  EXPECT_THAT(Filters().names, ElementsAre("/FlateDecode"));
  EXPECT_THAT(Filters().parameters, ElementsAre(Parameters(12, 3, 16, 5, 0)));

  // Nothing given: no data, no filters.
  EXPECT_THAT(Scan("/Type /Metadata"), ElementsAre("/Type", "/Metadata"));
  EXPECT_EQ(dictionary_->Length(), 0);
  EXPECT_THAT(Filters().names, IsEmpty());
  EXPECT_THAT(Filters().parameters, IsEmpty());

  // /F names an external file and /DP belongs to inline images: neither is read here. The
  // parameters may come before the filters.
  EXPECT_THAT(Scan("/DecodeParms << /Columns 4 >> /F (file) /DP 7 /Filter [/LZWDecode]"),
              ElementsAre("/F", "/DP", "7"));
  EXPECT_THAT(Filters().names, ElementsAre("/LZWDecode"));
  EXPECT_THAT(Filters().parameters, ElementsAre(Parameters(1, 1, 8, 4)));
}

TEST_F(StreamDictionaryTest, ValuesByReference) {
  EXPECT_THAT(Scan("/Length 4 0 R /Filter 5 0 R /DecodeParms 6 0 R /Subtype /Image",
                   {{4, "42"},
                    {5, "[/ASCII85Decode /LZWDecode /FlateDecode]"},
                    {6, "[null 7 0 R 8 0 R]"},
                    {7, "<< /EarlyChange 0 >>"},
                    {8, "9 0 R"},
                    {9, "<< /Predictor 15 /Columns 10 0 R >>"},
                    {10, "7"}}),
              ElementsAre("/Subtype", "/Image"));
  EXPECT_EQ(dictionary_->Length(), 42);
  EXPECT_THAT(Filters().names, ElementsAre("/ASCII85Decode", "/LZWDecode", "/FlateDecode"));
  EXPECT_THAT(Filters().parameters,
              ElementsAre(FilterParameters{}, Parameters(1, 1, 8, 1, 0), Parameters(15, 1, 8, 7)));

  // References that lead nowhere give the defaults.
  EXPECT_THAT(Scan("/Length 30 0 R /Filter /FlateDecode /DecodeParms 30 0 R /N 2"),
              ElementsAre("/N", "2"));
  EXPECT_EQ(dictionary_->Length(), 0);
  EXPECT_THAT(Filters().parameters, ElementsAre(FilterParameters{}));
}

TEST_F(StreamDictionaryTest, ArraysNullsAndOddShapes) {
  // A parameter array shorter than the filters, with a null; a key met again replaces.
  Scan(
      "/Filter /ASCIIHexDecode /Filter [/FlateDecode /RunLengthDecode /LZWDecode] "
      "/DecodeParms [<< /Predictor 2 /Colors 3 >> null]");
  EXPECT_THAT(Filters().names, ElementsAre("/FlateDecode", "/RunLengthDecode", "/LZWDecode"));
  EXPECT_THAT(Filters().parameters,
              ElementsAre(Parameters(2, 3, 8, 1), FilterParameters{}, FilterParameters{}));

  // null alone; a lone dictionary with an array of filters belongs to the first.
  Scan("/Filter /FlateDecode /DecodeParms null");
  EXPECT_THAT(Filters().parameters, ElementsAre(FilterParameters{}));
  Scan("/Filter [/FlateDecode /ASCIIHexDecode] /DecodeParms << /Predictor 10 >>");
  EXPECT_THAT(Filters().parameters, ElementsAre(Parameters(10, 1, 8, 1), FilterParameters{}));

  // Nested values, strings and comments inside the parameters are passed over whole; values
  // that are no integers count as 0.
  EXPECT_THAT(Scan("/Filter /FlateDecode /DecodeParms << /X << /Columns 9 >> /S (>>) % >>\n"
                   "/Predictor 11 /Colors /Three /Columns 3 >> /Next 1"),
              ElementsAre("/Next", "1"));
  EXPECT_THAT(Filters().parameters, ElementsAre(Parameters(11, 0, 8, 3)));

  // Past four entries nothing is kept, but the array is still passed over.
  EXPECT_THAT(Scan("/Filter /FlateDecode /DecodeParms [null null null null << /Columns 2 >> "
                   "<< /Columns 3 >>] /Last true"),
              ElementsAre("/Last", "true"));
  EXPECT_THAT(Filters().parameters, ElementsAre(FilterParameters{}));

  // A missing value leaves the dictionary's end to the caller.
  EXPECT_THAT(Scan("/Filter /FlateDecode /DecodeParms"), IsEmpty());
  EXPECT_THAT(Filters().parameters, ElementsAre(FilterParameters{}));
}

}  // namespace
}  // namespace lumenquill
