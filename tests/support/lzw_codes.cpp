#include "support/lzw_codes.h"

#include <cstdint>

namespace lumenquill::testing {

std::string PackedCodes(const std::vector<std::pair<int, int>>& codes_and_widths) {
  std::string packed;
  uint32_t bits = 0;
  int bit_count = 0;
  for (const auto& [code, width] : codes_and_widths) {
    bits = bits << width | static_cast<uint32_t>(code);
    bit_count += width;
    while (bit_count >= 8) {
      bit_count -= 8;
      packed += static_cast<char>(bits >> bit_count & 0xFF);
    }
  }
  if (bit_count > 0) packed += static_cast<char>(bits << (8 - bit_count) & 0xFF);
  return packed;
}

std::string LZWLiterals(std::string_view text) {
  std::vector<std::pair<int, int>> codes{{256, 9}};
  for (const unsigned char byte : text) codes.emplace_back(byte, 9);
  codes.emplace_back(257, 9);
  return PackedCodes(codes);
}

}  // namespace lumenquill::testing
