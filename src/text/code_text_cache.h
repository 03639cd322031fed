#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "text/font_selection.h"

namespace lumenquill {

// The extracted text of each one-byte code of a font, converted on its first use: a page shows
// the same few dozen codes thousands of times, and a conversion costs far more than a copy.
// A one-byte code's text depends on the code alone, so the copy is what converting gives.
class CodeTextCache final {
 public:
  explicit CodeTextCache(const FontSelection& selection) : selection_(selection) {
    texts_.fill({kUnknown, 0});
  }

  // Appends the code's text to dest.
  void Append(uint8_t code, std::string& dest) {
    Text& text = texts_[code];
    if (text.begin == kUnknown) {
      text.begin = static_cast<uint32_t>(store_.size());
      const char byte = static_cast<char>(code);
      selection_.Convert(std::string_view(&byte, 1), store_);
      text.end = static_cast<uint32_t>(store_.size());
    }
    if (text.end - text.begin == 1) {
      dest.push_back(store_[text.begin]);
    } else {
      dest.append(store_.data() + text.begin, text.end - text.begin);
    }
  }

 private:
  static constexpr uint32_t kUnknown = UINT32_MAX;
  struct Text {
    uint32_t begin;  // in store_; kUnknown before the first use
    uint32_t end;
  };
  const FontSelection& selection_;
  std::array<Text, 256> texts_;
  std::string store_;
};

}  // namespace lumenquill
