#include "reader/predictor.h"

#include <gtest/gtest.h>

namespace lumenquill {
namespace {

std::string Undo(const FilterParameters& parameters, const std::string& input) {
  MemoryStream dest;
  UndoPredictor(parameters, input, dest);
  return std::string(dest.Bytes());
}

FilterParameters Png(int32_t columns, int32_t colors = 1, int32_t bits = 8) {
  return {.predictor = 12, .colors = colors, .bits_per_component = bits, .columns = columns};
}

TEST(UndoPredictor, PngRowTypes) {
  // Row 1 none, row 2 up, row 3 sub, row 4 average, row 5 Paeth; 3 columns of 1 byte.
  const std::string input = std::string("\x00\x01\x02\x03", 4) +
                            std::string("\x02\x01\x01\x01", 4) +
                            std::string("\x01\x05\x01\x01", 4) +
                            std::string("\x03\x02\x02\x02", 4) + std::string("\x04\x01\x00\x00", 4);
  // none: 1 2 3; up: 2 3 4; sub: 5 6 7; average: 2+5/2=4, 2+(4+6)/2=7, 2+(7+7)/2=9;
  // Paeth: 1+4=5, then left 5 up 7 upleft 4 -> p=8, nearest is up 7; then left 7 up 9 upleft 7
  // -> p=9, up 9.
  EXPECT_EQ(Undo(Png(3), input), std::string("\x01\x02\x03\x02\x03\x04\x05\x06\x07\x04\x07\x09"
                                             "\x05\x07\x09",
                                             15));
}

TEST(UndoPredictor, PngCrossReferenceRowsWithUpPredictor) {
  // The shape qpdf and Acrobat write for cross-reference streams: /Columns 4 /Predictor 12.
  const std::string input =
      std::string("\x02\x01\x00\x10\x00", 5) + std::string("\x02\x00\x00\x05\x00", 5);
  EXPECT_EQ(Undo(Png(4), input), std::string("\x01\x00\x10\x00\x01\x00\x15\x00", 8));
}

TEST(UndoPredictor, PngMultiByteSamplesAndShortLastRow) {
  // Two colours of 16 bits: sub looks back four bytes.
  const std::string input = std::string("\x01\x01\x02\x03\x04\x01\x01\x01\x01\x00\x09", 11);
  EXPECT_EQ(Undo(Png(2, 2, 16), input), std::string("\x01\x02\x03\x04\x02\x03\x04\x05\x09", 9));
}

TEST(UndoPredictor, TiffHorizontalDifferencing) {
  FilterParameters tiff{.predictor = 2, .colors = 3, .columns = 2};
  EXPECT_EQ(Undo(tiff, std::string("\x10\x20\x30\x01\x02\xFF", 6)),
            std::string("\x10\x20\x30\x11\x22\x2F", 6));
  // Four-bit samples: 1, +1, +1, +15 (wraps) -> 1 2 3 2.
  FilterParameters nibbles{.predictor = 2, .bits_per_component = 4, .columns = 4};
  EXPECT_EQ(Undo(nibbles, "\x11\x1F"), "\x12\x32");
  FilterParameters wide{.predictor = 2, .bits_per_component = 16, .columns = 2};
  EXPECT_EQ(Undo(wide, std::string("\x01\xFF\x00\x02", 4)), std::string("\x01\xFF\x02\x01", 4));
}

TEST(UndoPredictor, NoPredictorCopies) { EXPECT_EQ(Undo(FilterParameters{}, "abc"), "abc"); }

TEST(UndoPredictor, DamagedParametersAndRowTypesFail) {
  MemoryStream dest;
  for (const FilterParameters& bad : {FilterParameters{.predictor = 7}, Png(0), Png(1, 0),
                                      Png(1, 33), Png(1, 1, 3), Png(1'000'000)}) {
    EXPECT_THROW(UndoPredictor(bad, std::string(16, '\0'), dest), Error);
  }
  EXPECT_TRUE(dest.Bytes().empty());
  // Row type 5 does not exist: the row before it is kept.
  EXPECT_THROW(UndoPredictor(Png(1),
                             std::string("\x00"
                                         "a"
                                         "\x05"
                                         "b",
                                         4),
                             dest),
               Error);
  EXPECT_EQ(dest.Bytes(), "a");
}

}  // namespace
}  // namespace lumenquill
