#pragma once

#include <cstdint>

#include "reader/byte_stream.h"

namespace lumenquill {

// Remembers a stream's position and sets it back when the scope ends, so that operations on
// the shared file stream can be interleaved by their callers.
class PositionGuard final {
 public:
  explicit PositionGuard(ByteStream& stream) : stream_(stream), position_(stream.Position()) {}
  ~PositionGuard() { stream_.SetPosition(position_); }
  PositionGuard(const PositionGuard&) = delete;
  PositionGuard& operator=(const PositionGuard&) = delete;

 private:
  ByteStream& stream_;
  int64_t position_;
};

}  // namespace lumenquill
