#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumenquill {

// Text in the Unicode encodings of the UniJIS CMaps (UTF-16, UTF-8, UTF-32, big-endian where
// it matters), converted to Shift-JIS and appended to dest. Each character is converted as one
// UCS-2 unit is (see AppendUCS2Unit); a character beyond U+FFFF, which code page 932 does not
// hold, becomes one space (a variation selector nothing), and so does a malformed sequence. An
// incomplete last code is ignored.
void ConvertUTF16(std::string_view source, std::string& dest);
void ConvertUTF8(std::string_view source, std::string& dest);
void ConvertUTF32(std::string_view source, std::string& dest);

}  // namespace lumenquill
