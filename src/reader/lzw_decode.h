#pragma once

#include <string_view>

#include "reader/memory_stream.h"

namespace lumenquill {

// Decodes the LZW data of input (codes of 9 to 12 bits, most significant bit first; 256 clears
// the table, 257 ends the data) and appends the result to dest. The code width grows one code
// early, as /EarlyChange 1 (the default) has it; with early_change false (/EarlyChange 0) it
// grows one code later, once the table has filled every code of the width. Once the table holds
// 4096 entries it stays as it is, with 12-bit codes, until a clear code. Decoding stops at the
// end-of-data code, at the end of the input and at a code past the next free entry, keeping
// what was decoded. Output past kMaxInflatedSize raises
// Error("LZW圧縮を正常に展開できませんでした。") after dest has received the bound's worth.
void DecodeLZW(std::string_view input, MemoryStream& dest, bool early_change = true);

}  // namespace lumenquill
