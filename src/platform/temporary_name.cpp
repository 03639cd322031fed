#include "platform/temporary_name.h"

#include <algorithm>

namespace lumenquill {
namespace {

struct Character {
  size_t bytes;
  size_t units;
};

// The UTF-8 character that starts at name[i]; a byte that starts none stands alone.
Character CharacterAt(std::string_view name, size_t i, NameUnits units) {
  const auto lead = static_cast<unsigned char>(name[i]);
  const size_t length = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  const size_t bytes = std::min(length, name.size() - i);
  return {bytes, units == NameUnits::kBytes ? bytes : bytes == 4 ? 2 : 1};
}

size_t LengthIn(std::string_view name, NameUnits units) {
  size_t length = 0;
  for (size_t i = 0; i < name.size(); i += CharacterAt(name, i, units).bytes) {
    length += CharacterAt(name, i, units).units;
  }
  return length;
}

}  // namespace

std::string HiddenTemporaryName(std::string_view name, NameUnits units) {
  constexpr std::string_view kSuffix = ".XXXXXX";
  constexpr size_t kAdded = 1 + kSuffix.size();  // the leading "." and the suffix
  const size_t budget = std::max(LengthIn(name, units), kAdded) - kAdded;
  size_t kept_bytes = 0;
  for (size_t kept_units = 0; kept_bytes < name.size();) {
    const Character next = CharacterAt(name, kept_bytes, units);
    if (kept_units + next.units > budget) break;
    kept_units += next.units;
    kept_bytes += next.bytes;
  }
  return "." + std::string(name.substr(0, kept_bytes)) + std::string(kSuffix);
}

}  // namespace lumenquill
