// The floor of an extraction's cost: opening each document given and decoding every stream in
// it with the extraction's own stream decoder, interpreting nothing. An extraction can hardly
// cost less than this; bench/compare_with_peers.sh times it beside the extraction.
//
//   build/bench/bench/inflate_floor FILE.pdf...

#include <cstdio>
#include <memory>
#include <optional>

#include "reader/document.h"
#include "reader/memory_stream.h"

int main(int argc, char** argv) {
  using namespace lumenquill;
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    try {
      const std::unique_ptr<Document> document = Document::OpenFile(argv[i], {});
      ObjectResolver& objects = document->Objects();
      MemoryStream decoded;
      int64_t total = 0;
      for (int32_t n = 1; n < document->Xref().Size(); ++n) {
        // Each object read once and not kept, as no object is read twice here.
        const std::optional<PdfValue> object = objects.ObjectOnce(n);
        const PdfStream* stream = object ? object->Stream() : nullptr;
        if (stream == nullptr) continue;
        decoded.Clear();
        try {
          objects.DecodeStream(*stream, decoded);
        } catch (const Error&) {
          // An object that cannot be read decodes nothing, as in an extraction.
        }
        total += decoded.Size();
      }
      std::printf("%s: %lld bytes decoded\n", argv[i], static_cast<long long>(total));
    } catch (const Error& error) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.what());
      status = 1;
    }
  }
  return status;
}
