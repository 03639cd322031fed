// Opening a document from memory and listing its pages.

#include "open_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::fuzzing::OpenAndListPages(data, size, false);
  return 0;
}
