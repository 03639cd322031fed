#pragma once

#include <ostream>

#include "reader/document.h"

namespace lumenquill {

// Writes what the reader holds after an open, one "Key: value" line each (-1 for an object
// number or a count the document lacks), then one line per page:
// "page <number> <object number>".
void WriteDocumentReport(Document& document, std::ostream& out);

}  // namespace lumenquill
