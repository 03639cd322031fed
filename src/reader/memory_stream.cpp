#include "reader/memory_stream.h"

#include <utility>

namespace lumenquill {

void MemoryStream::Write(std::string_view bytes) {
  if (bytes.empty()) return;
  const size_t at = Position() > 0 ? static_cast<size_t>(Position()) : 0;
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
  Reattach();
  SetPosition(0);
  return taken;
}

}  // namespace lumenquill
