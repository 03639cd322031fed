#pragma once

#include <string_view>

namespace lumenquill {

// Whether two texts are equal when ASCII letters are compared without regard to case (as the
// system compares INI keys and file extensions); other bytes must match exactly.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace lumenquill
