#include "platform/ini_file.h"

namespace lumenquill {

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  return FindProfileValue(path, section, key).value_or(fallback);
}

int32_t ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                       int32_t fallback) {
  const std::optional<std::string> value = FindProfileValue(path, section, key);
  if (!value) return fallback;
  size_t i = 0;
  const bool negative = !value->empty() && (*value)[0] == '-';
  if (negative) ++i;
  int64_t number = 0;
  for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
    number = number * 10 + ((*value)[i] - '0');
    if (number > INT32_MAX) number = INT32_MAX;  // a long run of digits stays at the limit
  }
  return static_cast<int32_t>(negative ? -number : number);
}

}  // namespace lumenquill
