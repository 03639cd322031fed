// Character-code conversion speed over 10 MB inputs.
//
//   cmake --preset bench && cmake --build --preset bench && build/bench/bench/codes_bench

#include <benchmark/benchmark.h>

#include "codes/cmap_reader.h"
#include "codes/code_tables.h"
#include "codes/extracted_text.h"
#include "codes/predefined_cmaps.h"
#include "codes/predefined_conversion.h"
#include "codes/text_encoder.h"
#include "reader/memory_stream.h"

namespace lumenquill {
namespace {

constexpr size_t kInputSize = 10'000'000;

// Ten megabytes cycling through the given two-byte values, high byte first.
std::string TwoByteInput(uint16_t first, uint16_t count) {
  std::string input;
  input.reserve(kInputSize);
  for (uint32_t i = 0; input.size() < kInputSize; ++i) {
    const auto value = static_cast<uint16_t>(first + i % count);
    input.push_back(static_cast<char>(value >> 8));
    input.push_back(static_cast<char>(value & 0xFF));
  }
  return input;
}

template <typename Convert>
void Run(benchmark::State& state, const std::string& input, Convert convert) {
  std::string out;
  for (auto _ : state) {
    out.clear();
    convert(input, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void BM_ConvertCIDs(benchmark::State& state) {
  Run(state, TwoByteInput(633, 6000), ConvertCIDs);  // kanji and kana CIDs
}
BENCHMARK(BM_ConvertCIDs)->Unit(benchmark::kMillisecond);

void BM_ConvertEUC(benchmark::State& state) {
  std::string input;
  for (uint32_t i = 0; input.size() < kInputSize; ++i) {
    input.push_back(static_cast<char>(0xB0 + i % 40));
    input.push_back(static_cast<char>(0xA1 + i % 94));
    if (i % 8 == 0) input.push_back('a');
  }
  Run(state, input, ConvertEUC);
}
BENCHMARK(BM_ConvertEUC)->Unit(benchmark::kMillisecond);

void BM_ConvertThroughPredefinedCMap(benchmark::State& state) {
  Run(state, TwoByteInput(0x3021, 0x4000), PredefinedCMapConverter("78-H"));  // JIS rows 16 on
}
BENCHMARK(BM_ConvertThroughPredefinedCMap)->Unit(benchmark::kMillisecond);

void BM_WriteUCS2Text(benchmark::State& state) {
  Run(state, TwoByteInput(0x4E00, 0x5000), WriteUCS2Text);  // CJK ideographs
}
BENCHMARK(BM_WriteUCS2Text)->Unit(benchmark::kMillisecond);

void BM_ConvertByCMap(benchmark::State& state) {
  CMapReader reader;
  MemoryStream program("begincmap 1 beginbfrange <0000> <FFFF> <4E00> endbfrange endcmap ");
  reader.ReadCMap(program);
  Run(state, TwoByteInput(0, 0x5000),
      [&reader](std::string_view in, std::string& out) { ConvertByCMap(&reader, in, out); });
}
BENCHMARK(BM_ConvertByCMap)->Unit(benchmark::kMillisecond);

// Ten megabytes of extracted text: lines of 40 code points, code_point(i) for the i-th, each
// line ended by CR LF.
template <typename CodePoint>
std::string ExtractedLines(CodePoint code_point) {
  std::string text;
  text.reserve(kInputSize + 64);
  for (uint32_t i = 0; text.size() < kInputSize; ++i) {
    AppendExtracted(code_point(i), text);
    if (i % 40 == 39) text.append("\r\n");
  }
  return text;
}

// The JIS X 0208 characters of CIDs 633-6632, as a ToUnicode gives them and as Identity-H
// CIDs, and printable ASCII.
const std::string& JapaneseText() {
  static const std::string text = ExtractedLines(
      [](uint32_t i) { return AdobeJapan1ToUnicode(static_cast<uint16_t>(633 + i % 6000)); });
  return text;
}
const std::string& CIDText() {
  static const std::string text =
      ExtractedLines([](uint32_t i) { return kAdobeJapan1 + 633 + i % 6000; });
  return text;
}
const std::string& EnglishText() {
  static const std::string text = ExtractedLines([](uint32_t i) { return 0x20 + i % 0x5F; });
  return text;
}

void BM_Encode(benchmark::State& state, const std::string& (*text)(), OutputEncoding encoding) {
  Run(state, text(), [encoding](std::string_view in, std::string& out) {
    TextEncoder encoder({encoding});
    encoder.Encode(in, out);
  });
}
BENCHMARK_CAPTURE(BM_Encode, ShiftJISFromUnicode, JapaneseText, OutputEncoding::kShiftJIS)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, ShiftJISFromCIDs, CIDText, OutputEncoding::kShiftJIS)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, ShiftJISFromASCII, EnglishText, OutputEncoding::kShiftJIS)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, UTF8FromUnicode, JapaneseText, OutputEncoding::kUTF8)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, UTF8FromCIDs, CIDText, OutputEncoding::kUTF8)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, UTF16FromUnicode, JapaneseText, OutputEncoding::kUTF16LEWithBOM)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumenquill
