#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumenquill::testing {

// LZW codes, each given with its width in bits, packed most significant bit first; the last
// byte is padded with zeros.
std::string PackedCodes(const std::vector<std::pair<int, int>>& codes_and_widths);

// The LZW data of text written as one literal code a byte, between a clear-table code and an
// end-of-data code: a valid /LZWDecode stream for texts of up to 253 bytes, whose codes are
// all 9 bits wide.
std::string LZWLiterals(std::string_view text);

}  // namespace lumenquill::testing
