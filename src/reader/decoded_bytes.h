#pragma once

#include <cstdint>
#include <utility>

#include "reader/reader_errors.h"

namespace lumenquill {

// The most decoded bytes that may be alive at once on one thread, that is in one conversion:
// the outputs and working buffers of the stream decoders and the decoded streams a page keeps
// and copies. One stream is bounded by kMaxInflatedSize, but a page may chain, list and copy
// many of them; bounding their sum keeps a whole run of any file within a known memory size.
constexpr int64_t kMaxLiveDecodedBytes = int64_t{384} << 20;

// Raised when a buffer of decoded bytes would take the thread past kMaxLiveDecodedBytes.
class DecodedBytesError : public Error {
 public:
  DecodedBytesError() : Error("展開したデータが大きすぎます。") {}
};

// The decoded bytes alive on the calling thread.
int64_t LiveDecodedBytes();

// A share of the bound held by one buffer, given back when the share is destroyed or replaced.
class DecodedBytes final {
 public:
  DecodedBytes() = default;
  ~DecodedBytes() { Reset(); }
  DecodedBytes(DecodedBytes&& other) noexcept : bytes_(std::exchange(other.bytes_, 0)) {}
  DecodedBytes& operator=(DecodedBytes&& other) noexcept {
    if (this != &other) {
      Reset();
      bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
  }
  DecodedBytes(const DecodedBytes&) = delete;
  DecodedBytes& operator=(const DecodedBytes&) = delete;

  // Adds count bytes to the share; false, adding nothing, when that would pass the bound.
  bool TryAdd(int64_t count);
  // Adds count bytes or raises DecodedBytesError.
  void Add(int64_t count) {
    if (!TryAdd(count)) throw DecodedBytesError();
  }
  // Gives the whole share back.
  void Reset();
  // Takes other's share into this one.
  void Join(DecodedBytes&& other) { bytes_ += std::exchange(other.bytes_, 0); }

 private:
  int64_t bytes_ = 0;
};

}  // namespace lumenquill
