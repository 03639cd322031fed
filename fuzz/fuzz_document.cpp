// Opening a document from memory and listing its pages.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::TPDFAnalyst reader;
  try {
    reader.LoadFromStream(std::make_unique<lumenquill::MemoryStream>(
        std::string(reinterpret_cast<const char*>(data), size)));
    lumenquill::StringList pages;
    reader.GetPageObjects(pages);
  } catch (const lumenquill::Error&) {
  }
  return 0;
}
