#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "reader/pdf_strings.h"

namespace lumenquill {

// Byte helpers of the code tables; the PDF string syntaxes are read by reader/pdf_strings.h.

// The two bytes at i, high byte first (the caller checks that both are there).
inline uint16_t BigEndianAt(std::string_view bytes, size_t i) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[i]) << 8 |
                               static_cast<uint8_t>(bytes[i + 1]));
}
}  // namespace lumenquill
