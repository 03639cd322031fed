#include "text/number_to_int.h"

#include <cmath>
#include <limits>

#include "reader/decimal_text.h"

namespace lumenquill {

int32_t NumberToIntDef(std::string_view text, int32_t fallback) {
  if (text == "null") return 0;
  const std::optional<double> value = DecimalToDouble(text);
  if (!value) return fallback;
  const double rounded = std::nearbyint(*value);  // the default mode rounds halves to even
  if (rounded <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (rounded >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(rounded);
}

}  // namespace lumenquill
