#include "text/number_to_int.h"

#include "reader/decimal_text.h"

namespace lumenquill {

std::optional<int32_t> NumberToInt(std::string_view text) {
  if (text == "null") return 0;
  return RoundDecimal(text, BeyondInt32::kHeldAtEnds);
}

std::optional<int32_t> ScaledNumberToInt(std::string_view text, double scale) {
  if (scale == 1) return NumberToInt(text);
  if (text == "null") return 0;
  const std::optional<double> value = DecimalToDouble(text);
  if (!value) return std::nullopt;
  return RoundToInt32(*value * scale, BeyondInt32::kHeldAtEnds);
}

}  // namespace lumenquill
