// Opening a document from memory with the reader told to read newer files: cross-reference
// streams, hybrid sections and object streams; then listing its pages.

#include "open_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::fuzzing::OpenAndListPages(data, size, true);
  return 0;
}
