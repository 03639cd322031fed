#include "reader/lzw_decode.h"

#include <gtest/gtest.h>

#include "reader/flate_decode.h"
#include "support/lzw_codes.h"

namespace lumenquill {
namespace {

using testing::PackedCodes;
using Codes = std::vector<std::pair<int, int>>;

std::string Unpacked(const std::string& input, bool* failed = nullptr) {
  MemoryStream dest;
  try {
    DecodeLZW(input, dest);
    if (failed) *failed = false;
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "LZW圧縮を正常に展開できませんでした。");
    if (failed) *failed = true;
  }
  return std::string(dest.Bytes());
}

// The width of the nth code after a clear-table code when every code so far added an entry:
// the table's next free entry is 257 + n, and codes widen one entry before 512, 1024, 2048.
int WidthAfterClear(int n) {
  if (n <= 254) return 9;
  if (n <= 766) return 10;
  if (n <= 1790) return 11;
  return 12;
}

// A clear-table code, then one literal code for each byte of text, with their widths.
Codes Literals(const std::string& text) {
  Codes codes{{256, 9}};
  for (const unsigned char byte : text) {
    codes.emplace_back(byte, WidthAfterClear(static_cast<int>(codes.size())));
  }
  return codes;
}

// count bytes of varied values.
std::string Varied(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += static_cast<char>((i * 7 + i / 256) & 0xFF);
  return text;
}

TEST(DecodeLZW, KnownVector) {
  const std::string packed = "\x80\x0B\x60\x50\x22\x0C\x0C\x85\x01";
  EXPECT_EQ(
      PackedCodes({{256, 9}, {45, 9}, {258, 9}, {258, 9}, {65, 9}, {259, 9}, {66, 9}, {257, 9}}),
      packed);
  EXPECT_EQ(Unpacked(packed), "-----A---B");
  // Without the leading clear code, and without the end-of-data code.
  EXPECT_EQ(Unpacked(PackedCodes({{45, 9}, {258, 9}, {258, 9}, {65, 9}})), "-----A");
  EXPECT_EQ(Unpacked(""), "");
}

TEST(DecodeLZW, CodesWidenOneEntryEarly) {
  for (const int count : {300, 800, 1800}) {
    const std::string text = Varied(count);
    Codes codes = Literals(text);
    // Entry 258 holds the first two bytes.
    codes.emplace_back(258, WidthAfterClear(static_cast<int>(codes.size())));
    codes.emplace_back(257, WidthAfterClear(static_cast<int>(codes.size())));
    EXPECT_EQ(Unpacked(PackedCodes(codes)), text + text.substr(0, 2)) << count;
  }
}

TEST(DecodeLZW, AFullTableKeepsTwelveBitCodes) {
  // 3839 literals fill the table up to entry 4095, which holds bytes 3837 and 3838.
  const std::string text = Varied(4000);
  Codes codes = Literals(text);
  codes.insert(codes.end(), {{258, 12}, {4095, 12}, {65, 12}, {257, 12}});
  EXPECT_EQ(Unpacked(PackedCodes(codes)), text + text.substr(0, 2) + text.substr(3837, 2) + "A");
}

TEST(DecodeLZW, ClearCodesMidStream) {
  EXPECT_EQ(Unpacked(PackedCodes(
                {{256, 9}, {'A', 9}, {'B', 9}, {258, 9}, {256, 9}, {'C', 9}, {258, 9}, {257, 9}})),
            "ABABCCC");  // after the clear, 258 is made again, from C
  // A clear at 10 bits brings the width back to 9.
  const std::string text = Varied(300);
  Codes codes = Literals(text);
  codes.insert(codes.end(), {{256, 10}, {'A', 9}, {'B', 9}, {258, 9}, {257, 9}});
  EXPECT_EQ(Unpacked(PackedCodes(codes)), text + "ABAB");
}

TEST(DecodeLZW, DamageKeepsWhatCameBefore) {
  // 300 is past the next free entry, 259.
  EXPECT_EQ(Unpacked(PackedCodes({{256, 9}, {'A', 9}, {'B', 9}, {300, 9}, {'C', 9}})), "AB");
  // Right after a clear, no code may name the entry it creates.
  EXPECT_EQ(Unpacked(PackedCodes({{'A', 9}, {256, 9}, {258, 9}, {'C', 9}})), "A");
  // A code cut short by the end of the input.
  EXPECT_EQ(Unpacked(PackedCodes({{256, 9}, {'A', 9}, {'B', 9}}).substr(0, 3)), "A");
  // Data after the end-of-data code is ignored.
  EXPECT_EQ(Unpacked(PackedCodes({{'A', 9}, {257, 9}, {'B', 9}})), "A");
}

// Each code names the entry it creates, so the strings grow by one byte a code; the last entry,
// 3839 bytes long, repeated, would decode past the bound.
TEST(DecodeLZW, OutputIsBounded) {
  Codes codes{{256, 9}, {'a', 9}};
  for (int code = 258; code < 4096; ++code) {
    codes.emplace_back(code, WidthAfterClear(static_cast<int>(codes.size())));
  }
  codes.insert(codes.end(), 20'000, {4095, 12});
  bool failed = false;
  const std::string output = Unpacked(PackedCodes(codes), &failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(static_cast<int64_t>(output.size()), kMaxInflatedSize);
  EXPECT_EQ(output.find_first_not_of('a'), std::string::npos);
}

}  // namespace
}  // namespace lumenquill
