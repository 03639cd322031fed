#include "content/font_names.h"

#include <optional>

#include "reader/byte_classes.h"

namespace lumenquill {
namespace {

bool IsLeadByte(int v) { return (v >= 0x80 && v <= 0x9F) || (v >= 0xE0 && v <= 0xFC); }
bool IsSingleByte(int v) { return (v >= 0x20 && v <= 0x7E) || (v >= 0xA1 && v <= 0xDF); }
bool IsTrailByte(int v) { return (v >= 0x40 && v <= 0x7E) || (v >= 0x80 && v <= 0xFC); }

// The decoded text, or nothing when an escape fails the test.
std::optional<std::string> TryDecodeNameEscapes(std::string_view text) {
  std::string result;
  int lead = -1;  // a pending lead byte waiting for its trail
  for (size_t i = 0; i < text.size(); ++i) {
    int value = static_cast<unsigned char>(text[i]);
    const bool escaped = text[i] == '#';
    if (escaped) {
      if (i + 2 >= text.size()) break;
      const int high = HexDigitValue(text[i + 1]);
      const int low = HexDigitValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      value = high << 4 | low;
      i += 2;
    }
    if (lead >= 0) {
      if (!IsTrailByte(value)) return std::nullopt;
      result.push_back(static_cast<char>(lead));
      result.push_back(static_cast<char>(value));
      lead = -1;
    } else if (!escaped) {
      result.push_back(static_cast<char>(value));
    } else if (IsLeadByte(value)) {
      lead = value;
    } else if (IsSingleByte(value)) {
      result.push_back(static_cast<char>(value));
    } else {
      return std::nullopt;
    }
  }
  return result;
}

}  // namespace

std::string RemoveSlashes(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    if (c != '/') result.push_back(c);
  }
  return result;
}

std::string DecodeNameEscapes(std::string_view text) {
  return TryDecodeNameEscapes(text).value_or(std::string(text));
}

}  // namespace lumenquill
