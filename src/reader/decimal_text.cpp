#include "reader/decimal_text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "reader/byte_classes.h"

namespace lumenquill {

std::optional<int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t value = 0;
  for (const char c : text) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

std::optional<double> DecimalToDouble(std::string_view text) {
  // Most operands are integers, exact as doubles: only the others go through from_chars, which
  // costs far more. "-0" stays the negative zero from_chars makes of it.
  if (const std::optional<int32_t> integer = ParseDecimal(text)) {
    return *integer == 0 && text.front() == '-' ? -0.0 : static_cast<double>(*integer);
  }
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<int32_t> RoundDecimal(std::string_view text, BeyondInt32 beyond) {
  // Most operands are integers, which need no conversion through a double.
  if (const std::optional<int32_t> integer = ParseDecimal(text)) return integer;
  const std::optional<double> value = DecimalToDouble(text);
  if (!value) return std::nullopt;
  return RoundToInt32(*value, beyond);
}

std::optional<int32_t> RoundToInt32(double value, BeyondInt32 beyond) {
  const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  if (rounded < kMin || rounded > kMax) {
    if (beyond == BeyondInt32::kRefused) return std::nullopt;
    return rounded < kMin ? kMin : kMax;
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace lumenquill
