#pragma once

#include <string>
#include <string_view>

#include "reader/byte_stream.h"

namespace lumenquill {

// String objects read as the bytes they stand for, for data where every byte counts (keys and
// encrypted strings). Both readers raise ReadError when the stream ends before the string does.

// After the "(" of a literal string: its bytes up to the matching ")". Balanced parentheses
// inside belong to the string; escapes are resolved (\n \r \t \b \f \( \) \\, one to three
// octal digits, a backslash before an end of line joins the lines) and an unescaped CR or
// CR LF stands for LF.
std::string ReadLiteralStringBytes(ByteStream& stream);

// After the "<" of a hexadecimal string: its bytes up to ">". Bytes other than hexadecimal
// digits are passed over; a last unpaired digit counts as followed by 0.
std::string ReadHexStringBytes(ByteStream& stream);

// The bytes written as a hexadecimal string, "<" and ">" included.
std::string HexStringText(std::string_view bytes);

}  // namespace lumenquill
