#include <cstdint>
#include <string>

#include "reader/stream_filters.h"

namespace lumenquill {
namespace {

constexpr uint32_t kWeights[5] = {85u * 85 * 85 * 85, 85u * 85 * 85, 85u * 85, 85u, 1u};

void AppendBigEndian(std::string& out, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<char>(value >> (24 - 8 * i)));
}

}  // namespace

// "z" stands for four zero bytes between groups; "~>" ends the data, finishing a partial group;
// a "z" inside a group or a "~" without ">" is an error and nothing at all is written. Data that
// ends without "~>" keeps its complete groups. Group values wrap at 32 bits.
void DecodeASCII85(std::string_view bytes, MemoryStream& dest) {
  std::string out;
  uint32_t value = 0;
  int count = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == 'z') {
      if (count != 0) return;
      out.append(4, '\0');
    } else if (c == '~') {
      if (i + 1 == bytes.size() || bytes[i + 1] != '>') return;
      if (count > 0) {
        value += kWeights[count - 1];
        AppendBigEndian(out, value, count - 1);
      }
      break;
    } else if (c >= '!' && c <= 'u') {
      value += static_cast<uint32_t>(c - '!') * kWeights[count];
      if (++count == 5) {
        AppendBigEndian(out, value, 4);
        value = 0;
        count = 0;
      }
    }
  }
  dest.Write(out);
}

}  // namespace lumenquill
