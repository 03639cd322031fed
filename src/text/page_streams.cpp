#include "text/page_streams.h"

#include "reader/memory_stream.h"

namespace lumenquill {

const std::string* PageStreams::Take(int32_t n) {
  if (exhausted_) return nullptr;
  auto found = decoded_.find(n);
  if (found == decoded_.end()) {
    MemoryStream decoded;
    StringList filters;
    streams_.DecodeStreamObject(n, filters, decoded);
    found = decoded_.emplace(n, decoded.Release()).first;
  }
  const auto size = static_cast<int64_t>(found->second.size());
  if (size > bytes_left_) {
    exhausted_ = true;
    return nullptr;
  }
  bytes_left_ -= size;
  return &found->second;
}

}  // namespace lumenquill
