#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codes/extracted_text.h"

namespace lumenquill {

// What stands for a malformed sequence or a value that is no character.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character a Unicode source (a ToUnicode map, a Unicode CMap, a glyph name, a TrueType
// cmap) gives, appended to dest as extracted text: U+0000 gives nothing, and so does a
// variation selector beyond the BMP (U+E0100-E01EF), which only chooses a glyph of the
// character before it; a surrogate or a value past U+10FFFF, which is no character, gives
// U+FFFD. Inline: strings convert through here character by character.
inline void AppendUnicodeCharacter(char32_t c, std::string& dest) {
  if (c == 0 || (c >= 0xE0100 && c <= 0xE01EF)) return;
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacementCharacter;
  AppendExtracted(c, dest);
}

// Text in the Unicode encodings of the UniJIS CMaps (UTF-16, UTF-8, UTF-32, big-endian where
// it matters), appended to dest as extracted text, each character as AppendUnicodeCharacter
// appends it; a UTF-16 surrogate pair is one character. A malformed sequence (a lone
// surrogate, a UTF-8 byte that starts no character) gives U+FFFD. An incomplete last code is
// ignored.
void ConvertUTF16(std::string_view source, std::string& dest);
void ConvertUTF8(std::string_view source, std::string& dest);
void ConvertUTF32(std::string_view source, std::string& dest);

}  // namespace lumenquill
