#include "reader/section_stream_data.h"

#include "reader/bounded_output.h"
#include "reader/memory_stream.h"
#include "reader/stream_dictionary.h"
#include "reader/stream_filters.h"

namespace lumenquill {

std::string DecodeSectionStream(TPDFAnalyst& reader, const TextDictionary& dictionary,
                                std::string_view raw) {
  constexpr const char* kUnsupported = "ストリームのフィルタに対応していません。";
  StreamDictionary entries(reader);
  for (const char* key : {"/Filter", "/DecodeParms"}) {
    const auto entry = dictionary.find(key);
    if (entry == dictionary.end()) continue;
    MemoryStream value = ValueStream(entry->second);
    entries.ReadEntry(key, value);
  }
  const FilterChain filters = entries.Filters();
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
