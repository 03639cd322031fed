#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumenquill {

// The value of a decimal integer text (optional sign, then digits only) that fits in 32 bits.
std::optional<int32_t> ParseDecimal(std::string_view text);

// The value of a decimal number text (optional sign, digits, optional fraction after a
// period, optional exponent), when the whole text is one and the value is finite.
std::optional<double> DecimalToDouble(std::string_view text);

// What becomes of a rounded value beyond the 32-bit range.
enum class BeyondInt32 { kHeldAtEnds, kRefused };

// A decimal number text, as DecimalToDouble reads it, rounded to the nearest integer with
// halves to even.
std::optional<int32_t> RoundDecimal(std::string_view text, BeyondInt32 beyond);
// A value rounded as RoundDecimal rounds it.
std::optional<int32_t> RoundToInt32(double value, BeyondInt32 beyond);

}  // namespace lumenquill
