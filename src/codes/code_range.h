#pragma once

#include <cstdint>

namespace lumenquill {

// One entry of a generated code table: inputs first..last give results from result on.
struct CodeRange {
  uint16_t first;
  uint16_t last;
  uint16_t result;
};

// An entry whose inputs or results go beyond 16 bits (code points past the Basic Multilingual
// Plane).
struct WideCodeRange {
  char32_t first;
  char32_t last;
  char32_t result;
};

}  // namespace lumenquill
