#pragma once

#include <cstdint>

namespace lumenquill {

// What a code converts to when nothing converts it: the byte "?".
inline constexpr uint16_t kUnknownCharacter = '?';

// The code tables: each a function of a 16-bit input; an input no entry covers gives
// kUnknownCharacter.
// Each is a flat array built once from its generated ranges, so a lookup is one index.

// CID to Shift-JIS code (a single byte when the high byte is 0).
uint16_t CIDToSJIS(uint16_t cid);
// EUC-JP code (one byte, or lead × 256 + trail) to CID.
uint16_t EUCToCID(uint16_t code);
// JIS X 0208 code (row × 256 + cell) to CID.
uint16_t JISToCID(uint16_t code);
// 83pv-RKSJ and 90pv-RKSJ codes (one byte, or lead × 256 + trail) to CID.
uint16_t RKSJ83pvToCID(uint16_t code);
uint16_t RKSJ90pvToCID(uint16_t code);

// A UCS-2 unit as code page 932 converts it, with best fit: the Shift-JIS code (a single byte
// when below 0x100), 0 for a unit that converts to nothing, kUnknownCharacter for one it cannot
// convert.
uint16_t UnicodeToCP932(uint16_t unit);

}  // namespace lumenquill
