#include "reader/decimal_text.h"

#include <limits>

namespace lumenquill {

int32_t DecimalToInt(std::string_view text, int32_t fallback) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return fallback;
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return fallback;
    value = value * 10 + (c - '0');
    if (value > limit) return fallback;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace lumenquill
