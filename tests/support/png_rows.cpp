#include "support/png_rows.h"

namespace lumenquill::testing {

std::string PngUpRows(std::string_view data, size_t columns) {
  std::string rows;
  for (size_t at = 0; at < data.size(); at += columns) {
    rows += '\x02';
    for (size_t i = at; i < at + columns && i < data.size(); ++i) {
      const unsigned char up = i >= columns ? static_cast<unsigned char>(data[i - columns]) : 0;
      rows += static_cast<char>(static_cast<unsigned char>(data[i]) - up);
    }
  }
  return rows;
}

}  // namespace lumenquill::testing
