#include "reader/lzw_decode.h"

#include <array>
#include <cstdint>
#include <string>

#include "reader/bounded_output.h"

namespace lumenquill {
namespace {

constexpr int kClearTable = 256;
constexpr int kEndOfData = 257;
constexpr int kFirstFreeEntry = 258;
constexpr int kTableSize = 4096;
constexpr int kMinWidth = 9;
constexpr int kMaxWidth = 12;

// Reads codes of a given width, most significant bit first.
class CodeReader {
 public:
  explicit CodeReader(std::string_view input) : input_(input) {}

  // False when fewer than width bits are left.
  bool Read(int width, int& code) {
    while (bit_count_ < width) {
      if (next_byte_ == input_.size()) return false;
      bits_ = bits_ << 8 | static_cast<uint8_t>(input_[next_byte_++]);
      bit_count_ += 8;
    }
    bit_count_ -= width;
    code = static_cast<int>(bits_ >> bit_count_) & ((1 << width) - 1);
    return true;
  }

 private:
  std::string_view input_;
  size_t next_byte_ = 0;
  uint32_t bits_ = 0;  // the low bit_count_ bits are unread
  int bit_count_ = 0;
};

// A string of the table: the entry it extends, its last byte and its length.
struct Entry {
  uint16_t prefix;
  uint8_t last;
  uint16_t length;
};

}  // namespace

void DecodeLZW(std::string_view input, MemoryStream& dest, bool early_change) {
  BoundedOutput output(dest, "LZW圧縮を正常に展開できませんでした。");
  std::array<Entry, kTableSize> table{};
  for (int byte = 0; byte < 256; ++byte) table[byte] = {0, static_cast<uint8_t>(byte), 1};

  CodeReader reader(input);
  int width = kMinWidth;
  int next_entry = kFirstFreeEntry;
  int previous = -1;  // the code before, none after a clear
  std::string text;   // the string of the current code
  int code = 0;
  while (reader.Read(width, code)) {
    if (code == kClearTable) {
      width = kMinWidth;
      next_entry = kFirstFreeEntry;
      previous = -1;
      continue;
    }
    if (code == kEndOfData) return;
    // A code may name the entry it is about to create (its string is the previous string and
    // that string's first byte), but nothing after it.
    const bool creates_itself = code == next_entry;
    if (code > next_entry || (creates_itself && previous < 0)) return;

    const int expanded = creates_itself ? previous : code;
    text.resize(table[expanded].length);
    for (int at = expanded, i = static_cast<int>(text.size()) - 1; i >= 0; --i) {
      text[static_cast<size_t>(i)] = static_cast<char>(table[at].last);
      at = table[at].prefix;
    }
    if (creates_itself) text += text.front();

    if (previous >= 0 && next_entry < kTableSize) {
      table[next_entry] = {static_cast<uint16_t>(previous), static_cast<uint8_t>(text.front()),
                           static_cast<uint16_t>(table[previous].length + 1)};
      ++next_entry;
      if (next_entry + (early_change ? 1 : 0) >= 1 << width && width < kMaxWidth) ++width;
    }
    previous = code;
    output.Write(text);
  }
}

}  // namespace lumenquill
