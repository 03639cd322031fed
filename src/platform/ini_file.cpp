#include "platform/ini_file.h"

#include <charconv>
#include <string_view>

namespace lumenquill {

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  return FindProfileValue(path, section, key).value_or(fallback);
}

int32_t ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                       int32_t fallback) {
  const std::optional<std::string> value = FindProfileValue(path, section, key);
  if (!value) return fallback;
  // The leading digits; a longer run of digits stays at the limit.
  const bool negative = value->starts_with('-');
  const std::string_view digits = std::string_view(*value).substr(negative ? 1 : 0);
  uint32_t number = 0;
  const std::errc error = std::from_chars(digits.data(), digits.data() + digits.size(), number).ec;
  if (error == std::errc::result_out_of_range || number > INT32_MAX) number = INT32_MAX;
  return negative ? -static_cast<int32_t>(number) : static_cast<int32_t>(number);
}

}  // namespace lumenquill
