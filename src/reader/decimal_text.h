#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumenquill {

// The value of a decimal integer text (optional sign, then digits only) that fits in 32 bits,
// or fallback when the text is anything else.
int32_t DecimalToInt(std::string_view text, int32_t fallback);

// The value of a decimal number text (optional sign, digits, optional fraction after a
// period, optional exponent), when the whole text is one and the value is finite.
std::optional<double> DecimalToDouble(std::string_view text);

// The value of a hexadecimal digit (0-9, A-F, a-f), or -1 for any other byte.
inline int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace lumenquill
