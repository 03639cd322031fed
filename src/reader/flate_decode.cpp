#include "reader/flate_decode.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

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

}  // namespace

int64_t DecodeFlate(std::string_view input, MemoryStream& dest) {
  InflateStream inflater;
  BoundedOutput output(dest, kFlateFailure);
  // zlib counts in 32 bits: feed the input in slices it can take.
  constexpr size_t kMaxSlice = size_t{1} << 30;
  size_t consumed = 0;
  // Three times the input is enough for most streams in one pass; the chunk grows no further
  // than needed to reach the cap.
  const size_t chunk_size = std::clamp<size_t>(input.size() * 3, size_t{1} << 12, size_t{1} << 22);
  auto chunk = std::make_unique<unsigned char[]>(chunk_size);

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
  return dest.Size();
}

}  // namespace lumenquill
