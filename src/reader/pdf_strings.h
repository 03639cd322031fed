#pragma once

#include <string>
#include <string_view>

#include "reader/byte_stream.h"

namespace lumenquill {

// The two PDF string syntaxes read as the bytes they stand for. Text extraction reads them its
// own long-standing way, which every extracted text depends on; keys and encrypted strings are
// read exactly as the format defines them, since every byte counts there.

// What becomes of a last hexadecimal digit that has no partner.
enum class OddHexDigit { kDropped, kFollowedByZero };

// Bytes from the hexadecimal digits of text taken in pairs: white space and other bytes
// between them, also between the two digits of a byte, are passed over. Every hexadecimal
// reader of the program (strings, the ASCIIHex filter, CMaps) pairs digits this way.
std::string HexToBytes(std::string_view text, OddHexDigit odd = OddHexDigit::kDropped);

// From just after "<": the bytes of the hexadecimal digits up to ">" (consumed) or the end of
// the stream, appended to dest. Other bytes are passed over and a last unpaired digit dropped.
void ReadHexString(ByteStream& source, std::string& dest);
// The same over the bytes from cursor to end: returns where the string ended.
const char* ReadHexString(const char* cursor, const char* end, std::string& dest);

// From just after "(": the decoded bytes of a literal string up to its first unescaped ")"
// (consumed) or the end of the stream, appended to dest. Parentheses are not counted; an
// escape of one to three digits 0-9 gives the low byte of their value in base 8 (so "\18" is
// 16), an escape of any other unknown byte gives nothing, and a CR is kept.
void ReadLiteralString(ByteStream& source, std::string& dest);
// The same over the bytes from cursor to end: returns where the string ended.
const char* ReadLiteralString(const char* cursor, const char* end, std::string& dest);

// Consumes a literal string as ReadLiteralString reads it, keeping nothing.
void SkipLiteralString(ByteStream& source);

// The exact readings raise ReadError when the stream ends before the string does.

// After the "(" of a literal string: its bytes up to the matching ")". Balanced parentheses
// inside belong to the string; escapes are resolved (\n \r \t \b \f \( \) \\, one to three
// octal digits, a backslash before an end of line joins the lines, any other escaped byte is
// itself) and an unescaped CR or CR LF stands for LF.
std::string ReadLiteralStringBytes(ByteStream& source);

// After the "<" of a hexadecimal string: its bytes up to ">". Bytes other than hexadecimal
// digits are passed over; a last unpaired digit counts as followed by 0.
std::string ReadHexStringBytes(ByteStream& source);

// The bytes written as a hexadecimal string, "<" and ">" included.
std::string HexStringText(std::string_view bytes);

}  // namespace lumenquill
