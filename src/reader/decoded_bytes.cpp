#include "reader/decoded_bytes.h"

namespace lumenquill {
namespace {

// Each conversion runs on one thread (jobs on Windows are threads), so each has its own sum.
thread_local int64_t live_decoded_bytes = 0;

}  // namespace

int64_t LiveDecodedBytes() { return live_decoded_bytes; }

bool DecodedBytes::TryAdd(int64_t count) {
  if (count > kMaxLiveDecodedBytes - live_decoded_bytes) return false;
  live_decoded_bytes += count;
  bytes_ += count;
  return true;
}

void DecodedBytes::Reset() {
  live_decoded_bytes -= bytes_;
  bytes_ = 0;
}

}  // namespace lumenquill
