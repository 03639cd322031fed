#pragma once

#include <cstdint>

namespace lumenquill {

// One entry of a generated code table: inputs first..last give results from result on.
struct CodeRange {
  uint16_t first;
  uint16_t last;
  uint16_t result;
};

}  // namespace lumenquill
