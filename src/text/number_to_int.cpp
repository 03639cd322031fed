#include "text/number_to_int.h"

#include "reader/decimal_text.h"

namespace lumenquill {

std::optional<int32_t> NumberToInt(std::string_view text) {
  if (text == "null") return 0;
  return RoundDecimal(text, BeyondInt32::kHeldAtEnds);
}

}  // namespace lumenquill
