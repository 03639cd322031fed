#pragma once

#include <cstdint>
#include <string_view>

#include "reader/memory_stream.h"
#include "reader/reader_errors.h"

namespace lumenquill {

// The most one stream may decode to. Content streams of real documents stay far below it
// (a few megabytes for the densest pages); a stream that would decode past it (a compression
// bomb) keeps this much and counts as failed. It bounds the memory one stream can take.
constexpr int64_t kMaxInflatedSize = int64_t{64} << 20;

// Appends a decoder's output to dest, kMaxInflatedSize bytes at most.
class BoundedOutput {
 public:
  // failure is the message raised when the output would pass the bound.
  BoundedOutput(MemoryStream& dest, const char* failure) : dest_(dest), failure_(failure) {}

  // Appends bytes; when they would pass the bound, appends what fits and raises
  // Error(failure).
  void Write(std::string_view bytes) {
    const auto room = static_cast<size_t>(kMaxInflatedSize - written_);
    const size_t kept = bytes.size() < room ? bytes.size() : room;
    dest_.Write(bytes.substr(0, kept));
    written_ += static_cast<int64_t>(kept);
    if (kept < bytes.size()) throw Error(failure_);
  }

 private:
  MemoryStream& dest_;
  const char* failure_;
  int64_t written_ = 0;
};

}  // namespace lumenquill
