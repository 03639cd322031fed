#include "reader/run_length_decode.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "reader/bounded_output.h"

namespace lumenquill {

void DecodeRunLength(std::string_view input, MemoryStream& dest) {
  BoundedOutput output(dest, "ランレングス圧縮を正常に展開できませんでした。");
  constexpr uint8_t kEndOfData = 128;
  size_t at = 0;
  while (at < input.size()) {
    const auto length = static_cast<uint8_t>(input[at++]);
    if (length == kEndOfData) return;
    if (length < kEndOfData) {
      const size_t count = std::min<size_t>(length + 1u, input.size() - at);
      output.Write(input.substr(at, count));
      at += count;
    } else if (at < input.size()) {
      output.Write(std::string(257u - length, input[at++]));
    }
  }
}

}  // namespace lumenquill
