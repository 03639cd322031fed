// The reading order's cost on pages of 10,000 glyphs, and on a hostile page of a million.
//
//   cmake --preset bench && cmake --build --preset bench --target layout_bench &&
//   build/bench/bench/layout_bench

#include <benchmark/benchmark.h>

#include "codes/extracted_text.h"
#include "layout/page_arrangement.h"

namespace lumenquill {
namespace {

constexpr int kGlyphs = 10'000;

void AddGlyph(PlacedPage& page, char32_t c, float x, float y, float advance_x, float advance_y,
              float size, bool vertical) {
  const auto begin = static_cast<uint32_t>(page.text.size());
  AppendExtracted(c, page.text);
  page.glyphs.push_back(
      {x, y, advance_x, advance_y, size, begin, static_cast<uint32_t>(page.text.size()), vertical});
}

// Two columns of English, 9-point, lines of 60 glyphs with a word space every sixth, drawn
// row by row across both columns.
PlacedPage TwoColumnPage() {
  PlacedPage page;
  for (int k = 0; page.glyphs.size() < kGlyphs; ++k) {
    const int row = k / 120, column = k % 120 / 60, at = k % 60;
    const char32_t c = at % 6 == 5 ? U' ' : static_cast<char32_t>(U'a' + k % 26);
    AddGlyph(page, c, 50.0f + 260 * column + 4.0f * at, 800.0f - 11 * row, 4, 0, 9, false);
  }
  return page;
}

// Vertical Japanese with ruby over every other character: columns of 40 glyphs right to left.
PlacedPage VerticalRubyPage() {
  PlacedPage page;
  for (int k = 0; page.glyphs.size() < kGlyphs; ++k) {
    const int column = k / 40, at = k % 40;
    const float x = 560.0f - 18 * static_cast<float>(column % 30), y = 800.0f - 10 * at;
    AddGlyph(page, U'漢' + k % 50, x, y, 0, -10, 10, true);
    if (at % 2 == 0) AddGlyph(page, U'か', x + 7.5f, y, 0, -5, 5, true);
  }
  return page;
}

// A hostile page of a million glyphs: half at one point, half scattered along one baseline.
PlacedPage MillionGlyphPage() {
  PlacedPage page;
  for (int k = 0; k < 500'000; ++k) {
    AddGlyph(page, U'a', 100, 100, 0, 0, 10, k % 2 == 0);
    AddGlyph(page, U'b', static_cast<float>(int64_t{k} * 7919 % 100'000) / 10, 200, 5, 0, 10,
             false);
  }
  return page;
}

void Arrange(benchmark::State& state, const PlacedPage& page, RubyHandling ruby) {
  std::string out;
  for (auto _ : state) {
    out.clear();
    ArrangePage(page, {"\r\n", ruby}, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * page.glyphs.size()));
}

void BM_TwoColumns(benchmark::State& state) {
  Arrange(state, TwoColumnPage(), RubyHandling::kDrop);
}
void BM_VerticalRuby(benchmark::State& state) {
  Arrange(state, VerticalRubyPage(), RubyHandling::kBracket);
}
void BM_MillionGlyphs(benchmark::State& state) {
  Arrange(state, MillionGlyphPage(), RubyHandling::kBracket);
}
BENCHMARK(BM_TwoColumns);
BENCHMARK(BM_VerticalRuby);
BENCHMARK(BM_MillionGlyphs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumenquill
