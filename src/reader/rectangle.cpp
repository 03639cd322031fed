#include "reader/rectangle.h"

#include <cmath>
#include <limits>
#include <optional>

#include "reader/decimal_text.h"

namespace lumenquill {
namespace {

bool CanStartNumber(char c) { return c == '+' || c == '-' || (c >= '0' && c <= '9'); }
bool EndsNumber(char c) { return c == '\n' || c == '\r' || c == ' ' || c == ']'; }

// The next number text at the cursor: from the first byte that can start a number up to the
// end of the text, white space or "]".
std::string_view ReadNumberText(std::string_view text, size_t& cursor) {
  while (cursor < text.size() && !CanStartNumber(text[cursor])) ++cursor;
  const size_t start = cursor;
  while (cursor < text.size() && !EndsNumber(text[cursor])) ++cursor;
  return text.substr(start, cursor - start);
}

// The number rounded half to even, when the whole text is a decimal number within 32 bits.
std::optional<int32_t> RoundedNumber(std::string_view number) {
  if (number.empty()) return 0;
  const std::optional<double> value = DecimalToDouble(number);
  if (!value) return std::nullopt;
  const double rounded = std::nearbyint(*value);  // the default mode rounds halves to even
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace

void ParseRect(std::string_view text, Rectangle& rect) {
  rect = Rectangle{};
  int32_t* const values[] = {&rect.x1, &rect.y1, &rect.x2, &rect.y2};
  size_t cursor = 0;
  for (int32_t* value : values) {
    const std::optional<int32_t> number = RoundedNumber(ReadNumberText(text, cursor));
    if (!number) {
      rect = Rectangle{};
      return;
    }
    *value = *number;
  }
}

}  // namespace lumenquill
