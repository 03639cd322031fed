// DecodeStream with every filter and some chains: the first byte chooses the filter chain, the
// rest is the source after "stream", the length is the data's own.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "reader/memory_stream.h"
#include "reader/reading_primitives.h"
#include "reader/stream_filters.h"

namespace {

// The filters named; the first has the given parameters, the others the defaults.
lumenquill::FilterChain Chain(lumenquill::StringList names,
                              const lumenquill::FilterParameters& first = {}) {
  lumenquill::FilterChain chain(std::move(names));
  if (!chain.parameters.empty()) chain.parameters.front() = first;
  return chain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const lumenquill::FilterChain kChains[] = {
      Chain({}),
      Chain({"/FlateDecode"}),
      Chain({"/ASCIIHexDecode"}),
      Chain({"/ASCII85Decode"}),
      Chain({"/ASCIIHexDecode", "/FlateDecode"}),
      Chain({"/ASCII85Decode", "/FlateDecode"}),
      Chain({"/LZWDecode"}),
      Chain({"/FlateDecode", "/FlateDecode"}),
      Chain({"/RunLengthDecode"}),
      Chain({"/ASCII85Decode", "/LZWDecode"}),
      Chain({"/ASCIIHexDecode", "/RunLengthDecode", "/LZWDecode", "/FlateDecode"}),
      Chain({"/FlateDecode"}, {.predictor = 12, .columns = 4}),
      Chain({"/LZWDecode"}, {.predictor = 2, .colors = 3, .columns = 5, .early_change = 0}),
      Chain({"/FlateDecode"},
            {.predictor = 15, .colors = 2, .bits_per_component = 16, .columns = 3}),
  };
  const lumenquill::FilterChain& filters = kChains[data[0] % std::size(kChains)];
  const std::string body(reinterpret_cast<const char*>(data + 1), size - 1);
  lumenquill::MemoryStream source("stream\n" + body + "\nendstream\nendobj\n");
  lumenquill::MemoryStream dest;
  try {
    std::string token;
    lumenquill::ReadToken(source, token);
    lumenquill::DecodeStream(source, dest, static_cast<int32_t>(body.size()), filters);
  } catch (const lumenquill::Error&) {
  }
  return 0;
}
