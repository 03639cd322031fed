#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumenquill::testing {

// data as PNG "up" rows of columns bytes (one colour of 8 bits, /Predictor 12): each row is the
// type byte 2 and the differences from the row above; the last row may be shorter.
std::string PngUpRows(std::string_view data, size_t columns);

}  // namespace lumenquill::testing
