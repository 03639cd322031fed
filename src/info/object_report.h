#pragma once

#include <cstdint>
#include <ostream>

#include "reader/document.h"

namespace lumenquill {

// Writes object n as written ("object <n> size <size>" and its bytes, from its header through
// "endobj"; one packed in an object stream gets the header and "endobj" it would have in the
// file), and, when it holds a stream, that stream decoded ("stream <size>" and the bytes).
// Each block of bytes is followed by a line break. Raises Error when the document holds no
// object n.
void WriteObjectReport(Document& document, int32_t n, std::ostream& out);

}  // namespace lumenquill
