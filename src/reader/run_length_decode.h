#pragma once

#include <string_view>

#include "reader/memory_stream.h"

namespace lumenquill {

// Decodes the run-length data of input and appends the result to dest: a length byte of 0 to
// 127 is followed by length + 1 bytes to copy, one of 129 to 255 by a byte to repeat
// 257 - length times, and 128 ends the data. A run cut short by the end of the input keeps
// what it has. Output past kMaxInflatedSize raises
// Error("ランレングス圧縮を正常に展開できませんでした。") after dest has received the bound's
// worth.
void DecodeRunLength(std::string_view input, MemoryStream& dest);

}  // namespace lumenquill
