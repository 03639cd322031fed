// Extracting the whole text of a document from memory into a memory sink.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"
#include "text/text_extractor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::TPDFAnalyst reader;
  try {
    reader.LoadFromStream(std::make_unique<lumenquill::MemoryStream>(
        std::string(reinterpret_cast<const char*>(data), size)));
    size_t written = 0;
    const bool cancel = false;
    lumenquill::Extract(
        reader, {}, [&written](std::string_view text) { written += text.size(); }, cancel);
  } catch (const lumenquill::Error&) {
  }
  return 0;
}
