// Opening a document from memory with the reader told to read newer files: cross-reference
// streams, hybrid sections and object streams; then listing its pages.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::TPDFAnalyst reader;
  reader.SetReadNewerFormats(true);
  try {
    reader.LoadFromStream(std::make_unique<lumenquill::MemoryStream>(
        std::string(reinterpret_cast<const char*>(data), size)));
    lumenquill::StringList pages;
    reader.GetPageObjects(pages);
  } catch (const lumenquill::Error&) {
  }
  return 0;
}
