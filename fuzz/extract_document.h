#pragma once

// Extracting the whole text of a document from a fuzzer's bytes as a conversion does, with the
// newer formats read (object and cross-reference streams, encryption): the page tree, each
// page's resources and fonts (their encodings, CMaps and programs), and its content streams.
// The program's own errors end a run quietly.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "reader/memory_stream.h"
#include "reader/document.h"
#include "text/text_extractor.h"

namespace lumenquill::fuzzing {

inline void ExtractAllPages(const uint8_t* data, size_t size) {
  try {
    const std::unique_ptr<Document> document = Document::OpenStream(
        std::make_unique<MemoryStream>(std::string(reinterpret_cast<const char*>(data), size)), "",
        {true});
    if (document->Encrypted()) return;  // not decrypted: a conversion stops here too
    size_t written = 0;
    const bool cancel = false;
    Extract(*document, {}, [&written](std::string_view text) { written += text.size(); },
            cancel);
  } catch (const Error&) {
  }
}

}  // namespace lumenquill::fuzzing
