#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// Conversions of the raw bytes of a string operand to extracted text (codes/extracted_text.h),
// appended to dest, by the kind of encoding the font's label names: Adobe-Japan1 CIDs and
// Shift-JIS codes are kept as such, for the encoder at the output's edge to resolve. None
// raises errors.

// Single-byte text: 0x20-0x7E copied, every other byte written as a space.
void WriteSingleByteText(std::string_view source, std::string& dest);
// Two-byte CIDs, high byte first (Identity-H/V); an odd last byte is ignored.
void ConvertCIDs(std::string_view source, std::string& dest);
// Two-byte CIDs of a character collection no table here holds: an unknown code for each; an
// odd last byte is ignored.
void WriteUnknownCIDs(std::string_view source, std::string& dest);
// Shift-JIS codes as code page 932 has them (the RKSJ CMaps that keep their codes): ASCII is
// itself, a lead byte takes the next byte with it, and every other byte is a code of its own,
// a lead byte that ends the string too; the Shift-JIS output writes the bytes as they came.
void ConvertShiftJIS(std::string_view source, std::string& dest);
// EUC-JP (EUC-H/V).
void ConvertEUC(std::string_view source, std::string& dest);
// Two-byte JIS X 0208 codes (H, V).
void ConvertJIS(std::string_view source, std::string& dest);
// The Mac Shift-JIS variants 83pv-RKSJ-H and 90pv-RKSJ-H.
void Convert83pv(std::string_view source, std::string& dest);
void Convert90pv(std::string_view source, std::string& dest);
// Big-endian UCS-2 (the UniJIS-UCS2 family).
void ConvertUCS2(std::string_view source, std::string& dest);
// Big-endian UCS-2 units, each a character of its own (see AppendUnicodeCharacter); an odd last
// byte is ignored. Surrogate halves are not combined: each gives U+FFFD.
void WriteUCS2Text(std::string_view data, std::string& dest);

}  // namespace lumenquill
