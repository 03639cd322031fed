#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/font_selection.h"

namespace lumenquill {

// The extracted text of each code of one or two bytes of a font, converted on its first use: a
// page shows the same few dozen codes (a Japanese page the same few thousand) thousands of times,
// and a conversion costs far more than a copy. A code's text depends on the code alone, so the
// copy is what converting gives. The texts of two-byte codes are kept in tables of 256, one for
// each first byte used. What the caches of a page keep (tables and texts) comes out of a budget
// they share; past it, a code is converted at each use.
class CodeTextCache final {
 public:
  // budget: the bytes the caches that share it may still take; it outlives the cache. The
  // selection is copied: what it points to must outlive the cache.
  CodeTextCache(const FontSelection& selection, size_t& budget)
      : selection_(selection), budget_(budget) {
    one_byte_.fill(kUnknownText);
    own_byte_.fill(false);
    table_of_first_byte_.fill(kNoTable);
  }

  // Appends the text of a one-byte code to dest.
  void Append(uint8_t code, std::string& dest) {
    Text& text = one_byte_[code];
    if (text.begin == kUnknown) {
      const char byte = static_cast<char>(code);
      Convert(std::string_view(&byte, 1), text, dest);
      own_byte_[code] = code < 0x80 && text.begin != kUnknown && text.end - text.begin == 1 &&
                        store_[text.begin] == byte;
      return;
    }
    if (text.end - text.begin == 1) {
      dest.push_back(store_[text.begin]);
    } else {
      dest.append(store_.data() + text.begin, text.end - text.begin);
    }
  }

  // Appends the text of a code of any length to dest.
  void Append(std::string_view code, std::string& dest) {
    if (code.size() == 1) return Append(static_cast<uint8_t>(code[0]), dest);
    Text* const text = code.size() == 2 ? TwoByteText(code) : nullptr;
    if (text == nullptr) {
      selection_.Convert(code, dest);
    } else if (text->begin == kUnknown) {
      Convert(code, *text, dest);
    } else {
      dest.append(store_.data() + text->begin, text->end - text->begin);
    }
  }

  // Whether the text of each of the string's one-byte codes is known to be that byte itself, an
  // ASCII character, as plain ASCII text is. A code not used before is not known: Append
  // converts it.
  bool AreOwnBytes(std::string_view codes) const {
    return std::all_of(codes.begin(), codes.end(),
                       [this](char byte) { return own_byte_[static_cast<uint8_t>(byte)]; });
  }

 private:
  static constexpr uint32_t kUnknown = UINT32_MAX;
  static constexpr uint16_t kNoTable = UINT16_MAX;
  struct Text {
    uint32_t begin;  // in store_; kUnknown before the first use
    uint32_t end;
  };
  static constexpr Text kUnknownText{kUnknown, 0};
  using Table = std::array<Text, 256>;

  // The entry of a two-byte code, its table made on the first code with its first byte; null
  // when the budget cannot pay for the table.
  Text* TwoByteText(std::string_view code) {
    uint16_t& table = table_of_first_byte_[static_cast<uint8_t>(code[0])];
    if (table == kNoTable) {
      if (budget_ < sizeof(Table)) return nullptr;
      budget_ -= sizeof(Table);
      table = static_cast<uint16_t>(two_byte_.size() / 256);
      two_byte_.resize(two_byte_.size() + 256, kUnknownText);
    }
    return &two_byte_[size_t{table} * 256 + static_cast<uint8_t>(code[1])];
  }

  // Converts the code into dest and keeps its text, when the budget pays for it.
  void Convert(std::string_view code, Text& text, std::string& dest) {
    const size_t begin = dest.size();
    selection_.Convert(code, dest);
    const size_t length = dest.size() - begin;
    if (length > budget_) return;
    budget_ -= length;
    text.begin = static_cast<uint32_t>(store_.size());
    store_.append(dest, begin, length);
    text.end = static_cast<uint32_t>(store_.size());
  }

  const FontSelection selection_;
  size_t& budget_;
  std::array<Text, 256> one_byte_;
  std::array<bool, 256> own_byte_;  // whether a one-byte code is ASCII and its own known text
  std::array<uint16_t, 256> table_of_first_byte_;  // in two_byte_, by 256 entries
  std::vector<Text> two_byte_;
  std::string store_;
};

}  // namespace lumenquill
