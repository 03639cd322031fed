#pragma once

#include <cstdint>

namespace lumenquill {

// number × numerator / denominator computed in 64 bits and rounded to the nearest integer,
// halves away from zero; -1 when the denominator is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

}  // namespace lumenquill
