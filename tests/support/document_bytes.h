#pragma once

#include <memory>
#include <string>

#include "reader/document.h"
#include "reader/memory_stream.h"

namespace lumenquill::testing {

// Opens the bytes of a document as Document::OpenFile opens a file.
inline std::unique_ptr<Document> OpenDocumentBytes(const std::string& bytes,
                                                   const Document::Options& options = {}) {
  return Document::OpenStream(std::make_unique<MemoryStream>(bytes), "", options);
}

}  // namespace lumenquill::testing
