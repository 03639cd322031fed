#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumenquill {

// The character of each code of a simple font, 0 for a code that gives none.
using CodeToUnicode = std::array<char32_t, 256>;

// The table of a base encoding by its name (StandardEncoding, WinAnsiEncoding,
// MacRomanEncoding, PDFDocEncoding; the standard encoding for any other name): the printable
// ASCII codes give themselves, as the byte's text always has, and the codes above them the
// encoding's characters. MacExpertEncoding, whose codes below 0x80 are small capitals and
// figures, gives its own characters throughout.
CodeToUnicode BaseEncodingCodes(std::string_view name);
// The own encoding of the Symbol or the ZapfDingbats font, which it keeps when no base
// encoding is named; none for any other font name.
std::optional<CodeToUnicode> FontOwnCodes(std::string_view font_name);

// Each byte as the table's character, appended to dest as extracted text (see
// AppendUnicodeCharacter); a Latin ligature gives its letters, and a code without a character
// a space.
void WriteByCodeTable(const CodeToUnicode& table, std::string_view source, std::string& dest);

}  // namespace lumenquill
