#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codes/code_tables.h"

namespace lumenquill {

// Conversions of the raw bytes of a string operand to Shift-JIS, appended to dest, by the
// kind of encoding the font's label names. None raises errors.

// The Shift-JIS code of a CID, by CIDToSJIS: both bytes when the high byte is a lead byte (or
// 0x1F), otherwise only the low byte. Inline: every CID of a string goes through it.
inline void AppendCID(uint16_t cid, std::string& dest) {
  const uint16_t code = CIDToSJIS(cid);
  const uint8_t high = code >> 8;
  if (high == 0x1F || (high >= 0x80 && high <= 0xA0) || high >= 0xE0) {
    dest.push_back(static_cast<char>(high));
  }
  dest.push_back(static_cast<char>(code & 0xFF));
}
// Single-byte text: 0x20-0x7E copied, every other byte written as a space.
void WriteSingleByteText(std::string_view source, std::string& dest);
// Two-byte CIDs, high byte first (Identity-H/V); an odd last byte is ignored.
void ConvertCIDs(std::string_view source, std::string& dest);
// Two-byte CIDs of a character collection no table here holds: "?" for each, as ConvertCIDs
// writes for a CID it does not know; an odd last byte is ignored.
void WriteUnknownCIDs(std::string_view source, std::string& dest);
// EUC-JP (EUC-H/V).
void ConvertEUC(std::string_view source, std::string& dest);
// Two-byte JIS X 0208 codes (H, V).
void ConvertJIS(std::string_view source, std::string& dest);
// The Mac Shift-JIS variants 83pv-RKSJ-H and 90pv-RKSJ-H.
void Convert83pv(std::string_view source, std::string& dest);
void Convert90pv(std::string_view source, std::string& dest);
// Big-endian UCS-2 (the UniJIS-UCS2 family).
void ConvertUCS2(std::string_view source, std::string& dest);
// One UCS-2 unit converted as WriteUCS2Text converts each.
void AppendUCS2Unit(uint16_t unit, std::string& dest);
// What AppendUCS2Unit writes for the unit, as one code page 932 code: 0 for nothing, a code
// above 0xFF for its two bytes, any other for its one byte. AppendCP932Code writes it.
uint16_t CP932CodeForUCS2Unit(uint16_t unit);
inline void AppendCP932Code(uint16_t code, std::string& dest) {
  if (code > 0xFF) {
    dest.push_back(static_cast<char>(code >> 8));
    dest.push_back(static_cast<char>(code & 0xFF));
  } else if (code != 0) {
    dest.push_back(static_cast<char>(code));
  }
}
// Big-endian UCS-2 units, each converted on its own as code page 932 does: a unit without an
// equivalent becomes a space, U+0000 and variation
// selectors nothing; an odd last byte is ignored. Surrogate halves are not combined (each becomes a
// space).
void WriteUCS2Text(std::string_view data, std::string& dest);

}  // namespace lumenquill
