#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "reader/reader_errors.h"

namespace lumenquill {

// The index as a position in a container of that size, or the container's own
// index-out-of-range error.
inline size_t CheckListIndex(int32_t index, size_t size) {
  if (index < 0 || static_cast<size_t>(index) >= size) {
    throw IndexError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
  }
  return static_cast<size_t>(index);
}

}  // namespace lumenquill
