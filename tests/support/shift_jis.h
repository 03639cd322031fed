#pragma once

#include <string>
#include <string_view>

#include "codes/text_encoder.h"

namespace lumenquill::testing {

// Extracted text as the Shift-JIS output writes it: what the converters' tests compare.
inline std::string ShiftJIS(std::string_view extracted) {
  std::string bytes;
  TextEncoder().Encode(extracted, bytes);
  return bytes;
}

}  // namespace lumenquill::testing
