#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "reader/byte_stream.h"

namespace lumenquill {

// Turning the two PDF string syntaxes into raw bytes.

// "0"-"9" give 0-9; every other byte gives 0.
uint8_t DigitValue(uint8_t byte);
// The value of the digits of a numeric escape, padded on the left to three digits (only the
// first three count); 8 and 9 keep their decimal values, so "18" gives 16. The caller keeps
// the low byte.
int OctalToByte(std::string_view digits);
// Bytes from pairs of hexadecimal digits; a digit whose neighbour is not one is skipped with
// it, other bytes are skipped, and an odd final digit is dropped.
std::string HexToBytes(std::string_view text);
// From just after "<": the hexadecimal digits up to ">" (consumed) or the end of the stream.
std::string ReadHexString(ByteStream& source);
// From just after "(": the decoded bytes of a literal string up to its first unescaped ")"
// (consumed) or the end of the stream, appended to dest.
void ReadLiteralString(ByteStream& source, std::string& dest);

}  // namespace lumenquill
