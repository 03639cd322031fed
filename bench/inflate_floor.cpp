// The floor of an extraction's cost: opening each document given and decoding every stream in
// it with the extraction's own stream decoder, interpreting nothing. An extraction can hardly
// cost less than this; bench/compare_with_peers.sh times it beside the extraction.
//
//   build/bench/bench/inflate_floor FILE.pdf...

#include <cstdio>

#include "content/page_resource_reader.h"
#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

int main(int argc, char** argv) {
  using namespace lumenquill;
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    try {
      TPDFAnalyst reader;
      reader.LoadFromFile(argv[i]);
      PageResourceReader decoder(&reader);
      MemoryStream decoded;
      int64_t total = 0;
      for (int32_t n = 1; n < reader.ObjectCount(); ++n) {
        if (reader.FreeObjects()[static_cast<size_t>(n)]) continue;
        decoded.Clear();
        StringList filters;
        try {
          total += decoder.DecodeStreamObject(n, filters, decoded);
        } catch (const Error&) {
          // An object that cannot be read decodes nothing, as in an extraction.
        }
      }
      std::printf("%s: %lld bytes decoded\n", argv[i], static_cast<long long>(total));
    } catch (const Error& error) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.what());
      status = 1;
    }
  }
  return status;
}
