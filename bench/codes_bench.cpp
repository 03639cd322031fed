// Character-code conversion speed over 10 MB inputs.
//
//   cmake --preset bench && cmake --build --preset bench && build/bench/bench/codes_bench

#include <benchmark/benchmark.h>

#include "codes/cmap_reader.h"
#include "codes/predefined_cmaps.h"
#include "codes/predefined_conversion.h"
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

}  // namespace
}  // namespace lumenquill
