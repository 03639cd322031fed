#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/locked_file.h"
#include "reader/file_stream.h"
#include "reader/memory_stream.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

TEST(MemoryStream, StrictReadsRaiseAtTheEndWithoutMoving) {
  MemoryStream stream("abc");
  char bytes[4] = {};
  EXPECT_THROW(stream.ReadExact(bytes, 4), ReadError);
  EXPECT_EQ(stream.Position(), 0);
  stream.ReadExact(bytes, 3);
  EXPECT_EQ(std::string(bytes, 3), "abc");
  EXPECT_THROW(stream.ReadByte(), ReadError);
}

TEST(MemoryStream, LenientReadsReturnWhatIsLeft) {
  MemoryStream stream("abc");
  stream.SetPosition(1);
  EXPECT_EQ(stream.Peek(8), "bc");
  EXPECT_EQ(stream.Rest(), "bc");
  EXPECT_EQ(stream.Peek(-1), "");
  stream.Move(2);
  EXPECT_EQ(stream.Peek(8), "");
  uint8_t byte = 0;
  EXPECT_FALSE(stream.TryReadByte(byte));
}

// Offsets from a damaged file may point anywhere: outside the data nothing is read.
TEST(MemoryStream, PositionsOutsideTheDataReadNothing) {
  MemoryStream stream("abc");
  for (const int64_t position : {int64_t{-1}, int64_t{3}, int64_t{1} << 40}) {
    stream.SetPosition(position);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_THROW(stream.ReadByte(), ReadError);
    EXPECT_TRUE(stream.Peek(2).empty());
    EXPECT_NE(stream.Rest().data(), nullptr);  // empty views can still be copied from
  }
}

TEST(MemoryStream, WritesOverwriteExtendAndPad) {
  MemoryStream stream;
  stream.Write("hello");
  stream.SetPosition(1);
  stream.Write("EY");
  EXPECT_EQ(stream.Bytes(), "hEYlo");
  stream.SetPosition(7);
  stream.Write("!");
  EXPECT_EQ(stream.Bytes(), std::string("hEYlo\0\0!", 8));
  EXPECT_EQ(stream.Position(), 8);
}

TEST(FileStream, HoldsTheWholeFile) {
  testing::TempFile file(std::string("%PDF\0tail", 9));
  FileStream stream(file.path());
  EXPECT_EQ(stream.Bytes(), std::string("%PDF\0tail", 9));
}

TEST(FileStream, AMissingFileRaisesTheOpenError) {
  testing::TempFile folder("");
  EXPECT_THROW(FileStream(folder.path() + ".missing"), FileOpenError);
}

// While the document is open, no other writer can lock it; afterwards one can.
TEST(FileStream, DeniesOtherWritersWhileOpen) {
  testing::TempFile file("%PDF-1.4\n");
  {
    FileStream stream(file.path());
    EXPECT_EQ(LockedFile::ProbeWriteLock(file.path()), LockedFile::WriteLock::kHeldElsewhere);
  }
  EXPECT_EQ(LockedFile::ProbeWriteLock(file.path()), LockedFile::WriteLock::kAvailable);
}

}  // namespace
}  // namespace lumenquill
