#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "reader/open_document.h"
#include "reader/pdf_analyst.h"
#include "reader/reading_primitives.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::Open;
using testing::PdfBuilder;

class ObjectStore : public ::testing::Test {
 protected:
  void SetUp() override {
    PdfBuilder pdf;
    pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
        .Object(3, "<< /Type /Page /Parent 2 0 R >>")
        .Object(4, "<< /Length 5 0 R >>\nstream\nabcdefghijkl\nendstream")
        .Object(5, "12")
        .Object(6, "[3 0 R 7 0 R]")
        .Object(7, "<< /Kind (not an array) >>")
        .Object(8, "[/FlateDecode]")
        .Object(9, "[]")
        .Object(10, "0")
        .Free(11)
        .Object(12, "<< /Length 3 >>\nstream\nabcdefg endobj\nendstream")
        .Object(13, "-7")
        .Trailer("/Root 1 0 R");
    bytes_ = pdf.Build();
    Open(reader_, bytes_);
  }

  // A memory stream holding text to read values from.
  static MemoryStream Text(const std::string& text) { return MemoryStream(text + " endobj\n"); }

  // What one of the list readers appends for the text; the stream is left where it was.
  template <typename List>
  List ListOf(void (TPDFAnalyst::*read_list)(ByteStream&, List&), const std::string& text) {
    MemoryStream stream = Text(text);
    List list;
    (reader_.*read_list)(stream, list);
    EXPECT_EQ(stream.Position(), 0);
    return list;
  }
  ObjectNumberList RefList(const std::string& text) {
    return ListOf(&TPDFAnalyst::ReadRefList, text);
  }
  StringList NameList(const std::string& text) { return ListOf(&TPDFAnalyst::ReadNameList, text); }

  int32_t Integer(const std::string& text) {
    MemoryStream stream = Text(text);
    const int32_t value = reader_.ReadIntegerValue(stream);
    EXPECT_EQ(stream.Position(), 0);
    return value;
  }

  std::string bytes_;
  TPDFAnalyst reader_;
};

TEST_F(ObjectStore, ValidObjectNumbers) {
  EXPECT_EQ(reader_.ObjectCount(), 14);
  EXPECT_TRUE(reader_.IsValidObjectNumber(0));
  EXPECT_TRUE(reader_.IsValidObjectNumber(13));
  EXPECT_FALSE(reader_.IsValidObjectNumber(14));
  EXPECT_FALSE(reader_.IsValidObjectNumber(-1));
  EXPECT_TRUE(reader_.IsValidObjectRef("13"));
  EXPECT_FALSE(reader_.IsValidObjectRef("R"));
  EXPECT_FALSE(TPDFAnalyst().IsValidObjectNumber(0));
}

TEST_F(ObjectStore, CheckObjectNumberMessages) {
  try {
    reader_.CheckObjectNumber(14);
    FAIL();
  } catch (const IndexError& error) {
    EXPECT_STREQ(error.what(), "Indexの指定が不正です。(14)");
  }
  // Both are faults of the caller, not of a file.
  static_assert(!std::is_base_of_v<Error, IndexError>);
  EXPECT_THROW(TPDFAnalyst().CheckObjectNumber(0), std::logic_error);
}

// The copy runs from the header to the end of "endobj", plus one LF; stream data whose
// /Length comes by reference is skipped without being read as tokens.
TEST_F(ObjectStore, GetObjectStreamCopiesTheWholeObject) {
  const std::string object4 =
      "4 0 obj\n<< /Length 5 0 R >>\nstream\nabcdefghijkl\nendstream\nendobj";
  EXPECT_EQ(reader_.GetObjectSize(4), static_cast<int32_t>(object4.size()));
  const auto copy = reader_.GetObjectStream(4);
  EXPECT_EQ(copy->Bytes(), object4 + "\n");
  EXPECT_EQ(copy->Position(), 0);
}

// A /Length smaller than the data lets the rest of the data be read as tokens, so an
// "endobj" inside the data ends the object there.
TEST_F(ObjectStore, AShortLengthReadsTheDataAsTokens) {
  const auto copy = reader_.GetObjectStream(12);
  EXPECT_EQ(copy->Bytes(), "12 0 obj\n<< /Length 3 >>\nstream\nabcdefg endobj\n");
}

TEST_F(ObjectStore, FreeObjectsCannotBeCopied) {
  EXPECT_EQ(reader_.GetObjectSize(11), 0);
  EXPECT_FALSE(reader_.ReadObjectBytes(11, 10).has_value());
  EXPECT_FALSE(reader_.ReadObjectBytes(5, 0).has_value());
  try {
    reader_.GetObjectStream(11);
    FAIL();
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "オブジェクトの取得に失敗しました。");
  }
}

TEST_F(ObjectStore, ReadIntegerValueDirectOrByReference) {
  EXPECT_EQ(Integer("1234 /Filter"), 1234);
  EXPECT_EQ(Integer("-5 /Filter"), -5);
  EXPECT_EQ(Integer("5 0 R"), 12);
  EXPECT_EQ(Integer("10 0 R"), 0);  // the object holds 0
  EXPECT_EQ(Integer("13 0 R"), 0);  // only positive integers are found in objects
  EXPECT_EQ(Integer("99 0 R"), 0);  // outside the table
  EXPECT_EQ(Integer("/Name 1 2"), 0);
  MemoryStream truncated("12");
  EXPECT_EQ(reader_.ReadIntegerValue(truncated), 0);
}

TEST_F(ObjectStore, ReadRefListForms) {
  EXPECT_THAT(RefList("[3 0 R 4 0 R]"), ElementsAre(3, 4));
  EXPECT_THAT(RefList("6 0 R"), ElementsAre(3, 7));  // a referenced array
  EXPECT_THAT(RefList("7 0 R"), ElementsAre(7));     // a referenced dictionary
  EXPECT_THAT(RefList("9 0 R"), ElementsAre(9));     // an empty array
  EXPECT_THAT(RefList("99 0 R"), IsEmpty());
  EXPECT_THAT(RefList("[3 0 R 99 0 R 4 0 R]"), ElementsAre(3, 4));
}

TEST_F(ObjectStore, ReadRefArrayObjectNeedsAWholeGroup) {
  ObjectNumberList list;
  EXPECT_TRUE(reader_.ReadRefArrayObject(6, list));
  EXPECT_FALSE(reader_.ReadRefArrayObject(9, list));
  EXPECT_FALSE(reader_.ReadRefArrayObject(7, list));
  EXPECT_THAT(list, ElementsAre(3, 7));
}

TEST_F(ObjectStore, ReadNameListForms) {
  EXPECT_THAT(NameList("/FlateDecode"), ElementsAre("/FlateDecode"));
  EXPECT_THAT(NameList("[/ASCII85Decode /FlateDecode]"),
              ElementsAre("/ASCII85Decode", "/FlateDecode"));
  EXPECT_THAT(NameList("8 0 R"), ElementsAre("/FlateDecode"));
  EXPECT_THAT(NameList("(text)"), IsEmpty());
}

// Chains of references are followed to the value; a loop of references ends with no value.
TEST(ObjectStoreReferences, ChainsAreFollowedAndLoopsEnd) {
  TPDFAnalyst reader;
  Open(reader, testing::TreeDocument("<< /Type /Pages /Kids 10 0 R >>", {{3, "<< /Type /Page >>"},
                                                                         {4, "5 0 R"},
                                                                         {5, "12"},
                                                                         {6, "7 0 R"},
                                                                         {7, "6 0 R"},
                                                                         {8, "9 0 R"},
                                                                         {9, "/FlateDecode"},
                                                                         {10, "11 0 R"},
                                                                         {11, "[3 0 R]"}}));
  const auto read = [](const std::string& text, auto read_value) {
    MemoryStream stream(text + " endobj\n");
    return read_value(stream);
  };
  const auto integer = [&](ByteStream& stream) { return reader.ReadIntegerValue(stream); };
  const auto names = [&](ByteStream& stream) {
    StringList list;
    reader.ReadNameList(stream, list);
    return list;
  };
  const auto refs = [&](ByteStream& stream) {
    ObjectNumberList list;
    reader.ReadRefList(stream, list);
    return list;
  };
  EXPECT_EQ(read("4 0 R", integer), 12);
  EXPECT_EQ(read("6 0 R", integer), 0);
  EXPECT_THAT(read("8 0 R", names), ElementsAre("/FlateDecode"));
  EXPECT_THAT(read("6 0 R", names), IsEmpty());
  EXPECT_THAT(read("10 0 R", refs), ElementsAre(3));
  EXPECT_THAT(read("6 0 R", refs), IsEmpty());
  EXPECT_EQ(reader.PageCount(), 1);
}

// Operations on the shared file stream put its position back.
TEST_F(ObjectStore, OperationsSetTheFilePositionBack) {
  ByteStream& file = *reader_.Stream();
  file.SetPosition(17);
  reader_.GetObjectSize(4);
  reader_.GetObjectStream(6);
  reader_.GetIntegerObject(5);
  ObjectNumberList list;
  reader_.ReadRefArrayObject(6, list);
  MemoryStream reference = Text("5 0 R");
  EXPECT_EQ(reader_.FollowReferences(reference), 5);
  EXPECT_EQ(file.Position(), 17);
}

// An object number inside the table that no section listed is never read outside the file.
TEST(ObjectStoreDamage, UnlistedObjectsReadNothing) {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
      .Object(6, "<< /Kids 4 0 R >>")
      .Trailer("/Root 1 0 R")
      .WrongOffset(6, 999999);
  TPDFAnalyst reader;
  Open(reader, pdf.Build());
  ASSERT_EQ(reader.GetOffsets()[4], -1);
  for (const int32_t n : {4, 6}) {
    EXPECT_EQ(reader.GetObjectSize(n), 0);
    EXPECT_THROW(reader.GetObjectStream(n), Error);
    EXPECT_EQ(reader.GetIntegerObject(n), 0);
    ObjectNumberList list;
    EXPECT_FALSE(reader.ReadRefArrayObject(n, list));
    MemoryStream reference(std::to_string(n) + " 0 R endobj\n");
    EXPECT_EQ(reader.FollowReferences(reference), TPDFAnalyst::kNoValue);
  }
}

}  // namespace
}  // namespace lumenquill
