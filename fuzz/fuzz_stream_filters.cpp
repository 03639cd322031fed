// DecodeStream with every filter and some chains: the first byte chooses the filter list, the rest
// is the source after "stream", the length is the data's own.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "reader/memory_stream.h"
#include "reader/reading_primitives.h"
#include "reader/stream_filters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const lumenquill::StringList kChains[] = {
      {},
      {"/FlateDecode"},
      {"/ASCIIHexDecode"},
      {"/ASCII85Decode"},
      {"/ASCIIHexDecode", "/FlateDecode"},
      {"/ASCII85Decode", "/FlateDecode"},
      {"/LZWDecode"},
      {"/FlateDecode", "/FlateDecode"},
      {"/RunLengthDecode"},
      {"/ASCII85Decode", "/LZWDecode"},
      {"/ASCIIHexDecode", "/RunLengthDecode", "/LZWDecode", "/FlateDecode"},
  };
  const lumenquill::StringList& filters = kChains[data[0] % std::size(kChains)];
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
