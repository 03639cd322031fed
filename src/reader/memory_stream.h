#pragma once

#include <string>
#include <string_view>

#include "reader/byte_stream.h"

namespace lumenquill {

// A byte stream over a buffer it owns, which writes extend.
class MemoryStream final : public ByteStream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::string data) : buffer_(std::move(data)) { Reattach(); }

  // Writes the bytes at the position (padding with zeros when the position lies past the end)
  // and moves the position after them.
  void Write(std::string_view bytes);

  void Append(std::string_view bytes) override {
    buffer_.append(bytes);
    Reattach();
  }

  // Empties the stream, keeping its memory for reuse.
  void Clear() {
    buffer_.clear();
    Reattach();
    SetPosition(0);
  }

  // Takes the buffer away, leaving the stream empty at position 0.
  std::string Release();

 private:
  void Reattach() { Attach(buffer_.data(), static_cast<int64_t>(buffer_.size())); }
  std::string buffer_;
};

}  // namespace lumenquill
