#pragma once

#include <cstdint>
#include <string_view>

namespace lumenquill {

// The character a glyph name stands for: a name of the Adobe Glyph List, uniXXXX or
// uXXXX[XX] in hexadecimal; a suffix after a period is ignored ("a.sc" is "a"). 0 for a name
// that gives no character.
char32_t GlyphNameToUnicode(std::string_view name);

}  // namespace lumenquill
