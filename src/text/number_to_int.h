#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumenquill {

// A number operand rounded to the nearest integer, halves to even; "null" gives 0. Values
// beyond the 32-bit range are held at its ends, so a very large move or kerning still counts
// as large.
std::optional<int32_t> NumberToInt(std::string_view text);
// The number operand times scale, rounded and held as NumberToInt does.
std::optional<int32_t> ScaledNumberToInt(std::string_view text, double scale);

}  // namespace lumenquill
