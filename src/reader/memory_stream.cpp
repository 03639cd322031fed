#include "reader/memory_stream.h"

#include <algorithm>
#include <utility>

namespace lumenquill {

void MemoryStream::Write(std::string_view bytes) {
  if (bytes.empty()) return;
  const size_t at = Position() > 0 ? static_cast<size_t>(Position()) : 0;
  MakeRoom(at + bytes.size());
  if (at == buffer_.size()) {
    buffer_.append(bytes);
  } else {
    if (at + bytes.size() > buffer_.size()) buffer_.resize(at + bytes.size());
    buffer_.replace(at, bytes.size(), bytes);
  }
  Reattach();
  SetPosition(static_cast<int64_t>(at + bytes.size()));
}

std::string MemoryStream::Release() {
  std::string taken = std::exchange(buffer_, std::string());
  charge_.Reset();
  Reattach();
  SetPosition(0);
  return taken;
}

std::string MemoryStream::Release(DecodedBytes& charge) {
  charge.Join(std::move(charge_));
  return Release();
}

void MemoryStream::MakeRoom(size_t size) {
  if (size <= buffer_.capacity()) return;
  const size_t capacity = std::max(size, buffer_.capacity() + buffer_.capacity() / 2);
  DecodedBytes grown;
  grown.Add(static_cast<int64_t>(capacity));
  // A new string reserves exactly what it is asked for; growing the old one in place could
  // round the capacity up.
  std::string moved;
  moved.reserve(capacity);
  moved.append(buffer_);
  buffer_ = std::move(moved);
  charge_ = std::move(grown);  // the old buffer is gone, and its share with it
}

}  // namespace lumenquill
