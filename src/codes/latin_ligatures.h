#pragma once

#include <cstdint>
#include <string_view>

namespace lumenquill {

// The letters a Latin ligature U+FB00-FB06 joins, which code page 932 lacks as one character;
// empty for any other unit.
inline std::string_view LatinLigatureLetters(char32_t unit) {
  constexpr std::string_view kLetters[] = {"ff", "fi", "fl", "ffi", "ffl", "st", "st"};
  return unit >= 0xFB00 && unit <= 0xFB06 ? kLetters[unit - 0xFB00] : std::string_view();
}

}  // namespace lumenquill
