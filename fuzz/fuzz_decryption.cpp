// Opening a document with the newer formats read, so that an encrypted one is decrypted, and
// decoding the content streams of its pages.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "content/pdf_stream_decoder.h"
#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::TPDFAnalyst reader;
  reader.SetReadNewerFormats(true);
  try {
    reader.LoadFromStream(std::make_unique<lumenquill::MemoryStream>(
        std::string(reinterpret_cast<const char*>(data), size)));
    if (reader.Encrypted()) return 0;
    lumenquill::TPDFStreamDecoder decoder(&reader);
    lumenquill::StringList pages;
    reader.GetPageObjects(pages);
    for (const std::string& page : pages) {
      lumenquill::StringList contents;
      decoder.GetContentObjects(std::stoi(page), contents);
      for (const std::string& content : contents) {
        lumenquill::MemoryStream decoded;
        lumenquill::StringList filters;
        decoder.DecodeStreamObject(std::stoi(content), filters, decoded);
      }
    }
  } catch (const lumenquill::Error&) {
  }
  return 0;
}
