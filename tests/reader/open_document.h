#pragma once

#include <memory>
#include <string>

#include "platform/error.h"
#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"

namespace lumenquill::testing {

// Opens the bytes of a document with the reader, as LoadFromFile would open a file.
inline void Open(TPDFAnalyst& reader, const std::string& bytes) {
  reader.LoadFromStream(std::make_unique<MemoryStream>(bytes));
}

// The message of the error the open raises, or "" when it opens.
inline std::string OpenError(const std::string& bytes) {
  TPDFAnalyst reader;
  try {
    Open(reader, bytes);
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

}  // namespace lumenquill::testing
