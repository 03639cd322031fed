#pragma once

// Opening a document from a fuzzer's bytes and listing its pages, for the targets that read
// whole documents; the program's own errors end a run quietly.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

namespace lumenquill::fuzzing {

inline void OpenAndListPages(const uint8_t* data, size_t size, bool read_newer_formats) {
  TPDFAnalyst reader;
  reader.SetReadNewerFormats(read_newer_formats);
  try {
    reader.LoadFromStream(
        std::make_unique<MemoryStream>(std::string(reinterpret_cast<const char*>(data), size)));
    ObjectNumberList pages;
    reader.GetPageObjects(pages);
  } catch (const Error&) {
  }
}

}  // namespace lumenquill::fuzzing
