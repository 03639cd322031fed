// The output encodings over the files of tests/data. Each PDF with a .utf8 beside it (its text
// holds characters code page 932 lacks) extracts in UTF-8, compatibility forms folded, to
// exactly that text, reviewed against the text its producer was given and against pdftotext
// (tools/make_utf8_expectations.py): Chromium's ToUnicode gives Kangxi radicals for some
// ideographs (⽂ for 文), which the folding turns back into what the producer was given. Every
// PDF's UTF-8 output, encoded to code page 932 by the Shift-JIS encoder, is its Shift-JIS output
// byte for byte: the two outputs tell the same text wherever Shift-JIS can hold it. And the
// Shift-JIS output of a file with characters code page 932 lacks counts exactly those.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codes/text_encoder.h"
#include "platform/error.h"
#include "reader/document.h"
#include "support/temp_file.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

namespace fs = std::filesystem;

const fs::path kData = LUMENQUILL_TEST_DATA_DIR;

// The text of all pages in one encoding, or why there is none.
struct Outcome {
  std::string text;
  std::string error;
  Substitutions substitutions;
};

Outcome ExtractIn(const fs::path& pdf, TextEncoding encoding) {
  Outcome outcome;
  ExtractionOptions options;
  options.encoding = encoding;
  const bool cancel = false;
  try {
    Extract(
        *Document::OpenFile(pdf.string(), {.read_newer_formats = true}), options,
        [&outcome](std::string_view part) { outcome.text += part; }, cancel, {},
        &outcome.substitutions);
  } catch (const Error& error) {
    outcome.error = error.what();
  }
  return outcome;
}

TEST(EncodingFixtures, UTF8OutputIsTheReviewedText) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kData)) {
    if (entry.path().extension() != ".utf8") continue;
    fs::path pdf = entry.path();
    pdf.replace_extension(".pdf");
    SCOPED_TRACE(pdf.filename().string());
    const Outcome utf8 = ExtractIn(pdf, {OutputEncoding::kUTF8, true});
    EXPECT_EQ(utf8.error, "");
    EXPECT_EQ(utf8.text, testing::ReadWholeFile(entry.path().string()));
    ++files;
  }
  EXPECT_GE(files, 9);
}

TEST(EncodingFixtures, UTF8OutputEncodedToShiftJISIsTheShiftJISOutput) {
  int files_with_text = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kData)) {
    if (entry.path().extension() != ".pdf") continue;
    SCOPED_TRACE(entry.path().lexically_relative(kData).string());
    const Outcome shift_jis = ExtractIn(entry.path(), {OutputEncoding::kShiftJIS});
    const Outcome utf8 = ExtractIn(entry.path(), {OutputEncoding::kUTF8});
    // A file that cannot be read (truncated, secured) fails alike in both encodings.
    EXPECT_EQ(utf8.error, shift_jis.error);
    if (!shift_jis.error.empty()) continue;
    TextEncoder encoder;
    std::string encoded;
    encoder.Encode(utf8.text, encoded);
    EXPECT_EQ(encoded, shift_jis.text);
    ++files_with_text;
  }
  EXPECT_GE(files_with_text, 50);
}

// Characters of the Writer file that code page 932 lacks, in the order of its text; 髙, 﨑
// and ①⑳ are in code page 932.
TEST(EncodingFixtures, ShiftJISCountsTheCharactersItCannotHold) {
  const fs::path pdf = kData / "libreoffice-writer-beyond-cp932.pdf";
  const Outcome shift_jis = ExtractIn(pdf, {OutputEncoding::kShiftJIS});
  ASSERT_EQ(shift_jis.error, "");
  // 𠮟 𩸽 㐂 𠀋, ㉑ ㊿, 😀, ë ü é, 한 국 어 와, 简.
  EXPECT_EQ(shift_jis.substitutions.unrepresentable, 15);
  EXPECT_EQ(
      shift_jis.substitutions.examples,
      (std::vector<char32_t>{U'\U00020B9F', U'\U00029E3D', U'\u3402', U'\U0002000B', U'\u3251'}));
  EXPECT_EQ(shift_jis.substitutions.unknown, 0);

  const Outcome utf8 = ExtractIn(pdf, {OutputEncoding::kUTF8, true});
  EXPECT_FALSE(utf8.substitutions.Any());
}

}  // namespace
}  // namespace lumenquill
