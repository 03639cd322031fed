#pragma once

#include <memory>
#include <string>

#include "platform/error.h"
#include "reader/document.h"
#include "reader/memory_stream.h"

namespace lumenquill::testing {

// Opens the bytes of a document as Document::OpenFile opens a file.
inline std::unique_ptr<Document> OpenDocumentBytes(const std::string& bytes,
                                                   bool read_newer_formats = false) {
  return Document::OpenStream(std::make_unique<MemoryStream>(bytes), "", {read_newer_formats});
}

// The message of the error the open raises, or "" when it opens.
inline std::string OpenError(const std::string& bytes, bool read_newer_formats = false) {
  try {
    OpenDocumentBytes(bytes, read_newer_formats);
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

}  // namespace lumenquill::testing
