#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "content/page_resource_reader.h"
#include "reader/decoded_bytes.h"

namespace lumenquill {

// The most decoded bytes one page may hand to the interpreter: its content streams and every
// listing of its forms, a form listed twice counting twice. The form walk lists a form once for
// every path that reaches it (up to ten thousand listings) and one stream may inflate to
// kMaxInflatedSize (64 MiB), so without this bound a small file could keep the interpreter busy
// for hours. Real pages hand over a few megabytes at most; 256 MiB is four streams at the
// inflate bound, which an optimised build interprets in half a second when they are blank and
// in two or three seconds when they are dense with operators.
constexpr int64_t kMaxContentPerPage = int64_t{256} << 20;

// How many decoded bytes of forms are kept from page to page for the whole extraction.
// Forms that recur (headers, footers, stamps) are small; a few megabytes hold them all.
constexpr int64_t kMaxKeptFormBytes = int64_t{8} << 20;

// What a stream is to the page that lists it.
enum class StreamRole { kContent, kForm };

// The decoded streams of the pages, for their forms and their content: each stream object is
// decoded once per page and its bytes reused for every further listing on it, and the bytes a
// page is handed are bounded. A form's bytes are also kept for the pages after it, up to
// kMaxKeptFormBytes in all, since the same forms recur on every page of many documents.
class PageStreams final {
 public:
  explicit PageStreams(PageResourceReader& streams, int64_t max_bytes = kMaxContentPerPage,
                       int64_t max_kept_form_bytes = kMaxKeptFormBytes)
      : streams_(streams), max_bytes_(max_bytes), kept_form_bytes_left_(max_kept_form_bytes) {
    StartPage();
  }

  // Starts the next page: its bound starts afresh and the streams of the page before are
  // dropped, save the forms kept.
  void StartPage();

  // The decoded bytes of stream object n. Nothing when they would take the page past its bound,
  // or leave no room under kMaxLiveDecodedBytes for the caller's copy of them, and nothing for
  // any stream asked for after that: the rest of the page is passed over. Raises what
  // DecodeStreamObject raises.
  const std::string* Take(int32_t n, StreamRole role);

 private:
  const std::string& Decoded(int32_t n, StreamRole role);

  PageResourceReader& streams_;
  const int64_t max_bytes_;
  std::unordered_map<int32_t, std::string> page_decoded_;
  std::unordered_map<int32_t, std::string> kept_forms_;
  // Their shares of the thread's decoded bytes.
  DecodedBytes page_decoded_share_;
  DecodedBytes kept_forms_share_;
  int64_t kept_form_bytes_left_;
  int64_t bytes_left_ = 0;
  bool exhausted_ = false;
};

}  // namespace lumenquill
