// Extracting the whole text of a document from memory, from seeds that are encrypted, so that
// the decrypted strings and streams reach the fonts and content streams of the pages.

#include "extract_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumenquill::fuzzing::ExtractAllPages(data, size);
  return 0;
}
