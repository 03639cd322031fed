// The document reader's costs: opening a 2,000-page file and listing its pages, and reading
// every token of a 10 MB content stream.
//
//   cmake --preset bench && cmake --build --preset bench && build/bench/bench/reader_bench

#include <benchmark/benchmark.h>

#include "reader/memory_stream.h"
#include "reader/document.h"
#include "reader/pdf_strings.h"
#include "reader/reading_primitives.h"
#include "support/pdf_builder.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

constexpr int kPages = 2000;

const std::string& ThousandsOfPages() {
  static const std::string document = testing::SimpleDocument(
      kPages, "/Resources << /Font << /F1 9 0 R >> >> /Contents 8 0 R /Rotate 0");
  return document;
}

void BM_OpenAndListPagesFromFile(benchmark::State& state) {
  const testing::TempFile file(ThousandsOfPages());
  for (auto _ : state) {
    const std::unique_ptr<Document> document = Document::OpenFile(file.path(), {});
    const ObjectNumberList pages = document->PageObjects();
    if (pages.size() != kPages) state.SkipWithError("wrong page count");
    benchmark::DoNotOptimize(pages.data());
  }
  state.SetBytesProcessed(state.iterations() * ThousandsOfPages().size());
}
BENCHMARK(BM_OpenAndListPagesFromFile)->Unit(benchmark::kMillisecond);

std::string TenMegabyteContent() {
  std::string content;
  int line = 0;
  while (content.size() < 10'000'000) {
    content += "BT /F1 12 Tf 72 " + std::to_string(720 - line % 60 * 12) +
               " Td [(Hello) -250 (world, line " + std::to_string(line) +
               ")] TJ ET\nq 1 0 0 1 0 0 cm /Im1 Do Q\n";
    ++line;
  }
  return content;
}

void BM_ReadAllTokensOfContent(benchmark::State& state) {
  const std::string content = TenMegabyteContent();
  for (auto _ : state) {
    MemoryStream stream(content);
    std::string token;
    int64_t tokens = 0;
    try {
      for (;;) {
        ReadToken(stream, token);
        if (token == "(") SkipLiteralString(stream);
        ++tokens;
      }
    } catch (const ReadError&) {
      // the end of the content
    }
    benchmark::DoNotOptimize(tokens);
  }
  state.SetBytesProcessed(state.iterations() * content.size());
}
BENCHMARK(BM_ReadAllTokensOfContent)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumenquill
