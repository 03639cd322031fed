#pragma once

#include <string>
#include <string_view>

#include "reader/byte_stream.h"
#include "reader/decoded_bytes.h"

namespace lumenquill {

// A byte stream over a buffer it owns, which writes extend. What the writes make the buffer
// hold counts against the decoded bytes of the thread (kMaxLiveDecodedBytes): decoders,
// their stages and the content of a page write here. A write that would pass that bound raises
// DecodedBytesError and leaves the stream as it was.
class MemoryStream final : public ByteStream {
 public:
  MemoryStream() = default;
  // A stream over bytes that already exist; only what writes add to them is counted.
  explicit MemoryStream(std::string data) : buffer_(std::move(data)) { Reattach(); }

  // Writes the bytes at the position (padding with zeros when the position lies past the end)
  // and moves the position after them.
  void Write(std::string_view bytes);

  void Append(std::string_view bytes) override {
    MakeRoom(buffer_.size() + bytes.size());
    buffer_.append(bytes);
    Reattach();
  }

  // Cuts the data back to its first size bytes, keeping its memory for reuse; the position
  // moves to the new end.
  void Truncate(size_t size) {
    if (size < buffer_.size()) buffer_.resize(size);
    Reattach();
    SetPosition(static_cast<int64_t>(buffer_.size()));
  }

  // Empties the stream, keeping its memory for reuse.
  void Clear() { Truncate(0); }

  // Takes the buffer away, leaving the stream empty at position 0. Its share of the bound is
  // given back, or handed to charge, which then stands for the buffer taken.
  std::string Release();
  std::string Release(DecodedBytes& charge);

 private:
  void Reattach() { Attach(buffer_.data(), static_cast<int64_t>(buffer_.size())); }
  // Grows the buffer to hold size bytes, by half its capacity at least so that a run of writes
  // moves it seldom, counting the old and the new buffer while the bytes move.
  void MakeRoom(size_t size);
  std::string buffer_;
  DecodedBytes charge_;  // the buffer's capacity, from its first growth on
};

}  // namespace lumenquill
