#pragma once

#include <ostream>

#include "reader/pdf_analyst.h"

namespace lumenquill {

// Writes what the reader holds after an open, one "Key: value" line each, then one line per
// page: "page <number> <object number>".
void WriteDocumentReport(TPDFAnalyst& reader, std::ostream& out);

}  // namespace lumenquill
