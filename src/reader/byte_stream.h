#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "reader/reader_errors.h"

namespace lumenquill {

// A seekable run of bytes held contiguously in memory. Every read works on the buffer directly:
// no system call and no virtual call per byte. The position may be set anywhere, also outside
// the data; a read there finds nothing (the strict reads raise ReadError), so an offset taken
// from a damaged file can never reach memory outside the buffer.
class ByteStream {
 public:
  virtual ~ByteStream() = default;
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  int64_t Position() const { return position_; }
  void SetPosition(int64_t position) { position_ = position; }
  // Moves the position by delta bytes (negative to step back).
  void Move(int64_t delta) { position_ += delta; }
  int64_t Size() const { return size_; }
  // Bytes from the position to the end; 0 when the position lies outside the data.
  int64_t Remaining() const { return static_cast<int64_t>(Rest().size()); }
  bool AtEnd() const { return Remaining() == 0; }

  // Strict one-byte read: raises ReadError when no byte is left.
  uint8_t ReadByte() {
    if (AtEnd()) throw ReadError();
    return static_cast<uint8_t>(data_[position_++]);
  }

  // Lenient one-byte read: false (and no move) when no byte is left.
  bool TryReadByte(uint8_t& byte) {
    if (AtEnd()) return false;
    byte = static_cast<uint8_t>(data_[position_++]);
    return true;
  }

  // Reads exactly count bytes or raises ReadError without moving.
  void ReadExact(void* destination, int64_t count) {
    if (count < 0 || count > Remaining()) throw ReadError();
    std::memcpy(destination, data_ + position_, static_cast<size_t>(count));
    position_ += count;
  }

  // The bytes from the position to the end, as a view, without moving; empty (but never null)
  // when the position lies outside the data.
  std::string_view Rest() const {
    // One unsigned comparison: a negative position wraps to beyond any size.
    if (static_cast<uint64_t>(position_) >= static_cast<uint64_t>(size_)) return {data_, 0};
    return {data_ + position_, static_cast<size_t>(size_ - position_)};
  }

  // The next count bytes (fewer near the end) as a view, without moving.
  std::string_view Peek(int64_t count) const {
    return Rest().substr(0, static_cast<size_t>(count > 0 ? count : 0));
  }

  // The whole data.
  std::string_view Bytes() const { return {data_, static_cast<size_t>(size_)}; }

  // Adds bytes after the end of the data, keeping the position. Views taken from Bytes() or
  // Peek() before it may no longer be valid.
  virtual void Append(std::string_view bytes) = 0;

 protected:
  ByteStream() = default;
  // Points the stream at the data its subclass holds; called again whenever that moves.
  void Attach(const char* data, int64_t size) {
    data_ = data;
    size_ = size;
  }

 private:
  const char* data_ = "";
  int64_t size_ = 0;
  int64_t position_ = 0;
};

// A stream over bytes held elsewhere, which must outlive it; it cannot grow.
class ByteView final : public ByteStream {
 public:
  explicit ByteView(std::string_view bytes, int64_t position = 0) {
    Attach(bytes.data(), static_cast<int64_t>(bytes.size()));
    SetPosition(position);
  }
  void Append(std::string_view) override { throw std::logic_error("ByteView cannot grow"); }
};

}  // namespace lumenquill
