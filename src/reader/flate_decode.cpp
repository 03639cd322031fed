#include "reader/flate_decode.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <memory>

#include "reader/decoded_bytes.h"
#include "reader/reader_errors.h"

namespace lumenquill {
namespace {

constexpr const char* kFlateFailure = "flate圧縮を正常に展開できませんでした。";

[[noreturn]] void RaiseFlateError() { throw Error(kFlateFailure); }

struct InflateStream {
  z_stream z{};
  InflateStream() {
    if (inflateInit(&z) != Z_OK) RaiseFlateError();
  }
  ~InflateStream() { inflateEnd(&z); }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
};

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* decompressor) const {
    libdeflate_free_decompressor(decompressor);
  }
};

// The whole-buffer decompressor of the calling thread, made on its first use and kept: making
// one costs more than inflating a small stream.
libdeflate_decompressor* ThreadDecompressor() {
  thread_local const std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor(
      libdeflate_alloc_decompressor());
  return decompressor.get();
}

// Inflates a complete, intact zlib stream (bytes may follow it) in one call into a buffer of a
// guessed size, retried four times larger while it is too small, and appends the result to dest.
// The buffer and dest count together against the thread's decoded bytes.
// Returns false, having written nothing, for every other input: damaged or truncated data, a
// wrong checksum, output past kMaxInflatedSize, no memory for the decompressor, or no room under
// kMaxLiveDecodedBytes for the buffer and the copy in dest.
bool InflateWhole(std::string_view input, MemoryStream& dest) {
  libdeflate_decompressor* decompressor = ThreadDecompressor();
  if (decompressor == nullptr) return false;
  constexpr auto kBound = static_cast<size_t>(kMaxInflatedSize);
  // Content streams inflate to a few times their size. The buffer is not zero-filled, so pages
  // of a generous guess that the output does not reach cost nothing.
  size_t capacity = std::clamp<size_t>(input.size() * 8, size_t{1} << 16, kBound);
  for (;;) {
    DecodedBytes buffer_share;
    if (!buffer_share.TryAdd(static_cast<int64_t>(capacity))) return false;
    const auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    size_t used = 0;  // asking for it lets bytes follow the stream
    size_t written = 0;
    const libdeflate_result result = libdeflate_zlib_decompress_ex(
        decompressor, input.data(), input.size(), buffer.get(), capacity, &used, &written);
    if (result == LIBDEFLATE_SUCCESS) {
      try {
        dest.Write(std::string_view(buffer.get(), written));
      } catch (const DecodedBytesError&) {
        return false;  // zlib then writes what fits
      }
      return true;
    }
    if (result != LIBDEFLATE_INSUFFICIENT_SPACE || capacity == kBound) return false;
    capacity = std::min(capacity * 4, kBound);
  }
}

// Inflates input piece by piece with zlib, which keeps the output before a fault or the end of
// the input and stops at the bound.
void InflateStreaming(std::string_view input, MemoryStream& dest) {
  InflateStream inflater;
  BoundedOutput output(dest, kFlateFailure);
  // zlib counts in 32 bits: feed the input in slices it can take.
  constexpr size_t kMaxSlice = size_t{1} << 30;
  size_t consumed = 0;
  // Three times the input is enough for most streams in one pass; the chunk grows no further
  // than needed to reach the cap.
  const size_t chunk_size = std::clamp<size_t>(input.size() * 3, size_t{1} << 12, size_t{1} << 22);
  const auto chunk = std::make_unique_for_overwrite<unsigned char[]>(chunk_size);

  for (;;) {
    if (inflater.z.avail_in == 0 && consumed < input.size()) {
      const size_t slice = std::min(kMaxSlice, input.size() - consumed);
      inflater.z.next_in =
          reinterpret_cast<unsigned char*>(const_cast<char*>(input.data() + consumed));
      inflater.z.avail_in = static_cast<uInt>(slice);
      consumed += slice;
    }
    inflater.z.next_out = chunk.get();
    inflater.z.avail_out = static_cast<uInt>(chunk_size);
    const int result = inflate(&inflater.z, Z_NO_FLUSH);
    const size_t written = chunk_size - inflater.z.avail_out;
    output.Write(std::string_view(reinterpret_cast<const char*>(chunk.get()), written));
    if (result == Z_STREAM_END) break;
    if (result == Z_BUF_ERROR && inflater.z.avail_in == 0 && consumed == input.size()) break;
    if (result != Z_OK && result != Z_BUF_ERROR) RaiseFlateError();
  }
}

}  // namespace

// libdeflate inflates whole buffers about twice as fast as zlib; whatever it does not inflate
// cleanly goes through zlib, whose partial output and errors are what callers rely on.
int64_t DecodeFlate(std::string_view input, MemoryStream& dest) {
  if (!InflateWhole(input, dest)) InflateStreaming(input, dest);
  return dest.Size();
}

}  // namespace lumenquill
