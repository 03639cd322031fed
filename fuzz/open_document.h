#pragma once

// Opening a document from a fuzzer's bytes and listing its pages, for the targets that read
// whole documents; the program's own errors end a run quietly.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "reader/memory_stream.h"
#include "reader/document.h"

namespace lumenquill::fuzzing {

inline void OpenAndListPages(const uint8_t* data, size_t size, bool read_newer_formats) {
  try {
    const std::unique_ptr<Document> document = Document::OpenStream(
        std::make_unique<MemoryStream>(std::string(reinterpret_cast<const char*>(data), size)),
        "", {read_newer_formats});
    document->PageObjects();
  } catch (const Error&) {
  }
}

}  // namespace lumenquill::fuzzing
