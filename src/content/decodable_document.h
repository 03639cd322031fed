#pragma once

#include "reader/document.h"

namespace lumenquill {

// The document the decoders of pages and fonts are built on. Raises
// Error("対応できない形式です。") for a secured document, whose objects cannot be read.
Document& CheckDecodable(Document& document);

}  // namespace lumenquill
