#pragma once

#include <cstdint>
#include <ostream>

#include "reader/pdf_analyst.h"

namespace lumenquill {

// Writes object n as the reader copies it ("object <n> <size>" and the bytes), and, when it
// holds a stream, that stream decoded with its own /Length and /Filter ("stream <size>" and
// the bytes). Each block of bytes is followed by a line break.
void WriteObjectReport(TPDFAnalyst& reader, int32_t n, std::ostream& out);

}  // namespace lumenquill
