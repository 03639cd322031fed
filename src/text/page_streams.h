#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "content/pdf_stream_decoder.h"

namespace lumenquill {

// The most decoded bytes one page may hand to the interpreter: its content streams and every
// listing of its forms, a form listed twice counting twice. The form walk lists a form once for
// every path that reaches it (up to ten thousand listings) and one stream may inflate to
// kMaxInflatedSize (64 MiB), so without this bound a small file could keep the interpreter busy
// for hours. Real pages hand over a few megabytes at most; 256 MiB is four streams at the
// inflate bound, which an optimised build interprets in half a second when they are blank and
// in two or three seconds when they are dense with operators.
constexpr int64_t kMaxContentPerPage = int64_t{256} << 20;

// The decoded streams of one page, for its forms and its content: each stream object is decoded
// once and its bytes reused for every further listing, and the bytes handed out are bounded.
// One per page.
class PageStreams final {
 public:
  explicit PageStreams(TPDFStreamDecoder& streams, int64_t max_bytes = kMaxContentPerPage)
      : streams_(streams), bytes_left_(max_bytes) {}

  // The decoded bytes of stream object n. Nothing when they would take the page past its bound,
  // and nothing for any stream asked for after that: the rest of the page is passed over.
  // Raises what DecodeStreamObject raises.
  const std::string* Take(int32_t n);

 private:
  TPDFStreamDecoder& streams_;
  std::unordered_map<int32_t, std::string> decoded_;
  int64_t bytes_left_;
  bool exhausted_ = false;
};

}  // namespace lumenquill
