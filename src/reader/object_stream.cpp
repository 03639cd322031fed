#include "reader/object_stream.h"

#include <string>

#include "reader/byte_classes.h"
#include "reader/decimal_text.h"
#include "reader/reader_errors.h"
#include "reader/xref_stream.h"

namespace lumenquill {
namespace {

constexpr const char* kBadObjectStream = "オブジェクトストリームが不正です。";

// The next non-negative integer of the header from at on; at ends after it.
int32_t ReadHeaderInteger(std::string_view header, size_t& at) {
  while (at < header.size() && IsAnyWhiteSpace(header[at])) ++at;
  const size_t start = at;
  while (at < header.size() && !IsAnyWhiteSpace(header[at])) ++at;
  const std::optional<int32_t> value = ParseDecimal(header.substr(start, at - start));
  if (!value || *value < 0) throw LoadError(kBadObjectStream);
  return *value;
}

}  // namespace

std::vector<PackedObject> SplitObjectStream(std::string_view data, int32_t count, int32_t first) {
  if (first < 0 || static_cast<size_t>(first) > data.size()) throw LoadError(kBadObjectStream);
  const std::string_view header = data.substr(0, static_cast<size_t>(first));
  // Each pair takes at least "n o" and one blank byte before the next.
  if (count < 0 || count > kMaxObjectCount || int64_t{count} * 4 > int64_t{first} + 1) {
    throw LoadError(kBadObjectStream);
  }

  std::vector<PackedObject> objects(static_cast<size_t>(count));
  size_t at = 0;
  for (size_t i = 0; i < objects.size(); ++i) {
    objects[i].number = ReadHeaderInteger(header, at);
    objects[i].begin =
        static_cast<size_t>(first) + static_cast<size_t>(ReadHeaderInteger(header, at));
    const bool increasing = i == 0 || objects[i].begin > objects[i - 1].begin;
    if (!increasing || objects[i].begin >= data.size()) throw LoadError(kBadObjectStream);
  }
  for (size_t i = 0; i < objects.size(); ++i) {
    const size_t end = i + 1 < objects.size() ? objects[i + 1].begin : data.size();
    objects[i].size = end - objects[i].begin;
  }
  return objects;
}

}  // namespace lumenquill
