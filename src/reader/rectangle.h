#pragma once

#include <cstdint>
#include <string_view>

namespace lumenquill {

struct Rectangle {
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
  bool operator==(const Rectangle&) const = default;
};

// Four numbers from the text of a rectangle array such as "[0 0 612 792]", each rounded to the
// nearest integer with halves to even. Bytes that cannot start a number are skipped, a missing
// number counts as 0, and a number that does not convert makes the whole rectangle zero.
void ParseRect(std::string_view text, Rectangle& rect);

}  // namespace lumenquill
