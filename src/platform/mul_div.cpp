#include "platform/mul_div.h"

#include <limits>

namespace lumenquill {

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
  if (denominator == 0) return -1;
  const int64_t product = int64_t{number} * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const uint64_t magnitude = product < 0 ? -static_cast<uint64_t>(product) : product;
  const uint64_t divisor = denominator < 0 ? -static_cast<uint64_t>(int64_t{denominator})
                                           : static_cast<uint64_t>(denominator);
  const uint64_t rounded = (magnitude + divisor / 2) / divisor;
  if (rounded > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return -1;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(rounded)
                                       : static_cast<int64_t>(rounded));
}

}  // namespace lumenquill
