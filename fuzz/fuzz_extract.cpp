// Extracting the whole text of a document from memory, from seeds of every kind of document.

#include "extract_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::fuzzing::ExtractAllPages(data, size);
  return 0;
}
