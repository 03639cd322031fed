#pragma once

#include <cstdint>
#include <string_view>

#include "reader/bounded_output.h"
#include "reader/memory_stream.h"

namespace lumenquill {

// Inflates the zlib data of input and appends the result to dest. Inflating stops at the end
// of the compressed data (bytes after it are ignored) and at the end of the input (a truncated
// stream keeps what it gave). Corrupt data, or output past kMaxInflatedSize, raises
// Error("flate圧縮を正常に展開できませんでした。") after dest has received everything
// inflated before the fault. A few faults are read through instead, and the stream inflates
// whole when its checksum holds: the reserved length codes 286 and 287 read as 285, the reserved
// distance codes 30 and 31 as 29, and code tables may declare all 288 length and 32 distance
// codes. Returns dest's size.
int64_t DecodeFlate(std::string_view input, MemoryStream& dest);

}  // namespace lumenquill
