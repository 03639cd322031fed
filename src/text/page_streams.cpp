#include "text/page_streams.h"

#include "reader/memory_stream.h"

namespace lumenquill {

void PageStreams::StartPage() {
  page_decoded_.clear();
  page_decoded_share_.Reset();
  bytes_left_ = max_bytes_;
  exhausted_ = false;
}

const std::string* PageStreams::Take(int32_t n, StreamRole role) {
  if (exhausted_) return nullptr;
  const std::string& decoded = Decoded(n, role);
  const auto size = static_cast<int64_t>(decoded.size());
  if (size > bytes_left_ || size > kMaxLiveDecodedBytes - LiveDecodedBytes()) {
    exhausted_ = true;
    return nullptr;
  }
  bytes_left_ -= size;
  return &decoded;
}

const std::string& PageStreams::Decoded(int32_t n, StreamRole role) {
  if (const auto kept = kept_forms_.find(n); kept != kept_forms_.end()) return kept->second;
  if (const auto found = page_decoded_.find(n); found != page_decoded_.end()) return found->second;
  MemoryStream decoded;
  streams_.DecodeStreamObject(n, decoded);
  const auto size = static_cast<int64_t>(decoded.Size());
  if (role == StreamRole::kForm && size <= kept_form_bytes_left_) {
    kept_form_bytes_left_ -= size;
    return kept_forms_.emplace(n, decoded.Release(kept_forms_share_)).first->second;
  }
  return page_decoded_.emplace(n, decoded.Release(page_decoded_share_)).first->second;
}

}  // namespace lumenquill
