#include "reader/rectangle.h"

#include <optional>

#include "reader/byte_classes.h"
#include "reader/decimal_text.h"

namespace lumenquill {
namespace {

bool CanStartNumber(char c) { return c == '+' || c == '-' || IsDecimalDigit(c); }
bool EndsNumber(char c) { return IsTokenWhiteSpace(c) || c == ']'; }

// The next number text at the cursor: from the first byte that can start a number up to the
// end of the text, white space or "]".
std::string_view ReadNumberText(std::string_view text, size_t& cursor) {
  while (cursor < text.size() && !CanStartNumber(text[cursor])) ++cursor;
  const size_t start = cursor;
  while (cursor < text.size() && !EndsNumber(text[cursor])) ++cursor;
  return text.substr(start, cursor - start);
}

}  // namespace

void ParseRect(std::string_view text, Rectangle& rect) {
  rect = Rectangle{};
  int32_t* const values[] = {&rect.x1, &rect.y1, &rect.x2, &rect.y2};
  size_t cursor = 0;
  for (int32_t* value : values) {
    // A missing number counts as 0; one beyond 32 bits fails like any other bad number.
    const std::string_view number_text = ReadNumberText(text, cursor);
    const std::optional<int32_t> number =
        number_text.empty() ? 0 : RoundDecimal(number_text, BeyondInt32::kRefused);
    if (!number) {
      rect = Rectangle{};
      return;
    }
    *value = *number;
  }
}

}  // namespace lumenquill
