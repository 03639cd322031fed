#include "reader/run_length_decode.h"

#include <gtest/gtest.h>

#include "reader/flate_decode.h"

namespace lumenquill {
namespace {

std::string RunLength(const std::string& input, bool* failed = nullptr) {
  MemoryStream dest;
  try {
    DecodeRunLength(input, dest);
    if (failed) *failed = false;
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "ランレングス圧縮を正常に展開できませんでした。");
    if (failed) *failed = true;
  }
  return std::string(dest.Bytes());
}

TEST(DecodeRunLength, LiteralsRepeatsAndEndOfData) {
  EXPECT_EQ(RunLength(std::string("\x02"
                                  "abc"
                                  "\xFE"
                                  "x"
                                  "\x00"
                                  "y"
                                  "\x80"
                                  "\x01zz",
                                  12)),
            "abcxxxy");
  EXPECT_EQ(RunLength("\x81-"), std::string(128, '-'));
  EXPECT_EQ(RunLength("\x7F" + std::string(128, 'q')), std::string(128, 'q'));
  EXPECT_EQ(RunLength("\x01"
                      "ab"),
            "ab");  // no end-of-data byte
  EXPECT_EQ(RunLength(""), "");
}

TEST(DecodeRunLength, TruncatedRunsKeepWhatTheyHave) {
  EXPECT_EQ(RunLength("\x05"
                      "ab"),
            "ab");
  EXPECT_EQ(RunLength(std::string("\x00"
                                  "a"
                                  "\xF0",
                                  3)),
            "a");  // a repeat without its byte
}

TEST(DecodeRunLength, OutputIsBounded) {
  std::string bomb;
  for (int64_t i = 0; i <= kMaxInflatedSize / 128; ++i) bomb += "\x81z";
  bool failed = false;
  const std::string output = RunLength(bomb, &failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(static_cast<int64_t>(output.size()), kMaxInflatedSize);
  EXPECT_EQ(output.find_first_not_of('z'), std::string::npos);
}

}  // namespace
}  // namespace lumenquill
