#include "reader/reading_primitives.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <fstream>

#include "reader/check_file_writable.h"
#include "reader/memory_stream.h"
#include "reader/pdf_strings.h"
#include "reader/rectangle.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;

// Every token from the position up to the end of the data (the read error there ends the list).
std::vector<std::string> RemainingTokens(MemoryStream& stream) {
  std::vector<std::string> tokens;
  std::string token;
  try {
    for (;;) {
      ReadToken(stream, token);
      tokens.push_back(token);
    }
  } catch (const ReadError&) {
  }
  return tokens;
}

std::vector<std::string> AllTokens(const std::string& bytes) {
  MemoryStream stream(bytes);
  return RemainingTokens(stream);
}

// The token white space is narrower than the object stream header's; hex digits take both cases.
TEST(ByteClasses, WhiteSpaceDigitsAndDelimiters) {
  for (const uint8_t byte : {'\t', '\f', '\0'}) {
    EXPECT_FALSE(IsTokenWhiteSpace(byte));
    EXPECT_TRUE(IsAnyWhiteSpace(byte));
  }
  for (const uint8_t byte : {'\n', '\r', ' '}) {
    EXPECT_TRUE(IsTokenWhiteSpace(byte) && IsAnyWhiteSpace(byte) && IsTokenDelimiter(byte));
  }
  EXPECT_TRUE(IsTokenDelimiter('%') && IsTokenDelimiter(']') && !IsTokenDelimiter('{'));
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('g'), -1);
  EXPECT_TRUE(IsDecimalDigit('9') && !IsOctalDigit('8') && !IsDecimalDigit('/'));
}

// Delimiters split tokens; only LF, CR and space are white space.
TEST(ReadToken, SplitsAtDelimitersAndWhiteSpace) {
  EXPECT_THAT(AllTokens("<</Type/Page>>\n"), ElementsAre("<", "<", "/Type", "/Page", ">", ">"));
  EXPECT_THAT(AllTokens("obj<< "), ElementsAre("obj", "<", "<"));
  EXPECT_THAT(AllTokens("12 0 R\r\n-3.5 "), ElementsAre("12", "0", "R", "-3.5"));
  EXPECT_THAT(AllTokens("[1 2]\n"), ElementsAre("[", "1", "2", "]"));
  EXPECT_THAT(AllTokens("<48656C6C6F> "), ElementsAre("<", "48656C6C6F", ">"));
  EXPECT_THAT(AllTokens("/Pages "), ElementsAre("/Pages"));
}

TEST(ReadToken, TabsNulsAndBracesAreOrdinaryBytes) {
  EXPECT_THAT(AllTokens("1\t2 "), ElementsAre("1\t2"));
  EXPECT_THAT(AllTokens(std::string("a\0b ", 4)), ElementsAre(std::string("a\0b", 3)));
  EXPECT_THAT(AllTokens("{x} "), ElementsAre("{x}"));
  EXPECT_THAT(AllTokens("\x82\xA0\x82\xA2 "), ElementsAre("\x82\xA0\x82\xA2"));
}

TEST(ReadToken, NamesStartAtTheirSlash) {
  EXPECT_THAT(AllTokens("/[ "), ElementsAre("/", "["));
  EXPECT_THAT(AllTokens("/A/B "), ElementsAre("/A", "/B"));
  EXPECT_THAT(AllTokens("x/A "), ElementsAre("x", "/A"));
}

TEST(ReadToken, LeavesThePositionOnTheFollowingByte) {
  MemoryStream stream("stream\r\ndata");
  std::string token;
  ReadToken(stream, token);
  EXPECT_EQ(token, "stream");
  EXPECT_EQ(stream.Position(), 6);  // on the CR after the keyword

  MemoryStream comment("%comment\n1 ");
  ReadToken(comment, token);
  EXPECT_EQ(token, "%");
  SkipLine(comment);
  ReadToken(comment, token);
  EXPECT_EQ(token, "1");
}

// The last token must be followed by a delimiter, or reading it runs into the end.
TEST(ReadToken, RaisesAtTheEndOfTheStream) {
  std::string token;
  MemoryStream unterminated("endobj");
  EXPECT_THROW(ReadToken(unterminated, token), ReadError);
  MemoryStream blank("  \r\n");
  EXPECT_THROW(ReadToken(blank, token), ReadError);
}

// The content loops meet the end as an empty token, the position then at the end; a delimiter
// needs nothing after it.
TEST(NextTokenOrEnd, EndsWithAnEmptyTokenAtTheEnd) {
  MemoryStream unterminated("Tj ET");
  EXPECT_EQ(NextTokenOrEnd(unterminated), "Tj");
  EXPECT_EQ(NextTokenOrEnd(unterminated), "");
  EXPECT_EQ(unterminated.Position(), 5);
  MemoryStream delimiter_last(" [");
  EXPECT_EQ(NextTokenOrEnd(delimiter_last), "[");
  EXPECT_EQ(NextTokenOrEnd(delimiter_last), "");
  MemoryStream outside("x ");
  outside.SetPosition(-3);
  EXPECT_EQ(NextTokenOrEnd(outside), "");
  EXPECT_EQ(outside.Position(), -3);
}

// The cursor reads what NextTokenOrEnd would; the stream follows it only on Sync, and Resume
// takes up wherever another reader left the stream.
TEST(TokenCursor, HandsTheStreamOverAndTakesItBack) {
  MemoryStream stream("BT (a) Tj /F1 9 Tf ET\n");
  TokenCursor cursor(stream);
  EXPECT_EQ(cursor.NextOrEnd(), "BT");
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(cursor.NextOrEnd(), "(");
  cursor.Sync();
  EXPECT_EQ(stream.Position(), 4);
  SkipLiteralString(stream);
  cursor.Resume();
  std::vector<std::string> rest;
  for (std::string_view token = cursor.NextOrEnd(); !token.empty(); token = cursor.NextOrEnd()) {
    rest.emplace_back(token);
  }
  EXPECT_THAT(rest, ElementsAre("Tj", "/F1", "9", "Tf", "ET"));
  cursor.Sync();
  EXPECT_TRUE(stream.AtEnd());
}

TEST(SkipLine, ConsumesOnlyTheCrOfCrLf) {
  MemoryStream stream("abc\r\nx");
  SkipLine(stream);
  EXPECT_EQ(stream.Position(), 4);
  MemoryStream no_end("abc");
  EXPECT_THROW(SkipLine(no_end), ReadError);
}

// Where SkipLiteralString leaves the stream: the rest of the data as tokens.
std::vector<std::string> TokensAfterString(const std::string& body) {
  MemoryStream stream(body + " ");
  SkipLiteralString(stream);
  return RemainingTokens(stream);
}

// Parentheses are not counted; an escaped one never ends the string.
TEST(SkipLiteralString, EndsAtTheFirstUnescapedParenthesis) {
  EXPECT_THAT(TokensAfterString("a\\)b) next"), ElementsAre("next"));
  EXPECT_THAT(TokensAfterString("a(b)c)"), ElementsAre("c", ")"));
  EXPECT_THAT(TokensAfterString("\\\\) next"), ElementsAre("next"));
}

// A numeric escape takes up to two more digits; the byte after it is an ordinary byte.
TEST(SkipLiteralString, NumericEscapes) {
  EXPECT_THAT(TokensAfterString("\\101) next"), ElementsAre("next"));
  EXPECT_THAT(TokensAfterString("\\1) next"), ElementsAre("next"));
  EXPECT_THAT(TokensAfterString("\\1\\)) next"), ElementsAre("next"));
  EXPECT_THAT(TokensAfterString("\\1234) next"), ElementsAre("next"));
}

TEST(SkipLiteralString, LineContinuations) {
  EXPECT_THAT(TokensAfterString("a\\\r\nb) next"), ElementsAre("next"));
  EXPECT_THAT(TokensAfterString("a\\\r) next"), ElementsAre("next"));
  EXPECT_THAT(TokensAfterString("a\\\n) next"), ElementsAre("next"));
}

TEST(SkipLiteralString, StopsQuietlyAtTheEnd) {
  MemoryStream stream("never closed \\");
  SkipLiteralString(stream);
  EXPECT_TRUE(stream.AtEnd());
}

Rectangle Parsed(const std::string& text) {
  Rectangle rect{9, 9, 9, 9};
  ParseRect(text, rect);
  return rect;
}

TEST(ParseRect, ReadsFourRoundedNumbers) {
  EXPECT_EQ(Parsed("[0 0 612 792]"), (Rectangle{0, 0, 612, 792}));
  EXPECT_EQ(Parsed("  [ 0 0 595.2756 841.8898 ]"), (Rectangle{0, 0, 595, 842}));
  // Halves go to the even neighbour.
  EXPECT_EQ(Parsed("[0.5 1.5 2.5 -3.7]"), (Rectangle{0, 2, 2, -4}));
  EXPECT_EQ(Parsed("[+3 -0.5 1e2 3.5]"), (Rectangle{3, 0, 100, 4}));
}

TEST(ParseRect, MissingAndSkippedNumbers) {
  EXPECT_EQ(Parsed("[0 0 612]"), (Rectangle{0, 0, 612, 0}));
  EXPECT_EQ(Parsed("[0 0 abc 792]"), (Rectangle{0, 0, 792, 0}));
  EXPECT_EQ(Parsed("[.5 1 2 3]"), (Rectangle{5, 1, 2, 3}));
  EXPECT_EQ(Parsed(""), (Rectangle{0, 0, 0, 0}));
}

TEST(ParseRect, AnyFailedNumberZeroesEverything) {
  EXPECT_EQ(Parsed("[1 2 612x 792]"), (Rectangle{0, 0, 0, 0}));
  EXPECT_EQ(Parsed("[1 2 3 -]"), (Rectangle{0, 0, 0, 0}));
  EXPECT_EQ(Parsed("[1 2 3 1e300]"), (Rectangle{0, 0, 0, 0}));
}

TEST(CheckFileWritable, AMissingFileIsWritableAndIsNotCreated) {
  testing::TempFile folder("");
  const std::string missing = folder.path() + ".txt";
  EXPECT_NO_THROW(CheckFileWritable(missing));
  EXPECT_FALSE(std::ifstream(missing).good());
}

TEST(CheckFileWritable, AnOrdinaryFileIsWritableAndUntouched) {
  testing::TempFile file("content", "out.txt");
  EXPECT_NO_THROW(CheckFileWritable(file.path()));
  EXPECT_EQ(testing::ReadWholeFile(file.path()), "content");
}

#ifndef _WIN32
// A FIFO without a reader is refused at once instead of waiting for one.
TEST(CheckFileWritable, RefusesAFifoWithoutWaiting) {
  testing::TempFile file("", "anchor");
  const std::string fifo = file.path() + ".txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_THROW(CheckFileWritable(fifo), FileCreateError);
}
#endif

}  // namespace
}  // namespace lumenquill
