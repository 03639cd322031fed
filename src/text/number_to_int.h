#pragma once

#include <cstdint>
#include <string_view>

namespace lumenquill {

// A number operand rounded to the nearest integer, halves to even; "null" gives 0, a text that
// is not a decimal number gives fallback. Values beyond the 32-bit range are held at its
// ends, so a very large move or kerning still counts as large.
int32_t NumberToIntDef(std::string_view text, int32_t fallback);

}  // namespace lumenquill
