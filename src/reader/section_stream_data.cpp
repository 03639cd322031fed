#include "reader/section_stream_data.h"

#include "reader/bounded_output.h"
#include "reader/memory_stream.h"
#include "reader/stream_filters.h"

namespace lumenquill {

std::string DecodeSectionStream(const FilterChain& filters, std::string_view raw) {
  constexpr const char* kUnsupported = "ストリームのフィルタに対応していません。";
  if (filters.names.empty()) {
    if (static_cast<int64_t>(raw.size()) > kMaxInflatedSize) throw Error(kUnsupported);
    return std::string(raw);
  }
  if (!FiltersSupported(filters)) throw Error(kUnsupported);
  MemoryStream decoded;
  ApplyFilters(raw, filters, decoded);
  return decoded.Release();
}

}  // namespace lumenquill
