// Opening a document with the newer formats read, so that an encrypted one is decrypted, and
// decoding the content streams of its pages.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "content/page_resource_reader.h"
#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::TPDFAnalyst reader;
  reader.SetReadNewerFormats(true);
  try {
    reader.LoadFromStream(std::make_unique<lumenquill::MemoryStream>(
        std::string(reinterpret_cast<const char*>(data), size)));
    if (reader.Encrypted()) return 0;
    lumenquill::PageResourceReader decoder(&reader);
    lumenquill::ObjectNumberList pages;
    reader.GetPageObjects(pages);
    for (const int32_t page : pages) {
      lumenquill::ObjectNumberList contents;
      decoder.GetContentObjects(page, contents);
      for (const int32_t content : contents) {
        lumenquill::MemoryStream decoded;
        lumenquill::StringList filters;
        decoder.DecodeStreamObject(content, filters, decoded);
      }
    }
  } catch (const lumenquill::Error&) {
  }
  return 0;
}
