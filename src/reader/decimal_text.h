#pragma once

#include <cstdint>
#include <string_view>

namespace lumenquill {

// The value of a decimal integer text (optional sign, then digits only) that fits in 32 bits,
// or fallback when the text is anything else.
int32_t DecimalToInt(std::string_view text, int32_t fallback);

}  // namespace lumenquill
